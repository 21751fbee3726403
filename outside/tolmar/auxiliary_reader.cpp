#include "outside/tolmar/auxiliary_reader.h"

#include <algorithm>
#include <string>

#include "outside/tolmar/fortran_number.h"
#include "outside/tolmar/rate_units.h"
#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {
namespace {

// Keywords of other CHEMKIN versions whose data the binary has no place for.
constexpr std::string_view kUnsupported[] = {"CHEB", "PCHEB", "TCHEB",   "MOME",
                                             "XSMI", "USRPROG", "COLLEFF"};

class ItemApplier {
public:
    ItemApplier(const AuxiliaryItem& item, const NameIndex& species, Location where, Diagnostics& diagnostics,
                Reaction& reaction)
        : item_(item),
          keyword_(ToUpper(item.word)),
          species_(species),
          where_(where),
          diagnostics_(diagnostics),
          reaction_(reaction) {}

    void Apply() {
        if (keyword_ == "DUP" || keyword_ == "DUPLICATE") return Duplicate();
        if (keyword_ == "LOW") return Low();
        if (keyword_ == "HIGH") return High();
        if (keyword_ == "TROE") return Form(FallOffForm::Troe3, 3, 4);
        if (keyword_ == "SRI") return Form(FallOffForm::Sri, 3, 5);
        if (keyword_ == "REV") return Reverse();
        if (keyword_ == "LT") return Pair(reaction_.landauTeller);
        if (keyword_ == "RLT") return Pair(reaction_.reverseLandauTeller);
        if (keyword_ == "HV") return Single(reaction_.wavelength);
        if (keyword_ == "EXCI") return Single(reaction_.excitation);
        if (keyword_ == "JAN") return Fixed(reaction_.jan);
        if (keyword_ == "FIT1") return Fixed(reaction_.fit1);
        if (keyword_ == "TDEP") return ElectronImpact();
        if (keyword_ == "FORD") return Order(reaction_.forwardOrders, false);
        if (keyword_ == "RORD") return Order(reaction_.reverseOrders, true);
        if (keyword_ == "PLOG") return PressureTerm();
        if (keyword_ == "UNITS") return Units();
        if (std::find(std::begin(kUnsupported), std::end(kUnsupported), keyword_) != std::end(kUnsupported))
            return Error(kUnsupportedFeature, "auxiliary keyword not supported", item_.word,
                         "data this interpreter can store (LOW, TROE, SRI, REV, PLOG, ...)");
        Efficiency();
    }

private:
    void Duplicate() {
        if (item_.values) return Error(kSyntaxError, "DUPLICATE takes no values", *item_.values, "DUPLICATE alone");
        reaction_.duplicate = true;
    }

    void Low() {
        if (!reaction_.IsFallOff())
            return Error(kSyntaxError, "LOW for a reaction without a fall-off marker", reaction_.equation,
                         "(+M) or (+SPECIES) in the equation");
        if (reaction_.low) return Twice();
        if (reaction_.high) return LowAndHigh();
        std::vector<double> v;
        if (!Numbers(3, 3, v)) return;
        CheckPositiveLimit(v);  // kept when refused too, so no second error calls the limit missing
        reaction_.low = Arrhenius{v[0], v[1], v[2]};
    }

    void High() {
        if (!reaction_.IsFallOff())
            return Error(kSyntaxError, "HIGH for a reaction without a fall-off marker", reaction_.equation,
                         "(+M) or (+SPECIES) in the equation");
        if (reaction_.high) return Twice();
        if (reaction_.low) return LowAndHigh();
        std::vector<double> v;
        if (!Numbers(3, 3, v)) return;
        CheckPositiveLimit(v);  // kept when refused too, so no second error calls the limit missing
        reaction_.high = Arrhenius{v[0], v[1], v[2]};
    }

    // A zero limit makes the fall-off rate zero or divides by zero; a negative one gives a rate
    // above that of the positive limit, as the reduced pressure changes sign.
    void CheckPositiveLimit(const std::vector<double>& v) {
        if (v[0] > 0.0) return;
        Error(kBadNumber, keyword_ + " rate constant A not positive", *item_.values,
              "A above 0 for the " + std::string(keyword_ == "LOW" ? "low" : "high") + "-pressure limit");
    }

    void LowAndHigh() {
        Error(kSyntaxError, "LOW and HIGH for one reaction", item_.word,
              "LOW for a fall-off reaction or HIGH for a chemically activated one");
    }

