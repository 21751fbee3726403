#include "outside/premix/premix_run.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "chemlib/mechanism_layout.h"
#include "common/atomic_file.h"
#include "common/entry_abi.h"
#include "common/path_field.h"
#include "outside/mixture/equivalence_ratio.h"
#include "outside/mixture/mixture_transport.h"
#include "outside/pellor/transport_binary.h"
#include "outside/premix/flame.h"
#include "outside/premix/flame_data.h"
#include "outside/premix/premix_status.h"
#include "outside/senkin/case_plan.h"

namespace vantor::premix {
namespace {

int32_t CaseStatus(FlameOutcome outcome) {
    switch (outcome) {
        case FlameOutcome::kConverged: return kPremixOk;
        case FlameOutcome::kNotFlammable: return kPremixNotFlammable;
        case FlameOutcome::kRateFailure: return kPremixRateFailure;
        case FlameOutcome::kNoConvergence: break;
    }
    return kPremixNoConvergence;
}

struct Listing {
    std::string path, text = "PREMIX: freely propagating premixed flames\n\n";
    void Line(const std::string& line) { text += line + "\n"; }
    bool Write(std::string& error) const { return WriteFileAtomically(path, text, &error); }
};

PremixReport Refuse(Listing& listing, int32_t status, const std::string& message) {
    listing.Line("Error " + std::to_string(status) + ": " + message);
    std::string ignored;
    listing.Write(ignored);
    return {status, message, 0, 0};
}

}  // namespace

PremixReport RunFlameJob(const JobRecord& job, double* progress) {
    Listing listing;
    listing.path = DecodePathField(job.OutFile);
    const std::string mechanismPath = DecodePathField(job.MechBinFile);
    const std::string transportPath = DecodePathField(job.TranspBinFile);
    const std::string dataPath = DecodePathField(job.SaveFile);
    if (listing.path.empty()) return {kPremixListingNotWritable, "job record: OutFile names no file", 0, 0};
    if (dataPath.empty()) return Refuse(listing, kPremixBadJobRecord, "job record: SaveFile names no file");
    if (mechanismPath.empty() || !std::filesystem::exists(mechanismPath))
        return Refuse(listing, kPremixMechanismMissing, "mechanism binary " + mechanismPath + " not found");
    chem::Mechanism mechanism;
    std::ostringstream loadMessages;
    if (mechanism.Load(mechanismPath, loadMessages) != 0)
        return Refuse(listing, kPremixMechanismUnreadable, mechanismPath + ": " + loadMessages.str());
    if (transportPath.empty() || !std::filesystem::exists(transportPath))
        return Refuse(listing, kPremixTransportMissing, "transport binary " + transportPath + " not found");
    pellor::TransportFits fits;
    std::string error;
    if (!pellor::ReadTransportBinary(transportPath, fits, error))
        return Refuse(listing, kPremixTransportUnreadable, error);
    mixture::MixtureTransport transport;
    if (!transport.Bind(mechanism, fits, error))
        return Refuse(listing, kPremixTransportSpeciesMissing, transportPath + ": " + error);
    // The cases are planned as the ignition runs plan them; the ignition's own times play no part.
    JobRecord planned = job;
    planned.EndTimeMode = 1;
    planned.EndTime = planned.MaxTime = 1.0;
    if (planned.NPoints < 1 || planned.NPoints > senkin::kMaxPointsPerCase) planned.NPoints = 1;
    const auto plan = senkin::PlanCases(planned, mechanism.KK(), error);
    if (!plan) return Refuse(listing, kPremixBadJobRecord, "job record: " + error);

    listing.Line("Mechanism " + mechanismPath + "\nTransport " + transportPath + "\nFlame data " + dataPath + "\n");
    std::vector<std::string> names;
    for (int k = 1; k <= mechanism.KK(); ++k) names.push_back(mechanism.SpeciesName(k));
    std::vector<FlameCaseData> cases;
    PremixReport report;
    report.cases = static_cast<int>(plan->cases.size());
    for (const senkin::IgnitionCase& c : plan->cases) {
        const senkin::Mixture& mix = plan->mixtures[static_cast<size_t>(c.mixture)];
        std::vector<double> X(static_cast<size_t>(mechanism.KK()), 0.0);
        for (size_t i = 0; i < mix.species.size(); ++i) X[static_cast<size_t>(mix.species[i] - 1)] = mix.moleFractions[i];
        FlameRequest request;
        request.pressure = c.pressureAtm * chem::kAtmosphere;
        request.temperature = c.temperature;
        request.moleFractions = X;
        request.progress = [&](const std::string& line) { listing.Line("  " + line); };
        listing.Line(senkin::DescribeCase(c));
        const auto start = std::chrono::steady_clock::now();
        const FlameResult result = SolveFlame(mechanism, transport, request);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        FlameCaseData data;
        data.number = c.number;
        data.pressureAtm = c.pressureAtm;
        data.temperature = c.temperature;
        data.phi = mixture::EquivalenceRatio(mechanism, X);
        data.status = CaseStatus(result.outcome);
        data.flameSpeed = data.status == kPremixOk ? result.flameSpeed : 0.0;
        data.message = result.message;
        data.x = result.x;
        data.temperatureProfile = result.temperature;
        data.velocity = result.velocity;
        data.heatRelease = result.heatRelease;
        data.moleFractions = result.moleFractions;
        char line[160];
        std::snprintf(line, sizeof line, "  status %d  S_L %.6f cm/s  %zu points  %.2f s: ", data.status,
                      data.flameSpeed, data.x.size(), wall);
        listing.Line(line + result.message + "\n");
        if (data.status == kPremixOk) ++report.converged;
        cases.push_back(std::move(data));
        if (progress) StoreProgress(progress, 100.0 * static_cast<double>(cases.size()) / report.cases);
    }
    if (!WriteFlameData(dataPath, names, cases, error)) return Refuse(listing, kPremixDataNotWritable, error);
    listing.Line(std::to_string(report.converged) + " of " + std::to_string(report.cases) + " cases converged");
    if (!listing.Write(error)) return {kPremixListingNotWritable, error, report.cases, report.converged};
    return report;
}

int32_t RunPremix(const JobRecord& jobRecord, int32_t* status, double* progress) {
    StoreStatus(status, 0);
    StoreProgress(progress, 0.0);
    const JobRecord job = jobRecord;  // the caller's record is only read at entry
    const PremixReport report = RunFlameJob(job, progress);
    StoreStatus(status, report.status);
    if (report.status != kPremixOk) return 0;
    StoreProgress(progress, kProgressFinished);
    return kPremixSuccessResult;
}

}  // namespace vantor::premix
