// A stand-in for the flame (FAKE_FLAME) or the stirred-reactor library: one case per mixture of
// the job record, written as the real library writes its data file. The value grows with the
// pressure and the first species' amount; a reduced mechanism's (its data file named "New_...")
// is 2 % higher, so a comparison has a known difference to show.

#include <fstream>
#include <string>

#include "common/entry_abi.h"
#include "common/path_field.h"
#ifdef FAKE_FLAME
#include "outside/premix/flame_data.h"
#else
#include "outside/psr/psr_data.h"
#endif

namespace {

int32_t Run(const vantor::JobRecord& job, int32_t* status, double* progress) {
    const std::string save = vantor::DecodePathField(job.SaveFile);
    const double scale = save.find("/New_") != std::string::npos ? 1.02 : 1.0;
    std::ofstream(vantor::DecodePathField(job.OutFile)) << "fake listing\n";
#ifdef FAKE_FLAME
    std::vector<vantor::premix::FlameCaseData> cases;
    for (int m = 1; m <= job.NMix; ++m) {
        vantor::premix::FlameCaseData c;
        c.number = m;
        c.pressureAtm = job.Press[0];
        c.temperature = job.Temp[0];
        c.flameSpeed = scale * (10.0 + 100.0 * job.mixAmount(m, 1)) / job.Press[0];
        c.message = "converged";
        c.x = {0.0, 1.0};
        c.temperatureProfile = {job.Temp[0], 2000.0};
        c.velocity = {c.flameSpeed, 6.0 * c.flameSpeed};
        c.heatRelease = {0.0, 0.0};
        c.moleFractions = {{1.0}, {1.0}};
        cases.push_back(c);
    }
    std::string error;
    if (!vantor::premix::WriteFlameData(vantor::DecodePathField(job.SaveFile), {"X"}, cases, error)) return 0;
#else
    std::string text = vantor::psr::StirredReactorDataHeader();
    for (int m = 1; m <= job.NMix; ++m) {
        vantor::psr::StirredReactorCaseSummary c;
        c.number = m;
        c.pressureAtm = job.Press[0];
        c.temperature = job.Temp[0];
        c.extinctionTime = scale * 1e-4 * job.mixAmount(m, 1);
        c.extinctionTemperature = 1800.0;
        c.message = "extinction found";
        c.residenceTime = {1e-2, c.extinctionTime};
        c.branchTemperature = {2000.0, 1800.0};
        text += vantor::psr::StirredReactorCaseBlock(c);
    }
    std::ofstream(vantor::DecodePathField(job.SaveFile)) << text;
#endif
    vantor::StoreStatus(status, 0);
    vantor::StoreProgress(progress, vantor::kProgressFinished);
    return vantor::SuccessResult(1);
}

}  // namespace

#ifdef FAKE_FLAME
VANTOR_EXPORT int32_t PREMIX(vantor::JobRecord* job, int32_t* status, double* progress) { return Run(*job, status, progress); }
#else
VANTOR_EXPORT int32_t PSR(vantor::JobRecord* job, int32_t* status, double* progress) { return Run(*job, status, progress); }
#endif
