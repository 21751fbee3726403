#include "outside/tolmar/reaction_equation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "outside/tolmar/fortran_number.h"

namespace vantor::tolmar {
namespace {

// Longest text one term can have: a 16-character name behind a generous coefficient.
constexpr size_t kMaxTermLength = 48;
constexpr double kMaxCoefficient = 1.0e6;

enum class TermKind { Invalid, BadCoefficient, Species, ThirdBody, Photon };

struct Term {
    TermKind kind = TermKind::Invalid;
    StoichTerm value;
};

// A coefficient in exponent form against the name ("9.743589744E-1BIN5"): the end of the
// exponent after `mantissa` and the species that follows it (k = 0 when there is none). Names
// that begin with digits leave the longest exponent that still leaves a declared name.
size_t ExponentEnd(std::string_view text, size_t mantissa, const NameIndex& species, int32_t& k) {
    k = 0;
    if (std::string_view("EeDd").find(text[mantissa]) == std::string_view::npos) return 0;
    size_t first = mantissa + 1;
    if (first < text.size() && (text[first] == '+' || text[first] == '-')) ++first;
    size_t last = first;
    while (last < text.size() && text[last] >= '0' && text[last] <= '9') ++last;
    for (size_t end = last; end > first; --end)
        if ((k = species.Find(text.substr(end)))) return end;
    return 0;
}

Term ReadTerm(std::string_view text, const NameIndex& species) {
    Term term;
    if (text.empty()) return term;
    if (ToUpper(text) == "M") {
        term.kind = TermKind::ThirdBody;
        return term;
    }
    if (const int32_t k = species.Find(text)) {
        term = {TermKind::Species, {k, 1.0}};
        return term;
    }
    // "HV", unless declared as a species, is the photon of an emission or absorption: radiation
    // that takes no part in the stoichiometry or the rates.
    if (ToUpper(text) == "HV") {
        term.kind = TermKind::Photon;
        return term;
    }
    const size_t digits = text.find_first_not_of("0123456789.");
    if (digits == 0 || digits == std::string_view::npos) return term;
    size_t split = digits;
    int32_t k = species.Find(text.substr(digits));
    if (k == 0) split = ExponentEnd(text, digits, species, k);
    if (k == 0) return term;
    double coefficient = 0.0;
    if (!ParseNumber(text.substr(0, split), coefficient) || coefficient <= 0.0 || coefficient > kMaxCoefficient) {
        term.kind = TermKind::BadCoefficient;
        return term;
    }
    term = {TermKind::Species, {k, coefficient}};
    return term;
}

// A '+' separates terms unless it ends the side or is followed by another '+' (ion names
// such as "H3O+" end in '+').
bool IsSeparator(std::string_view side, size_t at) {
    return side[at] == '+' && at + 1 < side.size() && side[at + 1] != '+';
}

class SideParser {
public:
    SideParser(const NameIndex& species, Location where, Diagnostics& diagnostics)
        : species_(species), where_(where), diagnostics_(diagnostics) {}

    // Terms of one side (fall-off marker already removed); thirdBodies counts the "M" terms,
    // photons the "HV" ones.
    bool Parse(std::string_view side, std::vector<StoichTerm>& terms, int& thirdBodies, int& photons) {
        const auto used = [](const Term& term) {
            return term.kind != TermKind::Invalid && term.kind != TermKind::BadCoefficient;
        };
        size_t pos = 0;
        while (pos < side.size()) {
            // Try the longest term first, so names that contain '+' are found whole.
            std::vector<size_t> ends;
            for (size_t e = pos + 1; e <= side.size() && e - pos <= kMaxTermLength; ++e)
                if (e == side.size() || IsSeparator(side, e)) ends.push_back(e);
            std::optional<Term> found;
            size_t end = 0;
            for (auto it = ends.rbegin(); it != ends.rend() && !found; ++it) {
                const Term term = ReadTerm(side.substr(pos, *it - pos), species_);
                if (used(term)) found = term, end = *it;
            }
            if (!found) return ReportBadTerm(side, pos, ends);
            if (found->kind == TermKind::ThirdBody) {
                ++thirdBodies;
            } else if (found->kind == TermKind::Photon) {
                ++photons;
            } else {
                Merge(terms, found->value);
            }
            pos = end + 1;
        }
        return true;
    }

private:
    static void Merge(std::vector<StoichTerm>& terms, const StoichTerm& term) {
        for (StoichTerm& t : terms) {
            if (t.species == term.species) {
                t.coefficient += term.coefficient;
                return;
            }
        }
        terms.push_back(term);
    }

    bool ReportBadTerm(std::string_view side, size_t pos, const std::vector<size_t>& ends) {
        const size_t end = ends.empty() ? std::min(side.size(), pos + kMaxTermLength) : ends.front();
        const std::string_view piece = side.substr(pos, end - pos);
        if (piece.empty()) {
            diagnostics_.Error(kSyntaxError, where_, "empty term in reaction side", side, "species joined by '+'");
        } else if (ReadTerm(piece, species_).kind == TermKind::BadCoefficient) {
            diagnostics_.Error(kBadNumber, where_, "bad stoichiometric coefficient", piece,
                               "a positive coefficient of at most 1e6 before the species name");
        } else {
            diagnostics_.Error(kUndeclaredSpecies, where_, "undeclared species", piece,
                               "a species of the SPECIES section");
        }
        return false;
    }

