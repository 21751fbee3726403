#include "engine/morva/morva_entry.h"

#include <memory>

#include "engine/common/reduction_run.h"
#include "engine/morva/ecf_selection.h"

namespace vantor::engine {
namespace {

class EcfMethod : public ReductionMethod {
public:
    const EngineStatusCodes& Codes() const override { return kMorvaStatus; }
    std::unique_ptr<NeighbourSelector> MakeSelector(const MechanismTables&, double threshold) const override {
        return std::make_unique<EcfSelector>(threshold);
    }
};

}  // namespace

int32_t RunMorva(const JobRecord* job, int32_t* status, double* progress) {
    static const EcfMethod method;
    return RunReduction(job, status, progress, method);
}

}  // namespace vantor::engine
