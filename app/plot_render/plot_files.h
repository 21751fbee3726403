#pragma once
// The comparison's plots as files: the ignition-delay plot and the temperature history of every
// case, each as PNG and SVG, from the standard data of a working directory. Used by vantor-cli
// without a display.

#include <string>
#include <vector>

namespace vantor::plot_render {

struct PlotFilesResult {
    bool ok = false;
    std::string error;               // the standard data at fault, or the file not written
    std::vector<std::string> files;  // written, in order
};

// Reads "SAVE.dat" and "New_SAVE.dat" of `workDirectory` and writes "delay.png", "delay.svg",
// "history_case_N.png" and ".svg" into `outDirectory` (created when missing), and after a
// target search "candidates.png" and ".svg". `mixtureNames`
// names the mixtures when it holds one text per mixture. Needs a QApplication.
PlotFilesResult WritePlotFiles(const std::string& workDirectory, const std::string& outDirectory,
                               const std::vector<std::string>& mixtureNames);

}  // namespace vantor::plot_render
