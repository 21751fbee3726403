#pragma once
// The ignition step of a candidate mechanism, in one place: compile its input into a binary
// (Tolmar), then run its cases (SENKIN) chunk by chunk, each chunk one library call whose cases
// SENKIN runs in parallel. The caller looks at the cases after every chunk and may stop there,
// so a candidate already outside the target does not finish its runs. The detailed mechanism's
// own runs take the same path with one chunk of every case. With a launcher the cases run over
// MPI ranks (launched_ignition.h) instead of in SENKIN, every case of a run in one launch.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/core/cluster/launched_ignition.h"
#include "app/core/search/ignition_cases.h"
#include "common/entry_abi.h"
#include "common/job_record.h"

namespace vantor::search {

// A sub-product of the cases SENKIN can run in one call: one mixture, one pressure or all (0),
// one temperature or all (0). `cases` are the global 0-based case numbers it covers.
struct CaseChunk {
    int mixture = 1;
    int pressure = 0;
    int temperature = 0;
    std::vector<int> cases;
};

// Chunks covering every case of `job` (mixture outermost, then pressure, then temperature): the
// smallest of one case, one temperature row, one pressure row or one mixture that still gives
// every core a case (`cores` 0: the machine's); every case in one chunk when no smaller one does.
std::vector<CaseChunk> PlanChunks(const JobRecord& job, int cores);

// The chunk holding `firstCase` moved to the front (its worst case is the likeliest to fail again).
void PutFirst(std::vector<CaseChunk>& chunks, int firstCase);

// One library call: success is its completion code (or a progress of 9990 and more).
struct EntryOutcome {
    bool ok = false;
    int32_t status = 0;
};
EntryOutcome CallEntry(EntryFunction entry, JobRecord& job, int taskCode);

struct IgnitionOutcome {
    bool ok = true;
    int taskCode = 0;                                // of the failed call: 3 compiling, 1 ignition runs
    int32_t status = 0;                              // its status
    std::string error;                               // a text for the message memo
    std::vector<std::optional<IgnitionCase>> cases;  // per global case; empty: not run
    bool stoppedEarly = false;
    bool launchFailed = false;  // the launcher or a rank failed, not the mechanism's runs
};

// After each chunk: false stops the candidate's runs.
using ChunkCheck = std::function<bool(const std::vector<std::optional<IgnitionCase>>& cases)>;

class CandidateIgnition {
public:
    // `launcher.command` empty: the cases run in SENKIN.
    CandidateIgnition(EntryFunction tolmar, EntryFunction senkin, IgnitionLauncher launcher = {})
        : tolmar_(tolmar), senkin_(senkin), launcher_(std::move(launcher)) {}

    // `job` carries the paths (InpFile, ThermFile, MechBinFile, OutFile, SaveFile) and every case.
    // `compile` false: MechBinFile already holds the binary.
    IgnitionOutcome Run(const JobRecord& job, const std::vector<CaseChunk>& chunks, bool compile,
                        const ChunkCheck& keepGoing) const;

private:
    // One call on the cases of `part`; `why` gets a launched run's failure.
    EntryOutcome RunCases(JobRecord& part, std::string& why) const;

    EntryFunction tolmar_;
    EntryFunction senkin_;
    IgnitionLauncher launcher_;
};

}  // namespace vantor::search
