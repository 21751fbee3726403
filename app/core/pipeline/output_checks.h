#pragma once
// The files each library task writes, checked before its library is called and looked at again
// when it fails, so a step that cannot write says which file and why instead of pointing the
// user at a listing that was never written.

#include <cstdint>
#include <optional>
#include <string>

#include "app/core/pipeline/job_record_fill.h"

namespace vantor {

// "<E> Cannot write PATH: reason" for the first output of `taskCode` that cannot be written now.
std::optional<std::string> FindUnwritableOutput(int taskCode, const JobPaths& paths);

// Whether `status` of task `taskCode` says the library could not write its run listing.
bool IsListingWriteStatus(int taskCode, int32_t status);

}  // namespace vantor