    void Form(FallOffForm form, size_t fewest, size_t most) {
        if (!reaction_.IsFallOff())
            return Error(kSyntaxError, keyword_ + " for a reaction without a fall-off marker", reaction_.equation,
                         "(+M) or (+SPECIES) in the equation");
        if (!reaction_.formParameters.empty())
            return Error(kSyntaxError, "second fall-off form " + keyword_, item_.word, "one TROE or one SRI");
        std::vector<double> v;
        if (!Numbers(fewest, most, v)) return;
        if (v.size() != fewest && v.size() != most)
            return Error(kSyntaxError,
                         keyword_ + " takes " + std::to_string(fewest) + " or " + std::to_string(most) + " values",
                         *item_.values, "");
        if (form == FallOffForm::Troe3 && v.size() == 4) form = FallOffForm::Troe4;
        if (form == FallOffForm::Sri && v.size() == 3) v.insert(v.end(), {1.0, 0.0});
        reaction_.form = form;
        reaction_.formParameters = v;
    }

    void Reverse() {
        if (!reaction_.reversible)
            return Error(kSyntaxError, "REV for an irreversible reaction", reaction_.equation, "= or <=> with REV");
        if (reaction_.reverse) return Twice();
        std::vector<double> v;
        if (Numbers(3, 3, v)) reaction_.reverse = Arrhenius{v[0], v[1], v[2]};
    }

    void Pair(std::optional<std::array<double, 2>>& target) {
        if (target) return Twice();
        std::vector<double> v;
        if (Numbers(2, 2, v)) target = std::array<double, 2>{v[0], v[1]};
    }

    void Single(std::optional<double>& target) {
        if (target) return Twice();
        std::vector<double> v;
        if (Numbers(1, 1, v)) target = v[0];
    }

    template <size_t N>
    void Fixed(std::optional<std::array<double, N>>& target) {
        if (target) return Twice();
        std::vector<double> v;
        if (!Numbers(N, N, v)) return;
        target.emplace();
        std::copy(v.begin(), v.end(), target->begin());
    }

    void ElectronImpact() {
        if (reaction_.electronImpactSpecies != 0) return Twice();
        const auto words = SplitWords(item_.values.value_or(""));
        if (words.size() != 1)
            return Error(kSyntaxError, "TDEP takes one species", item_.values.value_or(item_.word), "TDEP /SPECIES/");
        const int32_t k = species_.Find(words[0]);
        if (k == 0)
            return Error(kUndeclaredSpecies, "undeclared species in TDEP", words[0],
                         "a species of the SPECIES section");
        reaction_.electronImpactSpecies = k;
    }

    void Order(std::vector<std::pair<int32_t, double>>& orders, bool reverse) {
        if (reverse && !reaction_.reversible)
            return Error(kSyntaxError, "RORD for an irreversible reaction", reaction_.equation, "= or <=> with RORD");
        const auto words = SplitWords(item_.values.value_or(""));
        if (words.size() != 2)
            return Error(kSyntaxError, keyword_ + " takes a species and an order", item_.values.value_or(item_.word),
                         keyword_ + " /SPECIES order/");
        const int32_t k = species_.Find(words[0]);
        if (k == 0)
            return Error(kUndeclaredSpecies, "undeclared species in " + keyword_, words[0],
                         "a species of the SPECIES section");
        double value = 0.0;
        if (!ParseNumber(words[1], value)) return Error(kBadNumber, "bad order in " + keyword_, words[1], "a number");
        for (const auto& entry : orders)
            if (entry.first == k)
                return Error(kSyntaxError, keyword_ + " given twice for species", words[0], "one order per species");
        orders.emplace_back(k, value);
    }

    void PressureTerm() {
        if (reaction_.IsFallOff())
            return Error(kSyntaxError, "PLOG for a fall-off reaction", reaction_.equation,
                         "PLOG only for reactions without (+M)");
        std::vector<double> v;
        if (!Numbers(4, 4, v)) return;
        if (v[0] <= 0.0)
            return Error(kBadNumber, "PLOG pressure not positive", *item_.values, "a pressure above 0 atm");
        reaction_.pressureTerms.push_back({v[0], {v[1], v[2], v[3]}});
    }

    void Units() {
        const auto words = SplitWords(item_.values.value_or(""));
        if (words.empty()) return Error(kSyntaxError, "UNITS without units", item_.word, "UNITS /KCAL/MOLE/ or similar");
        for (const std::string_view word : words) {
            bool twice = false;
            if (!ApplyUnitKeyword(word, reaction_.units, twice))
                return Error(kUnknownKeyword, "unknown unit keyword in UNITS", word, std::string(kUnitKeywords));
            if (twice) return Error(kSyntaxError, "UNITS gives one dimension twice", *item_.values,
                                    "one energy and one amount unit per reaction");
        }
    }

