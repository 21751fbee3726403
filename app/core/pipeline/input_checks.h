#pragma once
// The input files each task needs before its library is called, in the order they are checked,
// with the message a missing one gives.

#include <optional>
#include <string>

#include "app/core/pipeline/job_record_fill.h"

namespace vantor {

struct MissingInput {
    std::string path;
    std::string message;  // "<E> Cannot find ..."
    bool endsRun = false;  // the transport data ends the run; any other file halts it at its step
};

// The first input of `taskCode` that is not an existing file, if any.
std::optional<MissingInput> FindMissingInput(int taskCode, const JobPaths& paths);

}  // namespace vantor
