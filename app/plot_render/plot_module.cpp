// libVantorPlots.so: the plot files for vantor-cli, which loads this library only when it is
// asked for plots, so the command-line program itself runs without Qt. Batch plots never need a
// display: without an application object, one is made on the offscreen platform.

#include <QApplication>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <type_traits>

#include "app/plot_render/plot_files.h"
#include "app/plot_render/plot_module.h"

namespace {

void CopyText(const std::string& text, char* buffer, int32_t size) {
    if (!buffer || size <= 0) return;
    const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

std::vector<std::string> Lines(const char* text) {
    std::vector<std::string> lines;
    std::istringstream in(text ? text : "");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t VantorWritePlots(const char* workDirectory,
                                                                           const char* outDirectory,
                                                                           const char* mixtureNames,
                                                                           const char* mechanismPath, char* message,
                                                                           int32_t messageSize) {
    std::unique_ptr<QApplication> app;
    static int argc = 1;
    static char name[] = "vantor-cli";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    const auto result = vantor::plot_render::WritePlotFiles(workDirectory ? workDirectory : "",
                                                            outDirectory ? outDirectory : "", Lines(mixtureNames),
                                                            mechanismPath ? mechanismPath : "");
    std::string text = result.error;
    if (result.ok) {
        for (const std::string& file : result.files) text += file + "\n";
    }
    CopyText(text, message, messageSize);
    return result.ok ? 0 : 1;
}

static_assert(std::is_same_v<decltype(&VantorWritePlots), VantorWritePlotsEntry>);
