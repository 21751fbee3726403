#include "app/core/yaml/yaml_reader.h"

#include <cmath>
#include <map>
#include <set>

#include "app/core/yaml/yaml_input.h"
#include "app/core/yaml/yaml_reactions.h"
#include "app/core/yaml/yaml_units.h"
#include "app/core/yaml/yaml_writer.h"

namespace vantor::yaml {
namespace {

constexpr size_t kThermoNameColumns = 18;
constexpr size_t kThermoElementFields = 5;

// An entry this program wrote as one half of a reaction with explicit reverse parameters.
bool IsHalf(const YAML::Node& entry, std::string_view marker) {
    if (!entry.IsMap() || !entry["note"] || !entry["note"].IsScalar() || !entry["rate-constant"]) return false;
    const std::string& note = entry["note"].Scalar();
    return note.size() >= marker.size() && note.compare(note.size() - marker.size(), marker.size(), marker) == 0;
}

class Reader {
public:
    explicit Reader(const YAML::Node& root) : root_(root) {}

    ChemkinMechanism Read() {
        if (!root_.IsMap())
            Fail(root_, "the file is not a YAML mapping", "a Cantera mechanism with phases and species");
        Units();
        const YAML::Node phases = Require(root_, "phases", "the file");
        if (!phases.IsSequence() || phases.size() == 0)
            Fail(phases, "phases is empty", "a list with one ideal-gas phase");
        for (const YAML::Node& p : phases) {
            const std::string thermo = Text(Require(p, "thermo", "the phase"), "the phase's thermo");
            if (thermo != "ideal-gas")
                Fail(p["thermo"],
                     "phase " + Text(Require(p, "name", "the phase"), "the phase name") + " has thermo " + thermo +
                         " (a surface or other non-gas phase), which the mechanism binary cannot hold",
                     "ideal-gas phases only");
        }
        const YAML::Node phase = phases[0];
        Elements(phase);
        Species(phase);
        Reactions(phase);
        return std::move(mech_);
    }

private:
    const YAML::Node& root_;
    ChemkinMechanism mech_;
    ReactionContext context_;

    void Units() {
        const YAML::Node units = root_["units"];
        if (units && !units.IsMap()) Fail(units, "units is not a mapping", "{length: cm, quantity: mol, ...}");
        if (units)
            for (const auto& item : units) {
                std::string error;
                if (!ApplyUnit(Text(item.first, "a units key"), Text(item.second, "a unit"), context_.units, error))
                    Fail(item.second, error, "a unit Cantera defines");
            }
        const std::string energy = context_.units.Energy();
        if (!ConvertEnergy(0.0, energy, "cal/mol"))
            Fail(units ? units : root_, "unknown activation-energy unit \"" + energy + "\"",
                 "cal/mol, kcal/mol, J/mol, kJ/mol, J/kmol, K or eV");
        // CHEMKIN has keywords for the common units; others are converted to cal/mol.
        const std::string keyword = EnergyKeyword(energy);
        mech_.energyKeyword = keyword.empty() ? "CAL/MOLE" : keyword;
        context_.energyUnit = keyword.empty() ? "cal/mol" : energy;
        mech_.molecules = context_.units.molecules;
    }

    void Elements(const YAML::Node& phase) {
        std::map<std::string, double> defined;
        if (const YAML::Node list = root_["elements"]) {
            if (!list.IsSequence()) Fail(list, "elements is not a list", "a list of {symbol, atomic-weight}");
            for (const YAML::Node& e : list)
                defined[Text(Require(e, "symbol", "an element"), "the element symbol")] =
                    Number(Require(e, "atomic-weight", "an element"), "the atomic weight");
        }
        const YAML::Node list = Require(phase, "elements", "the phase");
        if (!list.IsSequence()) Fail(list, "the phase's elements are not a list", "a list of element symbols");
        for (const YAML::Node& e : list) {
            const std::string name = Text(e, "an element of the phase");
            const auto it = defined.find(name);
            mech_.elements.push_back({name, it == defined.end() ? std::nullopt : std::optional<double>(it->second)});
        }
    }