    const NameIndex& species_;
    Location where_;
    Diagnostics& diagnostics_;
};

bool SameSpecies(std::vector<StoichTerm> a, std::vector<StoichTerm> b) {
    const auto bySpecies = [](const StoichTerm& x, const StoichTerm& y) { return x.species < y.species; };
    std::sort(a.begin(), a.end(), bySpecies);
    std::sort(b.begin(), b.end(), bySpecies);
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const StoichTerm& x, const StoichTerm& y) {
        return x.species == y.species && x.coefficient == y.coefficient;
    });
}

// Removes a "(+M)" or "(+SPECIES)" marker from the side; marker is "" when there is none.
bool TakeFallOffMarker(std::string& side, const NameIndex& species, std::string& marker) {
    marker.clear();
    size_t search = 0;
    while (true) {
        const size_t open = side.find("(+", search);
        if (open == std::string::npos) return true;
        const size_t close = side.find(')', open);
        if (close == std::string::npos) return true;
        const std::string inner = side.substr(open + 2, close - open - 2);
        if (ToUpper(inner) != "M" && species.Find(inner) == 0) {
            search = open + 1;  // part of a species name
            continue;
        }
        if (!marker.empty()) return false;
        marker = ToUpper(inner);
        side.erase(open, close - open + 1);
        search = open;
    }
}

}  // namespace

bool ParseEquation(std::string_view equation, const NameIndex& species, Location where, Diagnostics& diagnostics,
                   ParsedEquation& out) {
    const size_t eq = equation.find('=');
    if (eq == std::string_view::npos || equation.find('=', eq + 1) != std::string_view::npos) {
        diagnostics.Error(kSyntaxError, where, "reaction needs exactly one of =, <=>, =>", equation,
                          "reactants = products");
        return false;
    }
    const bool open = eq > 0 && equation[eq - 1] == '<';
    const bool arrow = eq + 1 < equation.size() && equation[eq + 1] == '>';
    if (open && !arrow) {
        diagnostics.Error(kSyntaxError, where, "unknown reaction arrow <=", equation, "=, <=> or =>");
        return false;
    }
    out.reversible = open || !arrow;
    std::string left(equation.substr(0, open ? eq - 1 : eq));
    std::string right(equation.substr(arrow ? eq + 2 : eq + 1));

    std::string leftMarker, rightMarker;
    if (!TakeFallOffMarker(left, species, leftMarker) || !TakeFallOffMarker(right, species, rightMarker) ||
        leftMarker != rightMarker) {
        diagnostics.Error(kSyntaxError, where, "fall-off marker must appear once on each side", equation,
                          "the same (+M) or (+SPECIES) on both sides");
        return false;
    }
    int leftM = 0, rightM = 0, photons = 0;
    SideParser parser(species, where, diagnostics);
    if (!parser.Parse(left, out.reactants, leftM, photons) || !parser.Parse(right, out.products, rightM, photons))
        return false;
    if (leftM != rightM || leftM > 1 || (leftM == 1 && !leftMarker.empty())) {
        diagnostics.Error(kSyntaxError, where, "third body M must appear once on each side", equation,
                          "+M on both sides, and not together with (+M)");
        return false;
    }
    if (out.reactants.empty() || out.products.empty()) {
        diagnostics.Error(kSyntaxError, where, "reaction side without species", equation,
                          "at least one species on each side");
        return false;
    }
    if (photons > 0) {
        // An emission such as "A* = A + HV" changes the species; "A + HV = A" would have a rate
        // of progress and no effect.
        if (SameSpecies(out.reactants, out.products)) {
            diagnostics.Error(kSyntaxError, where, "reaction without net change once the radiation term HV is left out",
                              equation, "different species on the two sides");
            return false;
        }
        diagnostics.Warning(where, "the radiation term HV of \"" + std::string(equation) +
                                       "\" is left out; it takes no part in the stoichiometry or the rates");
    }
    // Products beyond the third borrow free reactant slots and then slots after the sixth (LLNL
    // n-heptane has four or five products, lumped fuel reactions up to ten); more than three
    // reactants are refused.
    if (out.reactants.size() > kMaxSlotsPerSide || out.reactants.size() + out.products.size() > kMaxReactionSpecies) {
        diagnostics.Error(kTooManySpecies, where, "more than three reactants, or more than twelve species in all",
                          equation, "at most three different reactants, and twelve different species in all");
        return false;
    }
    if (leftM == 1) {
        out.kind = ReactionKind::ThirdBody;
    } else if (leftMarker == "M") {
        out.kind = ReactionKind::FallOffMixture;
    } else if (!leftMarker.empty()) {
        out.kind = ReactionKind::FallOffSpecies;
        out.bathSpecies = species.Find(leftMarker);
    }
    out.realCoefficients = false;
    for (const auto* side : {&out.reactants, &out.products}) {
        for (const StoichTerm& t : *side) {
            if (t.coefficient > kMaxCoefficient) {
                diagnostics.Error(kBadNumber, where, "stoichiometric coefficient too large", equation,
                                  "a coefficient of at most 1e6 for each species");
                return false;
            }
            if (t.coefficient != std::round(t.coefficient)) out.realCoefficients = true;
        }
    }
    return true;
}

}  // namespace vantor::tolmar
