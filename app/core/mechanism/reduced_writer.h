#pragma once
// The reduced mechanism writer (task code 5): from the opened mechanism and the trimmed-species
// file to "NEW_Chem.inp". Removed species are commented out of the species section, every
// reaction naming one is commented out with its auxiliary lines, efficiency lists of kept
// reactions lose the removed partners, and a header records the run's settings and counts.
//
// The work runs on the runner's worker thread from a copy of the model; what the window's lists
// must show afterwards travels back as data (ReducedWriterOutcome) and is applied on the caller's
// thread with ApplyReducedOutcome.

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/mechanism/mechanism_model.h"
#include "common/engine_method.h"

namespace vantor {

inline constexpr const char* kReducedMechanismFileName = "NEW_Chem.inp";
inline constexpr const char* kRemovedLinePrefix = "  !RD-> ";
inline constexpr int32_t kReducedWriterSuccess = 10508;   // 10000 + 100 x task code 5 + 8
inline constexpr int32_t kReducedStoreFailed = 102;       // NEW_Chem.inp could not be written
inline constexpr int32_t kReducedWriterFailed = 103;      // the generation itself failed (no memory)

// The run settings the header records (the run settings record after validation).
struct ReducedHeaderSettings {
    std::vector<double> pressures;          // atm, as typed
    std::vector<double> temperatures;       // K
    std::vector<std::string> mixtureLines;  // the mixture lines as typed
    double threshold = 0.0;                 // as the run settings hold it (after the method transform)
    double heatKeptRatio = 0.0;
    EngineMethod method = EngineMethod::Pfa;  // its name in header line 2
    char decimalSeparator = '.';            // of the user's number format
    std::string timestamp;                  // "YYYY-MM-DD HH:NN:SS"; empty means now
};

// Reaction-section line classes of ClassifyLine.
enum LineClass : int {
    kKeptReaction = 0,       // reaction line without a removed species (also empty/comment)
    kRemovedReaction = 1,    // reaction line naming a removed species
    kAuxiliary = 10,         // auxiliary line without a removed species
    kAuxiliaryRemoved = 11,  // auxiliary line naming a removed species
};

// Classifies a reaction-section line (leading blanks already removed). A trailing comment is
// ignored; a removed name counts only as a whole species token, optionally behind a numeric
// coefficient (2OH, 0.5O2), so H2 does not match H2O and CH2 does not match CH2(S), while
// CH3(+M) names CH3.
int ClassifyLine(std::string_view trimmedLine, const std::vector<std::string>& removedNames);

// The efficiency clean-up of an auxiliary line of a kept reaction: the first "NAME/value/" entry
// of each unchecked species (up to three blanks before the first "/"; the name at the start of
// the line or after a blank or "/") is blanked, value and closing "/" included.
std::string CleanEfficiencyLine(std::string_view trimmedLine, const std::vector<SpeciesEntry>& species);

// Header line 3: "!P=1.0000,2.0000atm;T=...K;Mix=...;THD=...;HHR=...".
std::string FormatSettingsHeaderLine(const ReducedHeaderSettings& settings);

// What a generation produced, for the caller's thread to apply.
struct ReducedWriterOutcome {
    int32_t status = 0;        // 0, kTrimReaderFailed, kReducedStoreFailed or kReducedWriterFailed
    std::string error;         // the detail behind a status above 0 (file, line, value)
    bool readerRan = false;    // the species marks below are the reader's
    bool generationStarted = false;
    bool completed = false;    // NEW_Chem.inp stored, result 10508
    std::vector<bool> speciesChecked;
    std::vector<std::string> removedSpeciesNames;
    std::vector<std::string> reducedText;  // the "Reduced Chemistry" items
    int32_t keptSpeciesCount = 0;
    int32_t removedReactionCount = 0;
    int32_t reducedReactionCount = 0;
    std::string keepCaption;
    std::string reducedCountsCaption;
    std::string outputPath;
    std::string trimmedSpeciesPath;  // the path the reader used, kept for later trims
    std::string yamlError;           // "<E> " line when NEW_Chem.yaml could not be written
};

// Everything one generation reads, copied on the caller's side.
struct ReducedWriterJob {
    MechanismModel model;
    ReducedHeaderSettings settings;
    std::string trimmedSpeciesPath;  // the job record's TrimFile
    std::string workDirectory;       // NEW_Chem.inp goes here
};

// The generation without storing the file: reads the trimmed-species file into `job.model`,
// builds the output lines and counts. `progress` (may be null) follows the writer's steps
// 10, 20, 30 .. 90; the caller stores the file and sets 9999.
ReducedWriterOutcome BuildReducedMechanism(ReducedWriterJob& job, double* progress = nullptr);

// The full task: BuildReducedMechanism, then NEW_Chem.inp stored atomically in the work directory.
// Returns kReducedWriterSuccess with progress 9999 on success, 0 with *status above 0 otherwise.
int32_t WriteReducedMechanism(ReducedWriterJob job, int32_t* status, double* progress,
                              ReducedWriterOutcome* outcome);

// Applies an outcome to the window's model: species marks and removed names from the reader,
// the reduced list, counts, captions and the ReducedInpReady / GenerationPending flags.
void ApplyReducedOutcome(MechanismModel& model, const ReducedWriterOutcome& outcome);

// "INP Save": the reduced list, one item per line, CR LF line ends, written atomically.
bool SaveReducedMechanism(const MechanismModel& model, const std::string& path, std::string* error = nullptr);

// The task-5 callable the runner's worker calls: int32_t(int32_t* status, double* progress).
// The job is copied on the caller's thread when the step starts (Entry); the worker computes from
// that copy, and the caller's thread takes the outcome back once the step has ended.
class ReducedWriterTask {
public:
    using Callable = std::function<int32_t(int32_t* status, double* progress)>;

    // A callable for one generation of `job`; the task must outlive the runner's use of it.
    Callable Entry(ReducedWriterJob job);

    // On the caller's thread once the step has ended: the last outcome, handed over once.
    std::optional<ReducedWriterOutcome> TakeOutcome();

private:
    int32_t Run(ReducedWriterJob job, int32_t* status, double* progress);

    std::mutex mutex_;
    std::optional<ReducedWriterOutcome> outcome_;
};

}  // namespace vantor