    // The species entries a phase names: "all" of the species section, a list of names, or
    // a list of {section: all | [names]}.
    std::vector<YAML::Node> PhaseSpecies(const YAML::Node& phase) {
        std::vector<YAML::Node> out;
        const auto section = [&](const std::string& name, const YAML::Node& at) {
            const YAML::Node list = root_[name];
            if (!list || !list.IsSequence())
                Fail(at, "the file has no species list \"" + name + "\"", "a top-level list " + name);
            return list;
        };
        const auto pick = [&](const YAML::Node& list, const YAML::Node& names) {
            if (names.IsScalar() && names.Scalar() == "all") {
                for (const YAML::Node& s : list) out.push_back(s);
                return;
            }
            if (!names.IsSequence()) Fail(names, "the phase's species are not a list", "all or a list of names");
            std::map<std::string, YAML::Node> byName;
            for (const YAML::Node& s : list)
                byName.emplace(Text(Require(s, "name", "a species"), "the species name"), s);
            for (const YAML::Node& n : names) {
                const auto it = byName.find(Text(n, "a species of the phase"));
                if (it == byName.end())
                    Fail(n, "species " + n.Scalar() + " has no entry", "an entry in the species list");
                out.push_back(it->second);
            }
        };
        const YAML::Node names = phase["species"];
        if (!names || (names.IsScalar() && names.Scalar() == "all")) {
            pick(section("species", phase), YAML::Node("all"));
        } else if (names.IsSequence() && names.size() > 0 && names[0].IsMap()) {
            for (const YAML::Node& group : names)
                for (const auto& item : group) {
                    const std::string from = Text(item.first, "a species section");
                    if (from.find('/') != std::string::npos)
                        Fail(item.first, "species from another file (" + from + ")", "species of this file");
                    pick(section(from, item.first), item.second);
                }
        } else {
            pick(section("species", phase), names);
        }
        return out;
    }

    void Species(const YAML::Node& phase) {
        for (const YAML::Node& s : PhaseSpecies(phase)) {
            ChemkinSpecies species;
            species.name = Text(Require(s, "name", "a species"), "the species name");
            const std::string what = "species " + species.name;
            if (species.name.size() > kThermoNameColumns || species.name.find_first_of("!/= \t") != std::string::npos)
                Fail(s["name"], what + ": a name CHEMKIN files cannot hold",
                     "at most 18 characters without blanks, !, / or =");
            Composition(s, what, species);
            Thermo(Require(s, "thermo", what), what, species.thermo);
            if (const YAML::Node t = s["transport"]) species.transport = Transport(t, what);
            if (!context_.species.insert(species.name).second)
                Fail(s["name"], what + " is declared twice", "each species once");
            context_.speciesOrder.push_back(species.name);
            mech_.species.push_back(std::move(species));
        }
        context_.skipUndeclaredThirdBodies = Flag(phase, "skip-undeclared-third-bodies", false);
    }

    void Composition(const YAML::Node& s, const std::string& what, ChemkinSpecies& species) {
        const YAML::Node map = Require(s, "composition", what);
        if (!map.IsMap()) Fail(map, what + ": composition is not a mapping", "{ELEMENT: count, ...}");
        for (const auto& item : map) {
            const double count = Number(item.second, what + " element count");
            if (count != std::floor(count) || count < 0 || count > 999)
                Fail(item.second, what + ": element count " + item.second.Scalar(), "a whole number from 0 to 999");
            const std::string element = Text(item.first, "an element");
            bool declared = false;
            for (const ChemkinElement& e : mech_.elements) declared = declared || e.name == element;
            if (!declared)
                Fail(item.first, what + " has the element " + element + ", which the phase does not list",
                     "elements of the phase");
            if (count > 0) species.composition.emplace_back(element, static_cast<int>(count));
        }
        if (species.composition.size() > kThermoElementFields)
            Fail(map, what + " has more than five elements", "at most five elements (the thermo file's fields)");
    }

