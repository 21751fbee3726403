#pragma once
// The standard data reader: a first pass for the dimensions that size the run, and a second pass
// that walks the recorded states case by case and hands them to the per-state work.

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/common/engine_status.h"
#include "engine/common/line_numbers.h"
#include "engine/common/standard_data_lines.h"

namespace vantor::engine {

inline constexpr int kMaxCases = 2000;
inline constexpr int kMaxPointsPerCase = 2000;

// Values 2 to 6 of the dimension line.
struct StandardDataDimensions {
    int32_t NS = 0;           // species
    int32_t NR = 0;           // reactions
    int32_t intWorkLen = 0;   // ICKWRK
    int32_t realWorkLen = 0;  // RCKWRK
    int32_t nameWorkLen = 0;  // CCKWRK
};

// A data line must fit the line buffer at 15 characters a value: true when (NS + 8) x 15 is
// below 128000 (NS up to 8525).
bool FitsLineBuffer(int64_t NS);

struct RecordedState {
    int caseNumber;
    int pointNumber;
    double pressure;               // dyn/cm2
    double temperature;            // K
    const double* moleFractions;   // species 1..NS at [0..NS-1]
    const std::vector<uint8_t>* initialSpecies;  // flags, species k at [k]
};

// The per-state work the second pass drives.
class StandardDataSink {
public:
    virtual ~StandardDataSink() = default;
    // One data line; returns 0 or a failure status (after writing its own listing line).
    virtual int32_t RecordState(const RecordedState& state) = 0;
    // The current case ends (only called when it has points).
    virtual void CloseCase(int caseNumber, int pointCount) = 0;
    // The end line after a case with points; returns 0 or a failure status.
    virtual int32_t FinalSelection(int caseNumber) = 0;
};

class StandardDataReader {
public:
    StandardDataReader(std::istream& in, std::string fileName, std::ostream& listing, const EngineStatusCodes& codes)
        : lines_(in), fileName_(std::move(fileName)), listing_(listing), codes_(codes) {}

    // Reads up to the first dimension line; returns 0 or a failure status.
    int32_t FirstPass(StandardDataDimensions& dims);

    // Rewinds and walks every line; returns 0 after the final selection, else a failure status.
    // NS must be between 0 and the line-buffer limit (the run checks it before).
    int32_t SecondPass(int32_t NS, StandardDataSink& sink);

private:
    // What the second pass keeps from line to line.
    struct PassState {
        int32_t ns = 0;
        int caseNumber = 1;
        int pointNumber = 0;             // data lines of the current case
        int64_t speciesCount = 0;        // the current species count
        std::vector<uint8_t> initialSpecies;
    };
    // Each returns the status that ends the pass, or nothing to go on with the next line.
    std::optional<int32_t> SpeciesCountLine(std::string_view line);
    std::optional<int32_t> InitialSpeciesLine(std::string_view line);
    std::optional<int32_t> CaseOrEndLine(std::string_view line, StandardDataSink& sink);
    std::optional<int32_t> DataLine(std::string_view line, StandardDataSink& sink);

    int32_t Numbers(std::string_view line, int startColumn, int maxCount);
    int32_t Fail(int32_t status, const std::string& what);
    std::string Where() const;

    StandardDataLines lines_;
    std::string fileName_;
    std::ostream& listing_;
    const EngineStatusCodes& codes_;
    std::vector<double> values_;
    int count_ = 0;  // numbers taken by the last Numbers call
    PassState pass_;
};

}  // namespace vantor::engine
