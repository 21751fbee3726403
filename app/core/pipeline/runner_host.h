#pragma once
// What the task runner needs from the program around it: the settings as the user typed them,
// the opened mechanism and directories, the species marks, the reduced writer, and the places
// that show the run's state. The desktop program binds these to its widgets, vantor-cli to its
// mechanism model, the tests to plain data.

#include <string>

#include "app/core/mechanism/mechanism_model.h"
#include "app/core/pipeline/job_record_fill.h"
#include "app/core/pipeline/run_settings.h"
#include "app/core/pipeline/worker.h"
#include "common/job_record.h"

namespace vantor {

// The species and reactions of the reduced mechanism and of the detailed one; -1 when not known.
struct ReducedCounts {
    int keptSpecies = -1, detailedSpecies = -1, keptReactions = -1, detailedReactions = -1;
};

inline ReducedCounts CountsOf(const MechanismModel& model) {
    return {model.KeptSpeciesCount, model.DetailedSpeciesCount, model.ReducedReactionCount,
            model.DetailedReactionCount};
}

class RunnerHost {
public:
    virtual ~RunnerHost() = default;

    // A snapshot of the grid cells, the mixture lines and the species marks.
    virtual SettingsInput ReadSettingsInput() = 0;
    virtual RunFiles CurrentFiles() = 0;
    // Before a run on the detailed mechanism: every species checked, no reduced mechanism ready.
    virtual void PrepareDetailedRun() = 0;
    virtual bool ReducedInpReady() = 0;
    // The reduced-mechanism writer for one step, made on the caller's thread from a copy of what
    // it reads; it runs on the worker and returns 10508 on success. Empty when none is available.
    virtual TaskCall ReducedWriter(const JobRecord& job, const TWState& settings) = 0;
    // A step completed or failed; the place to apply what its task produced.
    virtual void StepEnded(int /*taskCode*/, bool /*succeeded*/) {}
    // The counts of the reduced mechanism now in place, for the run history's summary.
    virtual ReducedCounts CurrentReducedCounts() { return {}; }

    virtual void SetProgressBar(int /*position*/) {}            // 0..100
    virtual void SetHeartbeat(const std::string& /*caption*/) {}  // "" clears it
    virtual void ClearRunCaptions() {}  // the kept-species count and the reduced counts
};

}  // namespace vantor
