#include "app/core/yaml/yaml_writer.h"

#include <cctype>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "app/core/yaml/yaml_scalars.h"
#include "outside/tolmar/atomic_weights.h"

namespace vantor::yaml {
namespace {

using tolmar::Arrhenius;
using tolmar::EnergyUnit;
using tolmar::Reaction;
using tolmar::ReactionKind;
using tolmar::StoichTerm;

const char* EnergyUnitText(EnergyUnit unit) {
    switch (unit) {
        case EnergyUnit::CalPerMole: return "cal/mol";
        case EnergyUnit::KcalPerMole: return "kcal/mol";
        case EnergyUnit::JoulesPerMole: return "J/mol";
        case EnergyUnit::KjoulesPerMole: return "kJ/mol";
        case EnergyUnit::Kelvins: return "K";
        case EnergyUnit::ElectronVolts: return "eV";
    }
    return "cal/mol";
}

// Cantera spells the elements it knows as the periodic table does ("Ar", not "AR").
std::string ElementSymbol(const std::string& name) {
    if (!tolmar::BuiltInAtomicWeight(name)) return name;
    std::string symbol;
    for (size_t i = 0; i < name.size(); ++i)
        symbol += static_cast<char>(i == 0 ? std::toupper(static_cast<unsigned char>(name[i]))
                                           : std::tolower(static_cast<unsigned char>(name[i])));
    return symbol;
}

// Elements whose weight Cantera would not take from its own table: unknown symbols, isotopes
// and weights given in the ELEMENTS section.
bool NeedsDefinition(const tolmar::Element& e) {
    const std::optional<double> builtIn = tolmar::BuiltInAtomicWeight(e.name);
    const std::string upper = ElementSymbol(e.name);
    return !builtIn || upper == "D" || upper == "T" || std::fabs(*builtIn - e.weight) > 1e-12 * *builtIn;
}

class Writer {
public:
    Writer(const YamlWriteInput& input, std::ostringstream& out) : in_(input), mech_(input.mechanism), out_(out) {}

    bool Write(std::string& error) {
        // The one phase is an ideal gas: a condensed species has no place in it.
        for (const tolmar::Species& s : mech_.species)
            if (s.phase != 0) {
                error = "species " + s.name + " (line " + std::to_string(s.line) + ") is a " +
                        (s.phase < 0 ? "solid" : "liquid") + ", which the ideal-gas phase of a YAML file cannot hold";
                return false;
            }
        Header();
        Elements();
        Phase();
        Species();
        out_ << "\nreactions:\n";
        for (size_t i = 0; i < mech_.reactions.size(); ++i)
            if (!ReactionEntry(static_cast<int>(i) + 1, mech_.reactions[i], error)) return false;
        return true;
    }

private:
    const YamlWriteInput& in_;
    const tolmar::Mechanism& mech_;
    std::ostringstream& out_;

    const std::string& Name(int32_t k) const { return mech_.species[static_cast<size_t>(k - 1)].name; }

    const pellor::TransportParameters* TransportOf(const std::string& name) const {
        if (!in_.transport) return nullptr;
        const auto it = in_.transport->entries.find(pellor::UpperCase(name));
        return it == in_.transport->entries.end() ? nullptr : &it->second;
    }

    void Header() {
        out_ << "description: " << Scalar(in_.description) << "\ngenerator: vantor\n\n";
        out_ << "units: {length: cm, time: s, quantity: " << (mech_.units.molecules ? "molec" : "mol")
             << ", activation-energy: " << EnergyUnitText(mech_.units.energy) << "}\n";
    }

    void Elements() {
        bool any = false;
        for (const tolmar::Element& e : mech_.elements) {
            if (!NeedsDefinition(e)) continue;
            if (!any) out_ << "\nelements:\n";
            any = true;
            out_ << "- symbol: " << Scalar(ElementSymbol(e.name)) << "\n  atomic-weight: " << FormatReal(e.weight)
                 << "\n";
        }
    }

    // A flow list broken into lines of about 100 characters.
    void FlowList(const std::vector<std::string>& items, const std::string& indent) {
        out_ << "[";
        size_t width = indent.size();
        for (size_t i = 0; i < items.size(); ++i) {
            if (i > 0) {
                out_ << ",";
                if (width + items[i].size() > 96) {
                    out_ << "\n" << indent;
                    width = indent.size();
                } else {
                    out_ << " ";
                }
            }
            out_ << items[i];
            width += items[i].size() + 2;
        }
        out_ << "]\n";
    }

