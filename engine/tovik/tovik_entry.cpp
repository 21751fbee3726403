#include "engine/tovik/tovik_entry.h"

#include <memory>

#include "engine/common/reduction_run.h"
#include "engine/tovik/drgep_search.h"

namespace vantor::engine {
namespace {

class DrgepMethod : public ReductionMethod {
public:
    const EngineStatusCodes& Codes() const override { return kTovikStatus; }
    std::unique_ptr<StateSearch> MakeSearch(const MechanismTables& tables, double threshold) const override {
        return std::make_unique<DrgepSearch>(tables, threshold);
    }
    bool SearchesFromTargets() const override { return true; }
};

}  // namespace

int32_t RunTovik(const JobRecord* job, int32_t* status, double* progress) {
    static const DrgepMethod method;
    return RunReduction(job, status, progress, method);
}

}  // namespace vantor::engine
