// vantor-cli ignite: the ignition runs (SENKIN) on a mechanism binary for given cases, with a
// table of the results.

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_registry.h"
#include "cli/ignite_request.h"
#include "outside/senkin/ignition_run.h"

namespace vantor::cli {
namespace {

int RunIgnite(const std::vector<std::string>& arguments) {
    IgniteRequest request;
    std::string error;
    if (const int parsed = ParseIgniteRequest(arguments, "vantor-cli ignite", request, error); parsed != 0) {
        if (parsed > 0) std::cerr << "vantor-cli ignite: " << error << "\n";
        return std::max(parsed, 0);
    }
    const senkin::IgnitionFiles& files = request.files;
    const std::vector<MixtureArgument>& mixtures = request.mixtures;
    const senkin::RunReport report = senkin::RunIgnitionJob(request.job, files, request.run, nullptr);
    PrintIgniteTable(report, mixtures);
    for (const auto& c : report.cases) {
        if (c.finished && c.outcome.stop == senkin::RunStop::StepLimit) {
            std::cerr << "vantor-cli ignite: warning: " << senkin::DescribeCase(c.ignitionCase)
                      << ": the integrator's step limit was reached before an ignition; no ignition by t = "
                      << c.outcome.endTime << " s\n";
        }
    }
    if (report.status != senkin::kSenkinOk) {
        std::cerr << "vantor-cli ignite: failed with status " << report.status << ": " << report.message << "\n";
        for (const auto& c : report.cases) {
            if (!c.finished && !c.outcome.error.empty()) {
                std::cerr << "  " << senkin::DescribeCase(c.ignitionCase) << ": " << c.outcome.error << "\n";
            }
        }
        return 1;
    }
    if (!files.standardData.empty()) std::cout << "\nStandard data written to " << files.standardData << "\n";
    return 0;
}

const CommandRegistration kRegistration{
    {"ignite", std::string("ignite ") + kIgniteUsage, "ignition runs of a mechanism binary with a table of delays and temperature rises", &RunIgnite}};

}  // namespace
}  // namespace vantor::cli