    void Efficiency() {
        const int32_t k = species_.Find(item_.word);
        if (k == 0) {
            if (reaction_.IsThirdBody() && item_.values)
                return Error(kUndeclaredSpecies, "efficiency of an undeclared species", item_.word,
                             "a species of the SPECIES section");
            return Error(kUnknownKeyword, "unknown auxiliary keyword", item_.word,
                         "DUPLICATE, LOW, TROE, SRI, REV, LT, RLT, PLOG, FORD, RORD, TDEP, JAN, FIT1, EXCI, HV or "
                         "SPECIES/efficiency/");
        }
        if (!reaction_.IsThirdBody())
            return Error(kSyntaxError, "third-body efficiency for a reaction without M", item_.word,
                         "+M or (+M) in the equation");
        std::vector<double> v;
        if (!Numbers(1, 1, v)) return;
        if (v[0] < 0.0) return Error(kBadNumber, "negative efficiency", *item_.values, "an efficiency of 0 or more");
        for (const auto& entry : reaction_.efficiencies)
            if (entry.first == k)
                return Error(kSyntaxError, "efficiency given twice for species", item_.word,
                             "one efficiency per species");
        reaction_.efficiencies.emplace_back(k, v[0]);
    }

    bool Numbers(size_t fewest, size_t most, std::vector<double>& out) {
        const std::string count =
            fewest == most ? std::to_string(fewest) : std::to_string(fewest) + " to " + std::to_string(most);
        if (!item_.values) {
            Error(kSyntaxError, keyword_ + " without values", item_.word, keyword_ + " /" + count + " numbers/");
            return false;
        }
        std::string values(*item_.values);
        if (values.find(',') != std::string::npos) {
            std::replace(values.begin(), values.end(), ',', ' ');
            diagnostics_.Warning(where_, keyword_ + " values \"" + Excerpt(Trim(*item_.values)) +
                                             "\" separated by commas; read as separated by blanks");
        }
        const auto words = SplitWords(values);
        if (words.size() < fewest || words.size() > most) {
            Error(kSyntaxError, keyword_ + " takes " + count + " values", *item_.values,
                  count + " numbers between the slashes");
            return false;
        }
        out.assign(words.size(), 0.0);
        for (size_t i = 0; i < words.size(); ++i) {
            if (!ParseNumber(words[i], out[i])) {
                Error(kBadNumber, "bad number in " + keyword_, words[i], "a number");
                return false;
            }
        }
        return true;
    }

    void Twice() { Error(kSyntaxError, keyword_ + " given twice", item_.word, "one " + keyword_ + " per reaction"); }

    void Error(CompileStatus status, std::string_view problem, std::string_view text, std::string_view expected) {
        diagnostics_.Error(status, where_, problem, text, expected);
    }

    const AuxiliaryItem& item_;
    std::string keyword_;
    const NameIndex& species_;
    Location where_;
    Diagnostics& diagnostics_;
    Reaction& reaction_;
};

// Unit keywords hold slashes ("UNITS /KCAL/MOLE/"): the values end at the last slash that still
// leaves only unit keywords between them, or at the next slash when none does.
size_t UnitsClose(std::string_view text, size_t open) {
    const size_t first = text.find('/', open + 1);
    size_t best = first;
    for (size_t close = first; close != std::string_view::npos; close = text.find('/', close + 1)) {
        const auto words = SplitWords(text.substr(open + 1, close - open - 1));
        ReactionUnits scratch;
        const bool allUnits = !words.empty() && std::all_of(words.begin(), words.end(), [&](std::string_view w) {
            UnitsOverride o;
            bool twice;
            return ApplyUnitKeyword(w, scratch) || ApplyUnitKeyword(w, o, twice);
        });
        if (allUnits) best = close;
    }
    return best;
}

}  // namespace

bool SplitAuxiliaryItems(std::string_view text, Location where, Diagnostics& diagnostics,
                         std::vector<AuxiliaryItem>& items) {
    size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i >= text.size()) return true;
        const size_t start = i;
        while (i < text.size() && !IsBlank(text[i]) && text[i] != '/') ++i;
        AuxiliaryItem item{text.substr(start, i - start), std::nullopt};
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i < text.size() && text[i] == '/') {
            size_t close = ToUpper(item.word) == "UNITS" ? UnitsClose(text, i) : text.find('/', i + 1);
            if (close == std::string_view::npos) {
                // Real files end a line's last item before a "!" comment without its slash.
                if (Trim(text.substr(i + 1)).empty()) {
                    diagnostics.Error(kSyntaxError, where, "values without closing slash", text.substr(start),
                                      "KEYWORD /values/");
                    return false;
                }
                diagnostics.Warning(where, "no closing slash after the last values \"" +
                                               Excerpt(Trim(text.substr(start))) + "\"; read up to the end of the line");
                close = text.size();
            }
            item.values = text.substr(i + 1, close - i - 1);
            i = std::min(close + 1, text.size());
        }
        if (item.word.empty()) {
            diagnostics.Error(kSyntaxError, where, "values without a keyword", text.substr(start), "KEYWORD /values/");
            return false;
        }
        items.push_back(item);
    }
}

void ApplyAuxiliaryItem(const AuxiliaryItem& item, const NameIndex& species, Location where, Diagnostics& diagnostics,
                        Reaction& reaction) {
    ItemApplier(item, species, where, diagnostics, reaction).Apply();
}

}  // namespace vantor::tolmar
