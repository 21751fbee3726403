#include "app/core/pipeline/output_checks.h"

#include <vector>

#include "common/atomic_file.h"

namespace vantor {
namespace {

std::vector<const std::string*> TaskOutputs(int taskCode, const JobPaths& p) {
    switch (taskCode) {
        case 1: return {&p.saveFile, &p.outFile};
        case 2: return {&p.trimFile, &p.outFile};
        case 3: return {&p.mechBinFile, &p.outFile};
        case 4: return {&p.transpBinFile, &p.outFile};
        default: return {};  // the reduced writer reports its own file
    }
}

}  // namespace

std::optional<std::string> FindUnwritableOutput(int taskCode, const JobPaths& paths) {
    for (const std::string* path : TaskOutputs(taskCode, paths)) {
        std::string error;
        if (!CheckWritable(*path, &error)) {
            if (!error.empty()) error[0] = 'C';  // "cannot write ..." begins the message
            return "<E> " + error;
        }
    }
    return std::nullopt;
}

bool IsListingWriteStatus(int taskCode, int32_t status) {
    switch (taskCode) {
        case 1: return status == 4101;                   // SENKIN
        case 2: return status == 3001 || status == 3026 || status == 2026;  // KELDA, MORVA
        case 4: return status == 4401;                   // Pellor
        default: return false;
    }
}

}  // namespace vantor
