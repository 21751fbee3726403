#include "outside/tolmar/thermo_first_line.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/fixed_format.h"
#include "outside/tolmar/fortran_number.h"

namespace vantor::tolmar {
namespace {

constexpr double kMaxAtomCount = 1.0e6;
constexpr size_t kFifthField = 74;

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool WrittenAsReal(std::string_view count) {
    return count.find_first_of(".EeDd") != std::string_view::npos;
}

bool IsWholeCount(double count) {
    return count == std::round(count) && std::abs(count) <= kMaxAtomCount;
}

int32_t PhaseCode(char c) {
    switch (c) {
        case 'L':
        case 'l':
            return 1;
        case 'S':
        case 's':
            return -1;
        default:
            return 0;
    }
}

class FirstLineReader {
public:
    FirstLineReader(const SourceLine& line, const ThermoLineContext& context, Species& species)
        : line_(line), c_(context), species_(species) {}

    bool Read() {
        species_.composition.assign(c_.mechanism.elements.size(), 0);
        const size_t spill = CommonTemperatureSpill();
        bool ok = ReadFixedFields();
        ok = ReadFifthField(spill) && ok;
        ok = ReadExtraColumns() && ok;
        if (ok && !anyAtom_) {
            Error(kSyntaxError, "thermo entry without elements", species_.name,
                  "element symbols and counts in columns 25-44");
            return false;
        }
        if (!ok) return false;
        SumWeightAndCharge();
        species_.phase = PhaseCode(line_.text.size() >= 45 ? line_.text[44] : 'G');
        return ReadTemperatures(spill);
    }

private:
    // Digits of the common temperature written on into columns 74-75 (0, 1 or 2 of them).
    size_t CommonTemperatureSpill() const {
        const std::string_view t = line_.text;
        if (t.size() < kFifthField || IsBlank(t[kFifthField - 2])) return 0;
        size_t n = 0;
        while (n < 2 && kFifthField - 1 + n < t.size() && IsNumberChar(t[kFifthField - 1 + n])) ++n;
        return n;
    }

    bool ReadFixedFields() {
        bool ok = true;
        for (const size_t start : {25, 30, 35, 40}) {
            const std::string_view field = Columns(line_.text, start, start + 4);
            const std::string_view symbol = Trim(field.substr(0, std::min<size_t>(2, field.size())));
            const std::string_view countText = field.size() > 2 ? Trim(field.substr(2)) : std::string_view();
            if (symbol.empty() || symbol.find_first_not_of('0') == std::string_view::npos) continue;
            double count = 0.0;
            if (!ParseNumber(countText, count) || !IsWholeCount(count)) {
                Error(kBadNumber, "bad atom count of " + std::string(symbol) + " for " + species_.name, field,
                      "a whole number after the element symbol in columns " + std::to_string(start) + "-" +
                          std::to_string(start + 4));
                ok = false;
                continue;
            }
            if (WrittenAsReal(countText))
                c_.tally.Note("real count", line_.number,
                              "element count written as a real number (\"" + std::string(Trim(field)) +
                                  "\") read as the whole number " + FormatFull(count));
            ok = AddAtoms(symbol, count) && ok;
        }
        return ok;
    }

    bool ReadFifthField(size_t spill) {
        const std::string_view field = Columns(line_.text, kFifthField + spill, kFifthField + 4);
        if (Trim(field).empty()) return true;
        const std::string_view symbol = spill == 0 ? Trim(Columns(line_.text, 74, 75)) : std::string_view();
        const std::string_view countText = spill == 0 ? Trim(Columns(line_.text, 76, 78)) : Trim(field);
        double count = 0.0;
        const bool number = ParseNumber(countText, count);
        if (symbol.empty() || symbol.find_first_not_of('0') == std::string_view::npos) {
            if (countText.empty() || (number && count == 0.0)) return true;  // the usual empty field
        } else if (IsLetter(symbol.front()) && number && IsWholeCount(count)) {
            if (WrittenAsReal(countText))
                c_.tally.Note("real count", line_.number,
                              "element count written as a real number (\"" + std::string(Trim(field)) +
                                  "\") read as the whole number " + FormatFull(count));
            return AddAtoms(symbol, count);
        }
        c_.tally.Note("fifth field", line_.number,
                      "fifth element field \"" + std::string(Trim(field)) + "\" of " + species_.name +
                          " (columns 74-78) holds no element symbol with a whole count; ignored");
        return true;
    }

