#pragma once
// The per-point work of a reduction run behind the standard data reader: prepare the state,
// search its kept species, record the point, close cases, and make the final selection.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "engine/common/engine_status.h"
#include "engine/common/kept_species.h"
#include "engine/common/species_search.h"
#include "engine/common/standard_data_reader.h"
#include "engine/common/state_fluxes.h"
#include "engine/common/state_preparation.h"

namespace vantor::engine {

struct RunProgress {
    double* channel;   // the caller's progress word
    double value;      // what was last stored there
    int32_t divisor;   // ProgressDivisor
};

// The final selection keeps the caller's always-kept species too (a user's NOx or soot
// precursors), so every method's result honours them. The trimmed-species file is written at the final selection into `trimmed` but not put in
// place: the run does that once the listing is safely written, so a failed listing leaves the
// earlier file. A listing write that failed ends the run at the next data line.
class ReductionSink : public StandardDataSink {
public:
    ReductionSink(const MechanismTables& tables, StatePreparation& preparation,
                  std::unique_ptr<StateSearch> search, std::ostream& listing, RunProgress& progress,
                  std::string trimmedPath, AtomicFile& trimmed, const EngineStatusCodes& codes,
                  std::vector<int32_t> alwaysKept = {});

    int32_t RecordState(const RecordedState& state) override;
    void CloseCase(int caseNumber, int pointCount) override;
    int32_t FinalSelection(int caseNumber) override;

private:
    void StepProgress();

    const MechanismTables& tables_;
    StatePreparation& preparation_;
    std::ostream& listing_;
    RunProgress& progress_;
    std::string trimmedPath_;
    AtomicFile& trimmed_;
    const EngineStatusCodes& codes_;
    std::vector<int32_t> alwaysKept_;  // joined into the final selection whatever the search kept
    StateFluxes fluxes_;
    std::unique_ptr<StateSearch> search_;
    KeptAtPoint keptAtPoint_;
    KeptInCase keptInCase_;
};

}  // namespace vantor::engine
