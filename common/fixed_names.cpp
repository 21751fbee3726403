#include "common/fixed_names.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vantor {
namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    if (directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

std::string ResolveFixedName(const std::string& directory, const std::string& name) {
    namespace fs = std::filesystem;
    const std::string exact = JoinPath(directory, name);
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    std::string match;
    for (fs::directory_iterator it(directory.empty() ? "." : directory, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        // The smallest matching name, so the choice does not depend on the directory's order.
        if (EqualIgnoringCase(candidate, name) && (match.empty() || candidate < match)) match = candidate;
    }
    return match.empty() ? exact : JoinPath(directory, match);
}

}  // namespace vantor
