#include "engine/common/job_intake.h"

#include <algorithm>
#include <cstring>

#include "common/path_field.h"

namespace vantor::engine {

std::unique_ptr<JobIntake> TakeJob(const JobRecord& caller) {
    auto intake = std::make_unique<JobIntake>();
    std::memcpy(&intake->job, &caller, sizeof(JobRecord));
    const JobRecord& job = intake->job;
    intake->progressDivisor = ProgressDivisor(job);
    intake->mechanismPath = DecodePathField(job.MechBinFile);
    intake->listingPath = DecodePathField(job.OutFile);
    intake->trimmedPath = DecodePathField(job.TrimFile);
    intake->standardDataPath = DecodePathField(job.SaveFile);
    const int count = std::clamp<int>(job.alwaysKept(0), 0, kMaxListValues);
    for (int k = 1; k <= count; ++k) intake->alwaysKept.push_back(job.alwaysKept(k));
    return intake;
}

int32_t ProgressDivisor(const JobRecord& job) {
    // Unsigned arithmetic wraps without undefined behaviour; the result is the 32-bit value.
    const uint32_t product = static_cast<uint32_t>(job.NPress) * static_cast<uint32_t>(job.NTemp) *
                             static_cast<uint32_t>(job.NMix) * static_cast<uint32_t>(job.NPoints);
    const int32_t divisor = static_cast<int32_t>(product + 1u);
    return divisor < 1 ? 1 : divisor;
}

std::string PaddedPath(const std::string& path) {
    constexpr size_t kWidth = 200;
    return path.size() >= kWidth ? path : path + std::string(kWidth - path.size(), ' ');
}

}  // namespace vantor::engine
