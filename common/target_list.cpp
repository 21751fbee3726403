#include "common/target_list.h"

#include "common/atomic_file.h"

namespace vantor {

std::string TargetListPath(const std::string& trimmedPath) {
    const size_t slash = trimmedPath.find_last_of('/');
    const size_t dot = trimmedPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? trimmedPath.substr(0, dot) : trimmedPath) + ".TGT";
}

bool WriteTargetList(const std::string& trimmedPath, const std::vector<std::string>& names, std::string* error) {
    std::string text;
    for (const std::string& name : names) text += name + "\r\n";
    return WriteFileAtomically(TargetListPath(trimmedPath), text, error);
}

}  // namespace vantor
