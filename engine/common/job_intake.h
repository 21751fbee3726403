#pragma once
// What a reduction run takes from the caller's job record: its own copy of the record, the
// progress divisor and the four paths it opens.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/job_record.h"

namespace vantor::engine {

struct JobIntake {
    JobRecord job;            // the run's copy; the caller's record is never written
    int32_t progressDivisor;  // NPress x NTemp x NMix x NPoints + 1, at least 1
    std::string mechanismPath;
    std::string listingPath;
    std::string trimmedPath;
    std::string standardDataPath;
    std::vector<int32_t> alwaysKept;  // species numbers the final selection keeps in any case
};

// Copies all 28880 bytes of the caller's record at once and decodes the path fields (UTF-16 up
// to the terminator, no character dropped).
std::unique_ptr<JobIntake> TakeJob(const JobRecord& caller);

// The product in 32-bit arithmetic (it wraps as the record's 16-bit counts allow), plus one;
// a value below 1 becomes 1.
int32_t ProgressDivisor(const JobRecord& job);

// A path as the "FILE ... not found." record shows it: blank-padded to 200 characters.
std::string PaddedPath(const std::string& path);

}  // namespace vantor::engine
