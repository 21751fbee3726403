#include "common/job_record_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "common/atomic_file.h"

namespace vantor {

namespace {
constexpr int16_t kJobMarker = 99;
}

bool WriteJobRecordFile(const std::string& path, const JobRecord& job, std::string* error) {
    return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(&job), sizeof job), error);
}

bool ReadJobRecordFile(const std::string& path, JobRecord& job, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open the job record " + path + ": " + std::strerror(errno);
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() != sizeof(JobRecord)) {
        error = "the job record " + path + " holds " + std::to_string(bytes.size()) + " bytes, not " +
                std::to_string(sizeof(JobRecord));
        return false;
    }
    JobRecord read;
    std::memcpy(&read, bytes.data(), sizeof read);
    if (read.Marker != kJobMarker) {
        error = "the job record " + path + " has the marker " + std::to_string(read.Marker) + ", not 99";
        return false;
    }
    job = read;
    return true;
}

}  // namespace vantor
