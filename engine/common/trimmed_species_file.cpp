#include "engine/common/trimmed_species_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/atomic_file.h"

#include "common/fixed_format.h"

namespace vantor::engine {
namespace {

constexpr size_t kNumbersPerLine = 2000;

}  // namespace

std::vector<int32_t> TrimmedSpecies(int32_t NS, std::span<const int32_t> kept) {
    std::vector<uint8_t> isKept(static_cast<size_t>(NS) + 1, 0);
    for (const int32_t k : kept) isKept[static_cast<size_t>(k)] = 1;
    std::vector<int32_t> trimmed;
    for (int32_t k = 1; k <= NS; ++k) {
        if (!isKept[static_cast<size_t>(k)]) trimmed.push_back(k);
    }
    return trimmed;
}

std::string TrimmedSpeciesText(int32_t NS, std::span<const int32_t> trimmed) {
    const auto count = static_cast<long long>(trimmed.size());
    std::string text = "NOTE: Original SP#=" + FormatI(NS, 5) + FormatA("Trim SP#=", 11) + FormatI(count, 5) +
                       FormatA("Keep SP#=", 11) + FormatI(NS - count, 5) + "\r\n";
    size_t from = 0;
    do {
        const size_t to = std::min(trimmed.size(), from + kNumbersPerLine);
        for (size_t j = from; j < to; ++j) text += FormatI(trimmed[j], 5);
        text += "\r\n";
        from = to;
    } while (from < trimmed.size());
    return text;
}

bool CanWriteTrimmedSpeciesFile(const std::string& path, std::string* error) {
    struct stat st {};
    if (!path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            if (error) *error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        ::close(fd);
    }
    return CheckWritable(path, error);
}

}  // namespace vantor::engine
