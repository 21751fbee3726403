#include "engine/common/target_species.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "chemlib/mechanism_layout.h"
#include "common/target_list.h"
#include "engine/common/run_listing.h"

namespace vantor::engine {
namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool Separator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

}  // namespace

std::vector<std::string> MechanismSpeciesNames(const char* cckwrk, int64_t firstNameSlot, int32_t KK) {
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(std::max(KK, 0)));
    for (int32_t k = 0; k < KK; ++k) {
        std::string name(cckwrk + (firstNameSlot + k) * chem::kNameLength, chem::kNameLength);
        name.erase(name.find_last_not_of(' ') + 1);
        names.push_back(name);
    }
    return names;
}

int32_t ReadTargetSpecies(const std::string& path, const std::vector<std::string>& names, std::ostream& listing,
                          const EngineStatusCodes& codes, std::vector<int32_t>& targets) {
    targets.clear();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    std::ifstream in(path, std::ios::binary);
    if (!S_ISREG(st.st_mode) || !in) {
        WriteFreeRecord(listing, "* ERROR: Open target species file failed: " + path);
        return codes.targetListRead;
    }
    std::vector<std::string> upperNames;
    for (const std::string& name : names) upperNames.push_back(Upper(name));
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        line = line.substr(0, line.find('!'));
        for (size_t at = 0; at < line.size();) {
            if (Separator(line[at])) {
                ++at;
                continue;
            }
            size_t end = at;
            while (end < line.size() && !Separator(line[end])) ++end;
            const std::string name = line.substr(at, end - at);
            const auto found = std::find(upperNames.begin(), upperNames.end(), Upper(name));
            if (found == upperNames.end()) {
                WriteFreeRecord(listing, "* ERROR: target species " + name + " (" + path + ", line " +
                                             std::to_string(lineNumber) + ") is not in the mechanism.");
                return codes.unknownTarget;
            }
            targets.push_back(static_cast<int32_t>(found - upperNames.begin()) + 1);
            at = end;
        }
    }
    if (in.bad()) {
        WriteFreeRecord(listing, "* ERROR: Read target species file failed: " + path);
        return codes.targetListRead;
    }
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    return 0;
}

}  // namespace vantor::engine
