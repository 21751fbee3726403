#include "app/core/pipeline/help_file.h"

#include <filesystem>

#include "app/core/pipeline/job_record_fill.h"

namespace vantor {

namespace fs = std::filesystem;

std::vector<std::string> UserManualPaths(const std::string& executableDirectory) {
    if (executableDirectory.empty()) return {};
    const fs::path exe(executableDirectory);
    return {(exe / "doc" / kUserManualName).string(),
            (exe.parent_path() / "share" / "doc" / "vantor" / kUserManualName).string()};
}

HelpChoice ChooseHelpFile(const std::string& systemDirectory, const std::string& executableDirectory) {
    HelpChoice choice;
    choice.tried.push_back(JoinPath(systemDirectory, kHelpFileName));
    for (const std::string& manual : UserManualPaths(executableDirectory)) choice.tried.push_back(manual);
    for (const std::string& path : choice.tried) {
        std::error_code ec;
        if (fs::is_regular_file(path, ec)) {
            choice.path = path;
            break;
        }
    }
    return choice;
}

std::string NoHelpMessage(const HelpChoice& choice) {
    std::string text = "No help file was found. Looked for:";
    for (const std::string& path : choice.tried) text += "\n" + path;
    return text;
}

}  // namespace vantor