    void Phase() {
        bool allTransport = in_.transport != nullptr && !mech_.species.empty();
        std::vector<std::string> elements, species;
        for (const tolmar::Element& e : mech_.elements) elements.push_back(Scalar(ElementSymbol(e.name)));
        for (const tolmar::Species& s : mech_.species) {
            species.push_back(Scalar(s.name));
            allTransport = allTransport && TransportOf(s.name);
        }
        out_ << "\nphases:\n- name: gas\n  thermo: ideal-gas\n  elements: ";
        FlowList(elements, "    ");
        out_ << "  species: ";
        FlowList(species, "    ");
        out_ << "  kinetics: gas\n  reactions: all\n";
        if (allTransport) out_ << "  transport: mixture-averaged\n";
        out_ << "  state: {T: 300.0, P: 1 atm}\n";
    }

    void Species() {
        out_ << "\nspecies:\n";
        for (const tolmar::Species& s : mech_.species) {
            out_ << "- name: " << Scalar(s.name) << "\n  composition: {";
            bool first = true;
            for (size_t m = 0; m < s.composition.size() && m < mech_.elements.size(); ++m) {
                if (s.composition[m] == 0) continue;
                out_ << (first ? "" : ", ") << Scalar(ElementSymbol(mech_.elements[m].name)) << ": "
                     << s.composition[m];
                first = false;
            }
            const tolmar::ThermoFit& f = s.fit;
            out_ << "}\n  thermo:\n    model: NASA7\n    temperature-ranges: [" << FormatReal(f.tLow) << ", "
                 << FormatReal(f.tCommon) << ", " << FormatReal(f.tHigh) << "]\n    data:\n";
            for (const auto* range : {&f.low, &f.high}) {
                out_ << "    - [";
                for (size_t j = 0; j < 7; ++j) out_ << (j ? ", " : "") << FormatReal((*range)[j]);
                out_ << "]\n";
            }
            if (const pellor::TransportParameters* t = TransportOf(s.name)) Transport(*t);
        }
    }

    void Transport(const pellor::TransportParameters& t) {
        static constexpr const char* kGeometry[] = {"atom", "linear", "nonlinear"};
        out_ << "  transport:\n    model: gas\n    geometry: "
             << kGeometry[t.geometry < 0 || t.geometry > 2 ? 2 : t.geometry]
             << "\n    well-depth: " << FormatReal(t.wellDepth) << "\n    diameter: " << FormatReal(t.collisionDiameter)
             << "\n";
        if (t.dipoleMoment != 0.0) out_ << "    dipole: " << FormatReal(t.dipoleMoment) << "\n";
        if (t.polarizability != 0.0) out_ << "    polarizability: " << FormatReal(t.polarizability) << "\n";
        if (t.rotationalRelaxation != 0.0)
            out_ << "    rotational-relaxation: " << FormatReal(t.rotationalRelaxation) << "\n";
    }

    std::string Side(const std::vector<StoichTerm>& terms, const Reaction& r) const {
        std::string text;
        for (const StoichTerm& t : terms) {
            if (!text.empty()) text += " + ";
            if (t.coefficient != 1.0) text += FormatCount(t.coefficient) + " ";
            text += Name(t.species);
        }
        if (r.kind == ReactionKind::ThirdBody) text += " + M";
        if (r.kind == ReactionKind::FallOffMixture) text += " (+M)";
        if (r.kind == ReactionKind::FallOffSpecies) text += " (+" + Name(r.bathSpecies) + ")";
        return text;
    }

    std::string Rate(const Arrhenius& a, const Reaction& r) const {
        std::string ea = FormatReal(a.E);
        if (r.units.energy) ea += std::string(" ") + EnergyUnitText(*r.units.energy);
        return "{A: " + FormatReal(a.A) + ", b: " + FormatReal(a.b) + ", Ea: " + ea + "}";
    }

    std::string Efficiencies(const Reaction& r) const {
        std::string text;
        for (const auto& [k, value] : r.efficiencies)
            text += (text.empty() ? "" : ", ") + Scalar(Name(k)) + ": " + FormatReal(value);
        return "{" + text + "}";
    }

    std::optional<std::string> Refusal(const Reaction& r) const {
        if (r.landauTeller || r.reverseLandauTeller) return "Landau-Teller parameters (LT/RLT)";
        if (r.jan) return "JAN rate fit";
        if (r.fit1) return "FIT1 rate fit";
        if (r.electronImpactSpecies != 0) return "electron-impact temperature (TDEP)";
        if (r.wavelength) return "radiation wavelength (HV)";
        if (r.excitation) return "excitation energy (EXCI)";
        if (r.units.molecules && *r.units.molecules != mech_.units.molecules) return "its own MOLECULES unit";
        if (r.reverse && (r.IsFallOff() || !r.pressureTerms.empty()))
            return "explicit reverse parameters (REV) on a fall-off or PLOG reaction";
        if (r.HasOrders() && r.reversible && !r.reverse)
            return "FORD/RORD orders on a reversible reaction (Cantera takes orders on irreversible reactions only)";
        return std::nullopt;
    }

