#pragma once
// The per-point work of a reduction run behind the standard data reader: prepare the state,
// search its kept species, record the point, close cases, and make the final selection.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

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

class ReductionSink : public StandardDataSink {
public:
    ReductionSink(const MechanismTables& tables, StatePreparation& preparation,
                  std::unique_ptr<NeighbourSelector> selector, std::ostream& listing, RunProgress& progress,
                  std::string trimmedPath, const EngineStatusCodes& codes);

    int32_t RecordState(const RecordedState& state) override;
    void CloseCase(int caseNumber, int pointCount) override;
    int32_t FinalSelection(int caseNumber) override;

private:
    void StepProgress();

    const MechanismTables& tables_;
    StatePreparation& preparation_;
    std::unique_ptr<NeighbourSelector> selector_;
    std::ostream& listing_;
    RunProgress& progress_;
    std::string trimmedPath_;
    const EngineStatusCodes& codes_;
    StateFluxes fluxes_;
    SpeciesSearch search_;
    KeptAtPoint keptAtPoint_;
    KeptInCase keptInCase_;
};

}  // namespace vantor::engine
