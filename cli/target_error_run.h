#pragma once
// vantor-cli run --target-error: the reduction to a target error of an opened project.

#include <string>

#include "app/core/mechanism/mechanism_model.h"
#include "app/core/mechanism/project_file.h"
#include "app/core/pipeline/library_binding.h"
#include "app/core/reactors/reactor_libraries.h"

namespace vantor::cli {

struct TargetErrorRequest {
    double targetPercent = 10.0;
    EngineMethod method = EngineMethod::Pfa;
    bool speciesRemoval = true;
    std::string launcher;  // empty: the ignition runs in SENKIN
    const reactors::ReactorLibraries* reactorLibraries = nullptr;  // bound for flame and stirred-reactor cases
};

// Runs the search with the bound `entries` on the opened project; prints the memo lines, the
// candidate table and the comparison of the chosen mechanism. Returns the exit status.
int RunTargetError(const TargetErrorRequest& request, const MechanismModel& model, const ProjectOpenResult& opened,
                   const EntryTable& entries, const std::string& systemDirectory);

}  // namespace vantor::cli