    // One irreversible or reversible entry; `forward` false writes the explicit reverse direction.
    void Entry(int number, const Reaction& r, bool split, bool forward) {
        const auto& lhs = forward ? r.reactants : r.products;
        const auto& rhs = forward ? r.products : r.reactants;
        const bool reversible = r.reversible && !split;
        out_ << "- equation: " << Scalar(Side(lhs, r) + (reversible ? " <=> " : " => ") + Side(rhs, r)) << "\n";
        const Arrhenius& rate = forward ? r.rate : *r.reverse;
        bool negativeA = rate.A < 0.0;
        if (r.IsFallOff()) {
            const bool activated = r.high.has_value();
            const Arrhenius& low = activated ? r.rate : *r.low;
            const Arrhenius& high = activated ? *r.high : r.rate;
            negativeA = low.A < 0.0 || high.A < 0.0;
            out_ << "  type: " << (activated ? "chemically-activated" : "falloff")
                 << "\n  low-P-rate-constant: " << Rate(low, r) << "\n  high-P-rate-constant: " << Rate(high, r)
                 << "\n";
            const std::vector<double>& p = r.formParameters;
            if (r.form == tolmar::FallOffForm::Troe3 || r.form == tolmar::FallOffForm::Troe4) {
                out_ << "  Troe: {A: " << FormatReal(p.at(0)) << ", T3: " << FormatReal(p.at(1))
                     << ", T1: " << FormatReal(p.at(2));
                if (p.size() > 3) out_ << ", T2: " << FormatReal(p[3]);
                out_ << "}\n";
            } else if (r.form == tolmar::FallOffForm::Sri) {
                out_ << "  SRI: {A: " << FormatReal(p.at(0)) << ", B: " << FormatReal(p.at(1))
                     << ", C: " << FormatReal(p.at(2));
                if (p.size() > 4) out_ << ", D: " << FormatReal(p[3]) << ", E: " << FormatReal(p[4]);
                out_ << "}\n";
            }
        } else if (!r.pressureTerms.empty()) {
            negativeA = false;
            out_ << "  type: pressure-dependent-Arrhenius\n  rate-constants:\n";
            for (const tolmar::PressureTerm& t : r.pressureTerms)
                out_ << "  - {P: " << FormatReal(t.pressureAtm) << " atm, " << Rate(t.rate, r).substr(1) << "\n";
        } else {
            if (r.kind == ReactionKind::ThirdBody) out_ << "  type: three-body\n";
            out_ << "  rate-constant: " << Rate(rate, r) << "\n";
        }
        if (r.IsThirdBody() && !r.efficiencies.empty()) out_ << "  efficiencies: " << Efficiencies(r) << "\n";
        if (r.duplicate) out_ << "  duplicate: true\n";
        if (negativeA) out_ << "  negative-A: true\n";
        Orders(forward ? r.forwardOrders : r.reverseOrders, lhs);
        if (split)
            out_ << "  note: "
                 << Scalar("reaction " + std::to_string(number) + " " + r.equation + " with " +
                           (forward ? kForwardHalfNote : kReverseHalfNote))
                 << "\n";
    }

    void Orders(const std::vector<std::pair<int32_t, double>>& orders, const std::vector<StoichTerm>& reactants) {
        if (orders.empty()) return;
        bool nonreactant = false, negative = false;
        std::string text;
        for (const auto& [k, value] : orders) {
            bool isReactant = false;
            for (const StoichTerm& t : reactants) isReactant = isReactant || t.species == k;
            nonreactant = nonreactant || !isReactant;
            negative = negative || value < 0.0;
            text += (text.empty() ? "" : ", ") + Scalar(Name(k)) + ": " + FormatReal(value);
        }
        out_ << "  orders: {" << text << "}\n";
        if (nonreactant) out_ << "  nonreactant-orders: true\n";
        if (negative) out_ << "  negative-orders: true\n";
    }

    bool ReactionEntry(int number, const Reaction& r, std::string& error) {
        if (const std::optional<std::string> refused = Refusal(r)) {
            error = "reaction " + std::to_string(number) + " " + r.equation + " (line " + std::to_string(r.line) +
                    ") has " + *refused + ", which a Cantera YAML file cannot hold";
            return false;
        }
        const bool split = r.reverse.has_value();
        Entry(number, r, split, true);
        if (split) Entry(number, r, split, false);
        return true;
    }
};

}  // namespace

bool WriteCanteraYaml(const YamlWriteInput& input, std::string& out, std::string& error) {
    std::ostringstream text;
    Writer writer(input, text);
    if (!writer.Write(error)) return false;
    out = text.str();
    return true;
}

}  // namespace vantor::yaml
