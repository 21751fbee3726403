// The kept and trimmed species-list exports.

#include "app/core/mechanism/text_format.h"
#include "app/core/mechanism/trimming.h"
#include "common/atomic_file.h"

namespace vantor {

namespace {

bool ExportSpecies(const MechanismModel& model, const std::string& path, const std::string& header, bool checked,
                   std::string* error) {
    std::vector<std::string> lines{header};
    for (const auto& s : model.Species) {
        if (s.checked == checked) lines.push_back(s.name);
    }
    return WriteFileAtomically(path, JoinCrLf(lines), error);
}

}  // namespace

bool ExportKeptSpecies(const MechanismModel& model, const std::string& path, const std::string& timestamp,
                       std::string* error) {
    return ExportSpecies(model, path, "===Kept species list created by Pruvex " + timestamp, true, error);
}

bool ExportTrimmedSpecies(const MechanismModel& model, const std::string& path, const std::string& timestamp,
                          std::string* error) {
    return ExportSpecies(model, path, "===Deleted species list created by Pruvex " + timestamp, false, error);
}

}  // namespace vantor
