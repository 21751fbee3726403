#include "engine/kelda/kelda_entry.h"

#include <memory>

#include "engine/common/reduction_run.h"
#include "engine/kelda/pfa_selector.h"

namespace vantor::engine {
namespace {

class PfaMethod : public ReductionMethod {
public:
    const EngineStatusCodes& Codes() const override { return kKeldaStatus; }
    std::unique_ptr<NeighbourSelector> MakeSelector(const MechanismTables& tables, double threshold) const override {
        return std::make_unique<PfaSelector>(tables.NS(), threshold);
    }
};

}  // namespace

int32_t RunKelda(const JobRecord* job, int32_t* status, double* progress) {
    static const PfaMethod method;
    return RunReduction(job, status, progress, method);
}

}  // namespace vantor::engine
