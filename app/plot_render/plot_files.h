#pragma once
// The comparison's plots as files: the ignition-delay, parity and flame-speed plots, and the
// temperature and species histories of every case, each as PNG and SVG, from the standard data
// and the flame data of a working directory. Used by vantor-cli without a display.

#include <string>
#include <vector>

namespace vantor::plot_render {

struct PlotFilesResult {
    bool ok = false;
    std::string error;               // the standard data at fault, or the file not written
    std::vector<std::string> files;  // written, in order
};

// Reads "SAVE.dat" and "New_SAVE.dat" of `workDirectory` and writes into `outDirectory`
// (created when missing) "delay", "parity", "flame_speed" when the folder holds FLAME.dat,
// "history_case_N" for every case, "species_NAME_case_N" for the fuels, O2, CO, OH and H2O and,
// after a target search, "candidates", each as .png and .svg. `mixtureNames` names the mixtures
// when it holds one text per mixture; `mechanismPath`, the detailed mechanism input, names the
// species when the work folder does not hold it.
// Needs a QApplication.
PlotFilesResult WritePlotFiles(const std::string& workDirectory, const std::string& outDirectory,
                               const std::vector<std::string>& mixtureNames, const std::string& mechanismPath);

}  // namespace vantor::plot_render
