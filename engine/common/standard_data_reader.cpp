#include "engine/common/standard_data_reader.h"

#include <algorithm>
#include <optional>

#include "engine/common/run_listing.h"

namespace vantor::engine {
namespace {

constexpr int kDimensionColumn = 20;
constexpr int kDimensionMaximum = 10;
constexpr int kSpeciesCountColumn = 3;
constexpr int kInitialSpeciesColumn = 12;
constexpr int kCaseColumn = 6;
constexpr int kDataColumn = 1;

bool StartsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

}  // namespace

bool FitsLineBuffer(int64_t NS) { return (NS + 8) * 15 < static_cast<int64_t>(kLineBufferLength); }

std::string StandardDataReader::Where() const { return fileName_ + " line " + std::to_string(lines_.LineNumber()); }

int32_t StandardDataReader::Fail(int32_t status, const std::string& what) {
    WriteFreeRecord(listing_, "* ERROR: " + what);
    return status;
}

int32_t StandardDataReader::Numbers(std::string_view line, int startColumn, int maxCount) {
    const LineNumbers parsed = ParseLineNumbers(line, startColumn, maxCount, values_);
    count_ = parsed.count;
    switch (parsed.error) {
    case NumberError::None:
        return 0;
    case NumberError::NotANumber:
        return Fail(codes_.notANumber, Where() + ", column " + std::to_string(parsed.errorColumn) + ": '" +
                                           parsed.errorItem + "' is not a number.");
    case NumberError::MissingNumber:
        return Fail(codes_.missingNumber, Where() + ": a number is missing from column " +
                                              std::to_string(startColumn) + " on (" + std::to_string(count_) +
                                              " found).");
    }
    return 0;
}

int32_t StandardDataReader::FirstPass(StandardDataDimensions& dims) {
    lines_.Rewind();
    std::string raw;
    while (lines_.Next(raw)) {
        const std::string_view line = LeftJustify(raw);
        if (line.empty() || line[0] != 'M') continue;
        if (const int32_t status = Numbers(line, kDimensionColumn, kDimensionMaximum)) return status;
        if (count_ < 6) {
            return Fail(codes_.shortDimensionLine, Where() + ": the dimension line holds " + std::to_string(count_) +
                                                       " numbers from column 20; six are needed.");
        }
        dims.NS = ToInteger(values_[1]);
        dims.NR = ToInteger(values_[2]);
        dims.intWorkLen = ToInteger(values_[3]);
        dims.realWorkLen = ToInteger(values_[4]);
        dims.nameWorkLen = ToInteger(values_[5]);
        return 0;
    }
    return Fail(codes_.noDimensionLine, fileName_ + " has no dimension line (a line starting with M).");
}

int32_t StandardDataReader::SecondPass(int32_t NS, StandardDataSink& sink) {
    pass_ = PassState{};
    pass_.ns = std::max<int32_t>(NS, 0);
    pass_.speciesCount = pass_.ns;
    pass_.initialSpecies.assign(static_cast<size_t>(pass_.ns) + 1, 0);
    values_.assign(static_cast<size_t>(pass_.ns) + 7, 0.0);

    lines_.Rewind();
    std::string raw;
    while (lines_.Next(raw)) {
        const std::string_view line = LeftJustify(raw);
        const char first = line.empty() ? ' ' : line[0];
        std::optional<int32_t> end;
        if (first == 'M' || first == 'S' || first == 'P' || first == 'F') continue;
        if (first == '!' || first == '/' || first == 'D' || first == 'd') continue;
        if (first == 'K') end = SpeciesCountLine(line);
        else if (first == 'I') end = InitialSpeciesLine(line);
        else if (first == 'T' || first == 'E' || first == 'e') end = CaseOrEndLine(line, sink);
        else end = DataLine(line, sink);
        if (end) return *end;
    }
    return Fail(codes_.noEndLine, fileName_ + " ends after line " + std::to_string(lines_.LineNumber()) +
                                      " without an end line; no species are selected.");
}

std::optional<int32_t> StandardDataReader::SpeciesCountLine(std::string_view line) {
    if (const int32_t status = Numbers(line, kSpeciesCountColumn, pass_.ns + 7)) return status;
    const int32_t value = ToInteger(values_[0]);
    if (value > pass_.ns) {
        return Fail(codes_.speciesCountAboveNs, Where() + ": species count " + std::to_string(value) +
                                                    " is above NS = " + std::to_string(pass_.ns) + ".");
    }
    pass_.speciesCount = value;
    return std::nullopt;
}

std::optional<int32_t> StandardDataReader::InitialSpeciesLine(std::string_view line) {
    if (line.size() < 8 || line[7] != 'I') return std::nullopt;  // "INI P(atm)", "INI SP MOL", ...
    // Only the flags up to the current species count are cleared, as the format has it.
    std::fill_n(pass_.initialSpecies.begin() + 1, std::clamp<int64_t>(pass_.speciesCount, 0, pass_.ns), 0);
    if (const int32_t status = Numbers(line, kInitialSpeciesColumn, pass_.ns + 7)) return status;
    for (int j = 0; j < count_; ++j) {
        const int32_t k = ToInteger(values_[static_cast<size_t>(j)]);
        if (k >= 1 && k <= pass_.ns) pass_.initialSpecies[static_cast<size_t>(k)] = 1;
    }
    return std::nullopt;
}

std::optional<int32_t> StandardDataReader::CaseOrEndLine(std::string_view line, StandardDataSink& sink) {
    if (pass_.pointNumber >= 1) sink.CloseCase(pass_.caseNumber, pass_.pointNumber);
    if (StartsWith(line, "TAU0")) {
        if (const int32_t status = Numbers(line, kCaseColumn, pass_.ns + 7)) return status;
        ++pass_.caseNumber;
        pass_.pointNumber = 0;
        if (pass_.caseNumber > kMaxCases) {
            WriteFreeRecord(listing_, "Case number is too small");
            return codes_.tooManyCases;
        }
        return std::nullopt;
    }
    if (line[0] == 'T') return DataLine(line, sink);  // closes the case, then is read as a data line
    if (pass_.pointNumber >= 1) return sink.FinalSelection(pass_.caseNumber);
    return Fail(codes_.noPointsAtEnd, Where() + ": end line while case " + std::to_string(pass_.caseNumber) +
                                          " has no data line; no species are selected.");
}

std::optional<int32_t> StandardDataReader::DataLine(std::string_view line, StandardDataSink& sink) {
    if (const int32_t status = Numbers(line, kDataColumn, pass_.ns + 7)) return status;
    if (count_ != pass_.speciesCount + 7) {
        WriteFreeRecord(listing_, WithValues("ASC data number wrong", {count_, pass_.speciesCount}));
        return codes_.dataCount;
    }
    if (pass_.pointNumber >= kMaxPointsPerCase) {
        return Fail(codes_.tooManyPoints, Where() + ": case " + std::to_string(pass_.caseNumber) + " has more than " +
                                              std::to_string(kMaxPointsPerCase) + " data lines.");
    }
    ++pass_.pointNumber;
    // Values a shorter species count leaves out are mole fractions of 0, not the last line's.
    std::fill(values_.begin() + count_, values_.end(), 0.0);
    const RecordedState state{pass_.caseNumber, pass_.pointNumber, values_[1], values_[6], values_.data() + 7,
                              &pass_.initialSpecies};
    if (const int32_t status = sink.RecordState(state)) return status;
    return std::nullopt;
}

}  // namespace vantor::engine
