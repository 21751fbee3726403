#pragma once
// One complete reduction run behind every engine entry: the order of stages, the files it opens,
// and the status and progress it reports. The method supplies its status numbers and its search.

#include <cstdint>
#include <memory>

#include "common/job_record.h"
#include "engine/common/engine_status.h"
#include "engine/common/mechanism_tables.h"
#include "engine/common/species_search.h"

namespace vantor::engine {

class ReductionMethod {
public:
    virtual ~ReductionMethod() = default;
    virtual const EngineStatusCodes& Codes() const = 0;
    // The neighbour selection of one run, with the job's threshold as given; a method with a
    // search of its own overrides MakeSearch instead.
    virtual std::unique_ptr<NeighbourSelector> MakeSelector(const MechanismTables&, double) const { return nullptr; }
    virtual std::unique_ptr<StateSearch> MakeSearch(const MechanismTables& tables, double threshold) const {
        return std::make_unique<LevelSearch>(tables.NS(), MakeSelector(tables, threshold));
    }
    // A method that searches from target species takes a threshold in 0..1 only, and adds the
    // user's target list (target_species.h) to the start species of every state.
    virtual bool SearchesFromTargets() const { return false; }
};

// Writes 0 to the status and 0.0 to the progress at once. On success the progress ends at
// 9999.0 and the result is 10208; on failure the status is above 0, the progress stays where it
// was and the result is 0. The caller's job record is only read.
int32_t RunReduction(const JobRecord* job, int32_t* status, double* progress, const ReductionMethod& method);

}  // namespace vantor::engine
