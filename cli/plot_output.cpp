#include "cli/plot_output.h"

#include <dlfcn.h>

#include <filesystem>
#include <vector>

#include "app/core/pipeline/library_binding.h"
#include "app/core/pipeline/library_folder.h"
#include "app/plot_render/plot_module.h"

namespace vantor::cli {
namespace {

constexpr const char* kPlotLibrary = "libVantorPlots.so";
constexpr int32_t kMessageSize = 1 << 20;

// The first of the program's own library folders that holds it; a failure names the first one.
std::string PlotLibraryPath() {
    const std::vector<std::string> folders = ProgramLibraryFolders(ExecutableDirectory());
    if (folders.empty()) return {};  // never a bare name: the loader would search elsewhere
    std::error_code ec;
    for (const std::string& folder : folders) {
        const std::filesystem::path path = std::filesystem::path(folder) / kPlotLibrary;
        if (std::filesystem::exists(path, ec)) return path.string();
    }
    return (std::filesystem::path(folders.front()) / kPlotLibrary).string();
}

}  // namespace

bool WriteRunPlots(const std::string& workDirectory, const std::string& directory,
                   const std::vector<std::string>& mixtureLines, const std::string& mechanismPath, MessageSink& sink) {
    // Loaded only here, so the rest of vantor-cli runs where Qt is not installed. It stays
    // loaded until the program ends: Qt does not support being unloaded.
    const std::string path = PlotLibraryPath();
    if (path.empty()) {
        ReportError(sink, "<E> Cannot load the plots: the program's own folder is unknown");
        return false;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto entry =
        handle ? reinterpret_cast<VantorWritePlotsEntry>(::dlsym(handle, kWritePlotsEntryName)) : nullptr;
    if (!entry) {
        const char* reason = ::dlerror();
        ReportError(sink, "<E> Cannot load the plots from " + path + (reason ? std::string(": ") + reason : ""));
        return false;
    }
    std::string names;
    for (const std::string& line : mixtureLines) names += line + "\n";
    std::vector<char> message(kMessageSize, '\0');
    const int32_t status = entry(workDirectory.c_str(), directory.c_str(), names.c_str(), mechanismPath.c_str(), message.data(),
                                 kMessageSize);
    const std::string text = message.data();
    if (status != 0) {
        ReportError(sink, "<E> No plots written: " + text);
        return false;
    }
    size_t files = 0;
    for (const char c : text) files += c == '\n';
    sink.AddLine("> " + std::to_string(files) + " plot files (PNG and SVG) written to " + directory);
    return true;
}

}  // namespace vantor::cli
