#include "app/core/pipeline/library_folder.h"

#include <cstdlib>
#include <filesystem>

#include "app/core/pipeline/library_binding.h"

namespace vantor {

namespace fs = std::filesystem;

std::vector<std::string> ProgramLibraryFolders(const std::string& executableDirectory) {
    if (executableDirectory.empty()) return {};
    const fs::path exe(executableDirectory);
    return {exe.string(), (exe.parent_path() / "lib" / "vantor").string()};
}

namespace {

bool HoldsAnyLibrary(const std::string& folder) {
    std::error_code ec;
    for (const SharedLibrary& library : kLibraries)
        if (fs::exists(fs::path(folder) / library.fileName, ec)) return true;
    return false;
}

}  // namespace

LibraryFolder ChooseLibraryFolder(const std::string& executableDirectory, const char* overrideValue) {
    if (overrideValue && *overrideValue) {
        std::error_code ec;
        fs::path named = fs::absolute(fs::path(overrideValue), ec);
        if (ec) named = overrideValue;
        std::string path = named.lexically_normal().string();
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        return {path, true};
    }
    const std::vector<std::string> folders = ProgramLibraryFolders(executableDirectory);
    if (folders.empty()) return {};
    for (const std::string& folder : folders)
        if (HoldsAnyLibrary(folder)) return {folder, false};
    return {folders.front(), false};
}

LibraryFolder ProgramLibraryFolder() {
    return ChooseLibraryFolder(ExecutableDirectory(), std::getenv(kLibraryDirVariable));
}

std::string ExecutableDirectory() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

}  // namespace vantor
