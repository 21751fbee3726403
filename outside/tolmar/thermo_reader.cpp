#include "outside/tolmar/thermo_reader.h"

#include <string>

#include "common/fixed_format.h"
#include "outside/tolmar/fortran_number.h"
#include "outside/tolmar/section_splitter.h"
#include "outside/tolmar/thermo_first_line.h"

namespace vantor::tolmar {
namespace {

char Marker(const SourceLine& line) {
    return line.text.size() >= 80 ? line.text[79] : ' ';
}

bool IsMeaningful(const SourceLine& line) {
    const std::string_view t = Trim(line.text);
    return !t.empty() && t.front() != '!';
}

std::string_view FirstWord(std::string_view text) {
    const auto words = SplitWords(StripComment(text));
    return words.empty() ? std::string_view() : words.front();
}

bool IsEndOfData(const SourceLine& line) {
    const std::string word = ToUpper(FirstWord(line.text));
    return word == "END" || word == "ENDOFDATA";
}

// Line 1 of an entry: marked 1 in column 80, or unmarked with readable temperature fields.
bool LooksLikeEntryStart(const SourceLine& line) {
    const char marker = Marker(line);
    if (marker == '1') return true;
    if (marker != ' ') return false;
    double t;
    return ParseNumber(Trim(Columns(line.text, 46, 55)), t) && ParseNumber(Trim(Columns(line.text, 56, 65)), t);
}

bool IsDefaultTemperatureLine(const SourceLine& line) {
    double t;
    return Marker(line) != '1' && ParseNumber(FirstWord(line.text), t);
}

}  // namespace

ThermoReader::ThermoReader(Mechanism& mechanism, const NameIndex& species, const NameIndex& elements,
                           Diagnostics& diagnostics)
    : mechanism_(mechanism), species_(species), elements_(elements), diagnostics_(diagnostics) {}

void ThermoReader::ReadSection(const std::vector<SourceLine>& lines, std::string_view file) {
    defaultCommon_ = 1000.0;
    ReadEntries(lines, SkipDefaultTemperatures(lines, 0, file), file);
    tally_.Flush(file, diagnostics_);
}

void ThermoReader::ReadFile(const std::vector<SourceLine>& lines, std::string_view file) {
    defaultCommon_ = 1000.0;
    size_t i = 0;
    while (i < lines.size() && !IsMeaningful(lines[i])) ++i;
    SectionKind kind;
    if (i < lines.size() && SectionKeyword(FirstWord(lines[i].text), kind) && kind == SectionKind::Thermo) ++i;
    ReadEntries(lines, SkipDefaultTemperatures(lines, i, file), file);
    tally_.Flush(file, diagnostics_);
}

size_t ThermoReader::SkipDefaultTemperatures(const std::vector<SourceLine>& lines, size_t at, std::string_view file) {
    while (at < lines.size() && !IsMeaningful(lines[at])) ++at;
    if (at >= lines.size() || !IsDefaultTemperatureLine(lines[at])) return at;
    const SourceLine& line = lines[at];
    const auto words = SplitWords(StripComment(line.text));
    double t[3] = {};
    for (size_t n = 0; n < 3; ++n) {
        if (n >= words.size() || !ParseNumber(words[n], t[n]) || t[n] <= 0.0) {
            diagnostics_.Error(kBadNumber, {file, line.number}, "bad default temperatures", Trim(line.text),
                               "three positive temperatures: low, common, high");
            return at + 1;
        }
    }
    defaultCommon_ = t[1];
    return at + 1;
}

void ThermoReader::ReadEntries(const std::vector<SourceLine>& lines, size_t first, std::string_view file) {
    size_t i = first;
    while (i < lines.size()) {
        const SourceLine& start = lines[i];
        if (!IsMeaningful(start)) {
            ++i;
            continue;
        }
        if (IsEndOfData(start)) return;
        if (!LooksLikeEntryStart(start)) {
            if (Marker(start) == ' ') {
                diagnostics_.Warning({file, start.number}, "thermo data ends at text that is not an entry: \"" +
                                                               Excerpt(Trim(start.text)) + "\"");
                return;
            }
            diagnostics_.Error(kTruncatedThermo, {file, start.number}, "thermo entry line out of place",
                               Trim(start.text), "line 1 of an entry (column 80: 1)");
            ++i;
            continue;
        }
        const SourceLine* entry[4] = {&start, nullptr, nullptr, nullptr};
        size_t have = 1, j = i + 1;
        while (have < 4 && j < lines.size()) {
            const SourceLine& line = lines[j];
            if (!IsMeaningful(line)) {
                ++j;
                continue;
            }
            const char marker = Marker(line);
            if (IsEndOfData(line) || (marker != ' ' && marker != static_cast<char>('1' + have))) break;
            entry[have++] = &line;
            ++j;
        }
        if (have < 4) {
            diagnostics_.Error(
                kTruncatedThermo, {file, start.number},
                "thermo entry cut short after " + std::to_string(have) + (have == 1 ? " line" : " lines"),
                Trim(start.text), "four lines per species (column 80: 1, 2, 3, 4)");
        } else {
            ReadEntry(entry, file);
        }
        i = j;
    }
}

void ThermoReader::ReadEntry(const SourceLine* entry[4], std::string_view file) {
    const SourceLine& first = *entry[0];
    const auto nameWords = SplitWords(Columns(first.text, 1, 18));
    if (nameWords.empty()) {
        diagnostics_.Error(kSyntaxError, {file, first.number}, "thermo entry without a species name", Trim(first.text),
                           "the species name in columns 1-18");
        return;
    }
    const int32_t k = species_.Find(nameWords.front());
    if (k == 0) return;  // not part of this mechanism
    Species& species = mechanism_.species[static_cast<size_t>(k - 1)];
    if (species.hasThermo) {
        diagnostics_.Warning({file, first.number}, "another thermo entry of " + species.name +
                                                       " ignored; the entry of " + species.thermoSource + " is kept");
        return;
    }
    Species parsed = species;
    const ThermoLineContext context{mechanism_, elements_, file, diagnostics_, tally_, defaultCommon_};
    if (!ReadThermoFirstLine(first, context, parsed) || !ReadCoefficients(entry, file, parsed.fit)) return;
    parsed.hasThermo = true;
    parsed.thermoSource = DescribeLocation({file, first.number});
    species = std::move(parsed);
}

bool ThermoReader::ReadCoefficients(const SourceLine* entry[4], std::string_view file, ThermoFit& fit) {
    // (line, field) of a1..a7 of the high range, then of the low range.
    double* const targets[3][5] = {
        {&fit.high[0], &fit.high[1], &fit.high[2], &fit.high[3], &fit.high[4]},
        {&fit.high[5], &fit.high[6], &fit.low[0], &fit.low[1], &fit.low[2]},
        {&fit.low[3], &fit.low[4], &fit.low[5], &fit.low[6], nullptr},
    };
    for (size_t l = 0; l < 3; ++l) {
        const SourceLine& line = *entry[l + 1];
        for (size_t f = 0; f < 5 && targets[l][f]; ++f) {
            const size_t first = 15 * f + 1;
            const std::string_view text = Trim(Columns(line.text, first, first + 14));
            bool blankSign = false;
            if (!ParseFieldNumber(text, *targets[l][f], blankSign)) {
                diagnostics_.Error(kBadNumber, {file, line.number}, "bad thermo coefficient", text,
                                   "a number in columns " + std::to_string(first) + "-" + std::to_string(first + 14));
                return false;
            }
            if (blankSign)
                tally_.Note("blank exponent sign", line.number,
                            "blank exponent sign in \"" + std::string(text) + "\" read as +, giving " +
                                FormatFull(*targets[l][f]));
        }
    }
    return true;
}

void ThermoReader::ReportMissing(std::string_view mechanismFile, std::string_view where) {
    for (const Species& species : mechanism_.species) {
        if (species.hasThermo) continue;
        diagnostics_.Error(kMissingThermo, {mechanismFile, species.line}, "no thermo data for species", species.name,
                           std::string("an entry for it in ") + std::string(where));
    }
}

}  // namespace vantor::tolmar