    // Large species (soot, PAH) give further elements after column 80, ten columns each: a
    // symbol and a right-aligned whole count ("C      388H      144"), up to a "!" comment.
    bool ReadExtraColumns() {
        constexpr size_t kWidth = 10;
        const std::string_view rest = line_.text.size() > 80 ? StripComment(line_.text.substr(80)) : "";
        if (Trim(rest).empty()) return true;
        for (size_t at = 0; at < rest.size(); at += kWidth) {
            const std::string_view group = rest.substr(at, kWidth);
            const std::string_view field = Trim(group);
            if (field.empty()) continue;
            size_t n = 0;
            while (n < field.size() && IsLetter(field[n])) ++n;
            const std::string_view symbol = field.substr(0, n), countText = Trim(field.substr(n));
            double count = 0.0;
            if (n == 0 || !ParseNumber(countText, count) || !IsWholeCount(count) || count < 0.0) {
                Error(kBadNumber, "bad element count beyond column 80 for " + species_.name, group,
                      "an element symbol and a whole count in each ten columns from column " +
                          std::to_string(81 + at));
                return false;
            }
            if (!AddAtoms(symbol, count)) return false;
            if (!species_.extraElements.empty()) species_.extraElements += ' ';
            species_.extraElements += std::string(symbol) + " " + FormatFull(count);
        }
        return true;
    }

    bool AddAtoms(std::string_view symbol, double count) {
        if (count == 0.0) return true;
        const int32_t m = c_.elements.Find(symbol);
        if (m == 0) {
            Error(kUndeclaredElement, "undeclared element in the thermo entry of " + species_.name, symbol,
                  "an element of the ELEMENTS section");
            return false;
        }
        const auto at = static_cast<size_t>(m - 1);
        species_.composition[at] += static_cast<int32_t>(count);
        anyAtom_ = true;
        if (given_.size() <= at) given_.resize(at + 1, false);
        if (given_[at])
            c_.diagnostics.Warning({c_.file, line_.number},
                                   "element " + std::string(symbol) + " given twice in the thermo entry of " +
                                       species_.name + "; counts added: " + std::string(symbol) + " " +
                                       std::to_string(species_.composition[at]));
        given_[at] = true;
        return true;
    }

    void SumWeightAndCharge() {
        species_.weight = 0.0;
        species_.charge = 0;
        for (size_t m = 0; m < c_.mechanism.elements.size(); ++m) {
            const int32_t count = species_.composition[m];
            species_.weight += count * c_.mechanism.elements[m].weight;
            if (ToUpper(c_.mechanism.elements[m].name) == "E") species_.charge -= count;
        }
    }

    bool ReadTemperatures(size_t spill) {
        ThermoFit& fit = species_.fit;
        if (!ReadTemperature(46, 55, "low temperature", fit.tLow) ||
            !ReadTemperature(56, 65, "high temperature", fit.tHigh))
            return false;
        const size_t last = 73 + spill;
        const std::string_view common = Trim(Columns(line_.text, 66, last));
        if (common.empty()) {
            fit.tCommon = c_.defaultCommon;
            c_.tally.Note("blank common", line_.number,
                          "blank common temperature of " + species_.name + " taken as the THERMO line's default " +
                              FormatFull(c_.defaultCommon) + " K");
        } else {
            if (!ReadTemperature(66, last, "common temperature", fit.tCommon)) return false;
            // Trailing zeros of the decimals in columns 74-75 (GRI-Mech writes "  1000.000") change
            // nothing; digits or a decimal point there do.
            const std::string_view spilled = Columns(line_.text, 74, 73 + spill);
            const bool onlyTrailingZeros = Columns(line_.text, 66, 73).find('.') != std::string_view::npos &&
                                           spilled.find_first_not_of('0') == std::string_view::npos;
            if (spill > 0 && !onlyTrailingZeros)
                c_.tally.Note("spilled common", line_.number,
                              "common temperature of " + species_.name + " written over columns 66-" +
                                  std::to_string(last) + " (\"" + std::string(common) + "\"), read as " +
                                  FormatFull(fit.tCommon) + " K");
        }
        if (!(fit.tLow <= fit.tCommon && fit.tCommon <= fit.tHigh))
            c_.diagnostics.Warning({c_.file, line_.number},
                                   "fit temperatures of " + species_.name + " are not ascending (low, common, high)");
        return true;
    }

    bool ReadTemperature(size_t first, size_t last, const char* what, double& value) {
        const std::string_view text = Trim(Columns(line_.text, first, last));
        if (ParseNumber(text, value) && value > 0.0) return true;
        Error(kBadNumber, std::string("bad ") + what, text,
              "a positive temperature in columns " + std::to_string(first) + "-" + std::to_string(last));
        return false;
    }

    void Error(CompileStatus status, const std::string& problem, std::string_view text, const std::string& expected) {
        c_.diagnostics.Error(status, {c_.file, line_.number}, problem, text, expected);
    }

    const SourceLine& line_;
    const ThermoLineContext& c_;
    Species& species_;
    bool anyAtom_ = false;
    std::vector<bool> given_;  // elements named so far, by element index
};

}  // namespace

bool ReadThermoFirstLine(const SourceLine& line, const ThermoLineContext& context, Species& species) {
    return FirstLineReader(line, context, species).Read();
}

}  // namespace vantor::tolmar
