#include "app/core/reactors/reactor_results.h"

#include <filesystem>

#include "app/core/reactors/reactor_runs.h"
#include "outside/premix/flame_data.h"
#include "outside/psr/psr_data.h"

namespace vantor::reactors {

bool ReadReactorValues(const std::string& path, ReactorKind kind, std::vector<ReactorCaseValue>& values,
                       std::string& error) {
    values.clear();
    std::error_code failed;
    if (!std::filesystem::is_regular_file(path, failed)) {
        error = path + " is not there";
        return false;
    }
    error.clear();
    if (kind == ReactorKind::kFlame) {
        for (const premix::FlameCaseSummary& c : premix::ReadFlameSummary(path, &error))
            values.push_back({c.number, c.pressureAtm, c.temperature, c.phi, c.status, c.flameSpeed, c.message});
    } else {
        for (const psr::StirredReactorCaseSummary& c : psr::ReadStirredReactorSummary(path, &error))
            values.push_back({c.number, c.pressureAtm, c.temperature, c.phi, c.status, c.extinctionTime, c.message});
    }
    if (error.empty() && values.empty()) error = path + " holds no case";
    return error.empty();
}

ReactorComparison CompareReactorCases(const std::string& workDirectory, const std::vector<ReactorCaseLine>& cases,
                                      const std::string& reducedDirectory) {
    ReactorComparison result;
    const std::string reducedFolder = reducedDirectory.empty() ? workDirectory : reducedDirectory;
    for (const ReactorCaseLine& line : cases) {
        std::vector<ReactorCaseValue> detailed, reduced;
        std::string error;
        if (!ReadReactorValues(ReactorDataFile(workDirectory, line.kind, false), line.kind, detailed, error) ||
            !ReadReactorValues(ReactorDataFile(reducedFolder, line.kind, true), line.kind, reduced, error)) {
            result.ok = false;
            result.error = "<E> The " + std::string(ReactorCaseKey(line.kind)) + " cases cannot be compared: " + error;
            return result;
        }
        for (std::string& report : ReactorReportLines(line.kind, detailed, reduced))
            result.reportLines.push_back(std::move(report));
        result.tableLines.emplace_back();
        for (std::string& row : FormatReactorTable(line.kind, detailed, reduced))
            result.tableLines.push_back(std::move(row));
        result.detailed.emplace_back(line.kind, std::move(detailed));
        result.reduced.emplace_back(line.kind, std::move(reduced));
    }
    return result;
}

}  // namespace vantor::reactors
