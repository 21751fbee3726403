#include "cli/plot_output.h"

#include <dlfcn.h>

#include <filesystem>
#include <vector>

#include "app/core/pipeline/library_binding.h"
#include "app/plot_render/plot_module.h"

namespace vantor::cli {
namespace {

constexpr const char* kPlotLibrary = "libVantorPlots.so";
constexpr int32_t kMessageSize = 1 << 20;

// Beside the program (the build tree), else the installed layout's library folder; a failure
// names the first place.
std::string PlotLibraryPath() {
    const std::filesystem::path exe = ExecutableDirectory();
    const std::filesystem::path beside = exe / kPlotLibrary;
    const std::filesystem::path installed = exe.parent_path() / "lib" / "vantor" / kPlotLibrary;
    std::error_code ec;
    return (!std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec) ? installed : beside)
        .string();
}

}  // namespace

bool WriteRunPlots(const std::string& workDirectory, const std::string& directory,
                   const std::vector<std::string>& mixtureLines, MessageSink& sink) {
    // Loaded only here, so the rest of vantor-cli runs where Qt is not installed. It stays
    // loaded until the program ends: Qt does not support being unloaded.
    const std::string path = PlotLibraryPath();
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
    const int32_t status = entry(workDirectory.c_str(), directory.c_str(), names.c_str(), message.data(), kMessageSize);
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
