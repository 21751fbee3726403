#include "app/core/yaml/yaml_reactions.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

#include "app/core/yaml/yaml_input.h"
#include "app/core/yaml/yaml_scalars.h"

namespace vantor::yaml {
namespace {

struct Term {
    std::string name;
    double coefficient = 1.0;
};

struct Equation {
    std::vector<Term> lhs, rhs;
    bool reversible = true;
    bool thirdBody = false;  // "+ M"
    std::string falloff;     // "M" or the species of "(+SPECIES)"; empty when none
};

bool IsNumber(const std::string& token, double& value) {
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return !token.empty() && end == token.c_str() + token.size();
}

Equation ParseEquation(const YAML::Node& node, const ReactionContext& context) {
    std::string text = Text(node, "the equation");
    for (size_t at; (at = text.find("(+ ")) != std::string::npos;) text.erase(at + 2, 1);
    std::istringstream in(text);
    Equation eq;
    std::vector<Term>* side = &eq.lhs;
    double coefficient = 1.0;  // of the next species
    int thirdBodies = 0;
    std::string falloffLeft;
    bool arrow = false;
    for (std::string token; in >> token;) {
        double value = 0.0;
        if (token == "+") continue;
        if (token == "<=>" || token == "=" || token == "=>") {
            if (arrow) Fail(node, "equation \"" + text + "\" has two arrows", "one of <=>, = or =>");
            arrow = true;
            eq.reversible = token != "=>";
            falloffLeft = eq.falloff;
            eq.falloff.clear();
            side = &eq.rhs;
        } else if (token == "<=") {
            Fail(node, "equation \"" + text + "\" has the arrow <=", "<=>, = or =>");
        } else if (token.size() > 3 && token.compare(0, 2, "(+") == 0 && token.back() == ')') {
            eq.falloff = token.substr(2, token.size() - 3);
            if (eq.falloff != "M" && !context.species.count(eq.falloff))
                Fail(node, "equation \"" + text + "\" names the undeclared collider " + eq.falloff,
                     "M or a species of the phase");
        } else if (token == "M" && !context.species.count("M")) {
            ++thirdBodies;
        } else if (IsNumber(token, value)) {
            coefficient = value;
        } else {
            if (!context.species.count(token))
                Fail(node, "equation \"" + text + "\" names " + token + ", which is not a species of the phase",
                     "species declared in the phase");
            side->push_back({token, coefficient});
            coefficient = 1.0;
        }
    }
    if (!arrow || eq.lhs.empty() || eq.rhs.empty())
        Fail(node, "equation \"" + text + "\" is incomplete", "reactants, an arrow (<=>, = or =>) and products");
    if (falloffLeft != eq.falloff)
        Fail(node, "equation \"" + text + "\" has different fall-off colliders on its sides", "(+M) on both sides");
    if (thirdBodies != 0 && thirdBodies != 2)
        Fail(node, "equation \"" + text + "\" has M on one side only", "+ M on both sides");
    eq.thirdBody = thirdBodies == 2;
    return eq;
}

std::string Species(const Term& t) {
    if (t.coefficient == 1.0) return t.name;
    // "2 1-C4H8" cannot be written "21-C4H8": a name that starts with a digit is repeated.
    if (std::isdigit(static_cast<unsigned char>(t.name.front())) && t.coefficient == std::floor(t.coefficient) &&
        t.coefficient < 13) {
        std::string text = t.name;
        for (int i = 1; i < static_cast<int>(t.coefficient); ++i) text += "+" + t.name;
        return text;
    }
    return FormatCount(t.coefficient) + t.name;
}

std::string SideText(const std::vector<Term>& terms, const Equation& eq) {
    std::string text;
    for (const Term& t : terms) {
        if (!text.empty()) text += '+';
        text += Species(t);
    }
    if (eq.thirdBody) text += "+M";
    if (!eq.falloff.empty()) text.append("(+").append(eq.falloff).append(")");
    return text;
}

class Translator {
public:
    Translator(const YAML::Node& entry, int number, const ReactionContext& context)
        : entry_(entry), context_(context), where_("reaction " + std::to_string(number)) {}