    void Thermo(const YAML::Node& t, const std::string& what, ChemkinThermo& out) {
        const std::string model = Text(Require(t, "model", what + " thermo"), what + " thermo model");
        if (model != "NASA7")
            Fail(t["model"], what + " has thermo model " + model + ", which the mechanism binary cannot hold", "NASA7");
        const YAML::Node ranges = Require(t, "temperature-ranges", what + " thermo");
        const YAML::Node data = Require(t, "data", what + " thermo");
        if (!ranges.IsSequence() || ranges.size() < 2 || ranges.size() > 3)
            Fail(ranges, what + ": temperature-ranges has " + std::to_string(ranges.size()) + " values",
                 "two or three temperatures");
        if (!data.IsSequence() || data.size() != ranges.size() - 1)
            Fail(data, what + ": thermo data do not match the temperature ranges",
                 "one list of 7 coefficients per range");
        const auto coefficients = [&](const YAML::Node& list, std::array<double, 7>& into) {
            if (!list.IsSequence() || list.size() != 7)
                Fail(list, what + ": a NASA7 range without 7 coefficients", "7 coefficients");
            for (size_t j = 0; j < 7; ++j) into[j] = Number(list[j], what + " thermo coefficient");
        };
        out.tLow = Number(ranges[0], what + " temperature");
        out.tHigh = Number(ranges[ranges.size() - 1], what + " temperature");
        coefficients(data[0], out.low);
        if (ranges.size() == 3) {
            out.tCommon = Number(ranges[1], what + " temperature");
            coefficients(data[1], out.high);
        } else {  // one range: both halves of the CHEMKIN entry hold it
            out.tCommon = out.tHigh;
            out.high = out.low;
        }
    }

    ChemkinTransport Transport(const YAML::Node& t, const std::string& what) {
        ChemkinTransport out;
        const std::string model = Text(Require(t, "model", what + " transport"), what + " transport model");
        if (model != "gas") Fail(t["model"], what + " has transport model " + model, "gas");
        const std::string geometry = Text(Require(t, "geometry", what + " transport"), what + " geometry");
        static const std::map<std::string, int> kGeometry = {{"atom", 0}, {"linear", 1}, {"nonlinear", 2}};
        const auto it = kGeometry.find(geometry);
        if (it == kGeometry.end()) Fail(t["geometry"], what + ": geometry " + geometry, "atom, linear or nonlinear");
        out.geometry = it->second;
        out.wellDepth = Number(Require(t, "well-depth", what + " transport"), what + " well-depth");
        out.diameter = Number(Require(t, "diameter", what + " transport"), what + " diameter");
        const auto optional = [&](const char* key) { return t[key] ? Number(t[key], what + " " + key) : 0.0; };
        out.dipole = optional("dipole");
        out.polarizability = optional("polarizability");
        out.rotationalRelaxation = optional("rotational-relaxation");
        return out;
    }

    void Reactions(const YAML::Node& phase) {
        std::vector<std::string> sections;
        const YAML::Node which = phase["reactions"];
        if (!which) {
            if (phase["kinetics"] && root_["reactions"]) sections.push_back("reactions");
        } else if (which.IsScalar()) {
            const std::string word = which.Scalar();
            if (word == "all" || word == "declared-species")
                sections.push_back("reactions");
            else if (word != "none")
                Fail(which, "reactions: " + word, "all, none or a list of reaction sections");
        } else if (which.IsSequence()) {
            for (const YAML::Node& s : which) sections.push_back(Text(s, "a reaction section"));
        } else {
            Fail(which, "the phase's reactions are not a list", "all, none or a list of section names");
        }
        int number = 0;
        for (const std::string& name : sections) {
            if (name.find('/') != std::string::npos)
                Fail(which, "reactions from another file (" + name + ")", "reactions of this file");
            const YAML::Node list = root_[name];
            if (!list || !list.IsSequence())
                Fail(which ? which : phase, "the file has no reaction list \"" + name + "\"",
                     "a top-level list " + name);
            for (size_t i = 0; i < list.size(); ++i) {
                const YAML::Node next = i + 1 < list.size() ? list[i + 1] : YAML::Node();
                const bool halves = IsHalf(list[i], kForwardHalfNote) && IsHalf(next, kReverseHalfNote);
                TranslateReaction(list[i], ++number, context_, mech_.reactionLines, halves ? &next : nullptr);
                if (halves) ++i, ++number;
            }
        }
    }
};

}  // namespace

YamlReadResult ReadCanteraYaml(std::string_view text, const std::string& fileName) {
    YamlReadResult result;
    const auto at = [&](int line, int column) {
        return fileName + (line > 0 ? ", line " + std::to_string(line) + ", column " + std::to_string(column) : "") +
               ": ";
    };
    try {
        const YAML::Node root = YAML::Load(std::string(text));
        result.mechanism = Reader(root).Read();
        result.ok = true;
    } catch (const YamlInputError& e) {
        result.error = at(e.Line(), e.Column()) + e.what();
    } catch (const YAML::Exception& e) {
        result.error = at(e.mark.line + 1, e.mark.column + 1) + e.msg + "; expected a well-formed YAML file";
    }
    return result;
}

}  // namespace vantor::yaml
