#include "engine/brena/brena_entry.h"

#include <memory>

#include "engine/brena/drg_selector.h"
#include "engine/common/reduction_run.h"

namespace vantor::engine {
namespace {

class DrgMethod : public ReductionMethod {
public:
    const EngineStatusCodes& Codes() const override { return kBrenaStatus; }
    std::unique_ptr<NeighbourSelector> MakeSelector(const MechanismTables& tables, double threshold) const override {
        return std::make_unique<DrgSelector>(tables.NS(), threshold);
    }
    bool SearchesFromTargets() const override { return true; }
};

}  // namespace

int32_t RunBrena(const JobRecord* job, int32_t* status, double* progress) {
    static const DrgMethod method;
    return RunReduction(job, status, progress, method);
}

}  // namespace vantor::engine