    void Run(std::vector<std::string>& lines, const YAML::Node* reverse) {
        Equation eq = ParseEquation(Require(entry_, "equation", where_), context_);
        where_ += " (" + Text(entry_["equation"], "the equation") + ")";
        const std::string type = Type(eq);
        order_ = Order(entry_, eq);
        if (reverse) eq.reversible = true;
        const std::string equation = SideText(eq.lhs, eq) + (eq.reversible ? "<=>" : "=>") + SideText(eq.rhs, eq);
        std::vector<std::string> aux;
        if (type == "pressure-dependent-Arrhenius") {
            const YAML::Node list = Require(entry_, "rate-constants", where_);
            if (!list.IsSequence() || list.size() == 0)
                Fail(list, where_ + ": rate-constants is empty", "a list of {P, A, b, Ea}");
            for (const YAML::Node& item : list) {
                std::string unit;
                const double p = Quantity(Require(item, "P", where_ + " rate-constants entry"), where_ + " P", unit);
                std::optional<double> atm =
                    unit.empty() ? std::optional<double>(context_.units.pressureAtm) : PressureUnitAtm(unit);
                if (!atm)
                    Fail(item["P"], where_ + ": unknown pressure unit \"" + unit + "\"",
                         "atm, Pa, kPa, MPa, bar or torr");
                aux.push_back("PLOG / " + FormatReal(*atm == 1.0 ? p : p * *atm) + " " + Rate(item, order_) + " /");
            }
            lines.push_back(equation + "  " + Rate(list[0], order_));
        } else if (type == "falloff" || type == "chemically-activated") {
            const bool activated = type == "chemically-activated";
            const YAML::Node low = Require(entry_, "low-P-rate-constant", where_);
            const YAML::Node high = Require(entry_, "high-P-rate-constant", where_);
            if (eq.falloff.empty())
                Fail(entry_["equation"], where_ + " is a " + type + " reaction without (+M)", "(+M) on both sides");
            if (activated) {
                lines.push_back(equation + "  " + Rate(low, order_));
                aux.push_back("HIGH / " + Rate(high, order_ - 1.0) + " /");
            } else {
                lines.push_back(equation + "  " + Rate(high, order_));
                aux.push_back("LOW / " + Rate(low, order_ + 1.0) + " /");
            }
            FallOffForm(aux);
        } else {
            if (type == "three-body" && !eq.thirdBody)
                Fail(entry_["equation"], where_ + " is a three-body reaction without M", "+ M on both sides");
            lines.push_back(equation + "  " +
                            Rate(Require(entry_, "rate-constant", where_), order_ + (eq.thirdBody ? 1.0 : 0.0)));
        }
        if (eq.thirdBody || eq.falloff == "M") Efficiencies(aux);
        if (const YAML::Node orders = entry_["orders"]) {
            if (!orders.IsMap()) Fail(orders, where_ + ": orders is not a mapping", "{SPECIES: order, ...}");
            for (const auto& item : orders)
                aux.push_back("FORD / " + DeclaredSpecies(item.first) + " " +
                              FormatReal(Number(item.second, where_ + " order")) + " /");
        }
        if (reverse) Reverse(*reverse, aux);
        if (Flag(entry_, "duplicate", false)) aux.push_back("DUPLICATE");
        lines.insert(lines.end(), aux.begin(), aux.end());
    }

private:
    const YAML::Node& entry_;
    const ReactionContext& context_;
    std::string where_;
    double order_ = 0.0;

    std::string Type(const Equation& eq) const {
        std::string type = entry_["type"] ? Text(entry_["type"], where_ + " type") : "";
        if (type.empty()) {
            if (entry_["rate-constants"])
                type = "pressure-dependent-Arrhenius";
            else if (entry_["low-P-rate-constant"])
                type = "falloff";
            else if (entry_["data"] && entry_["temperature-range"])
                type = "Chebyshev";
            else
                type = eq.thirdBody ? "three-body" : "elementary";
        }
        if (type == "Arrhenius" || type == "arrhenius" || type == "reaction") type = "elementary";
        static const std::set<std::string> kKnown = {"elementary", "three-body", "falloff", "chemically-activated",
                                                     "pressure-dependent-Arrhenius"};
        if (!kKnown.count(type))
            Fail(entry_["type"] ? entry_["type"] : entry_,
                 where_ + " is of type " + type + ", which the mechanism binary cannot hold",
                 "elementary, three-body, falloff, chemically-activated or pressure-dependent-Arrhenius");
        for (const char* key : {"Tsang", "units", "coverage-dependencies", "sticking-coefficient"})
            if (entry_[key])
                Fail(entry_[key], where_ + " has \"" + key + "\", which the mechanism binary cannot hold",
                     "no such entry");
        return type;
    }

    // The order of an entry's rate: the reactants' coefficients, where `orders` does not
    // replace them.
    double Order(const YAML::Node& entry, const Equation& eq) const {
        double order = 0.0;
        const YAML::Node orders = entry["orders"];
        std::set<std::string> replaced;
        if (orders && orders.IsMap())
            for (const auto& item : orders) {
                order += Number(item.second, where_ + " order");
                replaced.insert(Text(item.first, where_ + " order species"));
            }
        for (const Term& t : eq.lhs)
            if (!replaced.count(t.name)) order += t.coefficient;
        return order;
    }

    // The reverse half of a split reaction as REV and RORD lines.
    void Reverse(const YAML::Node& reverse, std::vector<std::string>& aux) const {
        const Equation eq = ParseEquation(Require(reverse, "equation", where_ + " reverse half"), context_);
        const double order = Order(reverse, eq) + (eq.thirdBody ? 1.0 : 0.0);
        aux.push_back("REV / " + Rate(Require(reverse, "rate-constant", where_ + " reverse half"), order) + " /");
        if (const YAML::Node orders = reverse["orders"]) {
            if (!orders.IsMap()) Fail(orders, where_ + ": orders is not a mapping", "{SPECIES: order, ...}");
            for (const auto& item : orders)
                aux.push_back("RORD / " + DeclaredSpecies(item.first) + " " +
                              FormatReal(Number(item.second, where_ + " order")) + " /");
        }
    }

