#include "app/core/pipeline/result_set.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/core/pipeline/job_record_fill.h"

namespace vantor {

namespace {

// The reduced test's files, by the names the job record gives them.
constexpr const char* kReducedTestOutputs[] = {"New_SAVE.dat", "New_Chem.bin", "New_Out.dat"};

// Only results go: a regular file, or a link to one. A device or pipe put there on purpose stays.
bool RemoveIfPresent(const std::string& path, std::string* error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return true;
    if (std::remove(path.c_str()) == 0 || errno == ENOENT) return true;
    if (error) *error = "cannot remove " + path + ": " + std::strerror(errno);
    return false;
}

}  // namespace

bool RemoveReducedResults(const std::string& workDirectory, std::string* error) {
    for (const char* name : {kComparisonFileName, kComparisonTableFileName})
        if (!RemoveIfPresent(JoinPath(workDirectory, name), error)) return false;
    for (const char* name : kReducedTestOutputs)
        if (!RemoveIfPresent(JoinPath(workDirectory, name), error)) return false;
    return true;
}

bool InstallResultSet(const std::string& workDirectory, const std::vector<StagedFile>& files, std::string* error) {
    if (!RemoveReducedResults(workDirectory, error)) return false;
    for (const StagedFile& file : files)
        if (!RemoveIfPresent(file.to, error)) return false;
    for (const StagedFile& file : files) {
        if (std::rename(file.from.c_str(), file.to.c_str()) != 0) {
            if (error) *error = "cannot move " + file.from + " to " + file.to + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

}  // namespace vantor