    std::string DeclaredSpecies(const YAML::Node& node) const {
        const std::string name = Text(node, where_ + " species");
        if (!context_.species.count(name))
            Fail(node, where_ + " names " + name + ", which is not a species of the phase", "a species of the phase");
        return name;
    }

    // "A b E" in CHEMKIN units for a rate of the given order.
    std::string Rate(const YAML::Node& rate, double order) const {
        const std::string what = where_ + " rate";
        if (!rate.IsMap()) Fail(rate, what + " is not a mapping", "{A: ..., b: ..., Ea: ...}");
        if (rate["w"])
            Fail(rate["w"], where_ + " is a Blowers-Masel rate, which the mechanism binary cannot hold", "{A, b, Ea}");
        double A = Number(Require(rate, "A", what), where_ + " A");
        const FileUnits& u = context_.units;
        if (u.lengthCm != 1.0 || u.quantityMol != 1.0 || u.timeS != 1.0)
            A *= std::pow(u.lengthCm * u.lengthCm * u.lengthCm / u.quantityMol, order - 1.0) / u.timeS;
        const double b = rate["b"] ? Number(rate["b"], where_ + " b") : 0.0;
        double E = 0.0;
        if (const YAML::Node ea = rate["Ea"]) {
            std::string unit;
            const double value = Quantity(ea, where_ + " Ea", unit);
            const std::optional<double> converted =
                ConvertEnergy(value, unit.empty() ? u.Energy() : unit, context_.energyUnit);
            if (!converted)
                Fail(ea, where_ + ": unknown activation-energy unit \"" + (unit.empty() ? u.Energy() : unit) + "\"",
                     "cal/mol, kcal/mol, J/mol, kJ/mol, J/kmol, K or eV");
            E = *converted;
        }
        return FormatReal(A) + " " + FormatReal(b) + " " + FormatReal(E);
    }

    // The values of a Troe or SRI mapping: the required ones, then the optional ones when any of
    // them is given (an absent SRI D is 1, any other absent value 0).
    std::string FormValues(const YAML::Node& form, std::initializer_list<const char*> required,
                           std::initializer_list<const char*> optional) const {
        std::string text;
        const auto add = [&](double value) {
            text += ' ';
            text += FormatReal(value);
        };
        for (const char* key : required) add(Number(Require(form, key, where_), where_ + " " + key));
        bool any = false;
        for (const char* key : optional) any = any || form[key];
        for (const char* key : optional) {
            if (!any) break;
            const double fallback = std::string_view(key) == "D" ? 1.0 : 0.0;
            add(form[key] ? Number(form[key], where_ + " " + key) : fallback);
        }
        return text;
    }

    void FallOffForm(std::vector<std::string>& aux) const {
        if (const YAML::Node troe = entry_["Troe"])
            aux.push_back("TROE /" + FormValues(troe, {"A", "T3", "T1"}, {"T2"}) + " /");
        if (const YAML::Node sri = entry_["SRI"])
            aux.push_back("SRI /" + FormValues(sri, {"A", "B", "C"}, {"D", "E"}) + " /");
    }

    void Efficiencies(std::vector<std::string>& aux) const {
        std::map<std::string, double> given;
        if (const YAML::Node map = entry_["efficiencies"]) {
            if (!map.IsMap()) Fail(map, where_ + ": efficiencies is not a mapping", "{SPECIES: efficiency, ...}");
            for (const auto& item : map) {
                const std::string name = Text(item.first, where_ + " efficiency species");
                if (!context_.species.count(name)) {
                    if (context_.skipUndeclaredThirdBodies) continue;
                    Fail(item.first,
                         where_ + " has an efficiency for " + name + ", which is not a species of the phase",
                         "species of the phase (or skip-undeclared-third-bodies: true)");
                }
                given[name] = Number(item.second, where_ + " efficiency of " + name);
            }
        }
        const double fallback =
            entry_["default-efficiency"] ? Number(entry_["default-efficiency"], where_ + " default-efficiency") : 1.0;
        std::vector<std::pair<std::string, double>> all;
        for (const std::string& name : context_.speciesOrder) {
            const auto it = given.find(name);
            if (it != given.end())
                all.emplace_back(name, it->second);
            else if (fallback != 1.0)
                all.emplace_back(name, fallback);  // CHEMKIN's default is 1
        }
        std::string line;
        for (const auto& [name, value] : all) {
            const std::string item = name + "/" + FormatReal(value) + "/";
            if (!line.empty() && line.size() + item.size() > 78) {
                aux.push_back(line);
                line.clear();
            }
            line += (line.empty() ? "" : " ") + item;
        }
        if (!line.empty()) aux.push_back(line);
    }
};

}  // namespace

void TranslateReaction(const YAML::Node& entry, int number, const ReactionContext& context,
                       std::vector<std::string>& lines, const YAML::Node* reverse) {
    if (!entry.IsMap())
        Fail(entry, "reaction " + std::to_string(number) + " is not a mapping", "{equation: ..., rate-constant: ...}");
    Translator(entry, number, context).Run(lines, reverse);
}

}  // namespace vantor::yaml
