#pragma once
// vantor-cli run --plot DIR: the comparison's plots as PNG and SVG files.

#include <string>
#include <vector>

#include "app/core/pipeline/message_sink.h"

namespace vantor::cli {

// Writes the plots of the standard data of `workDirectory` into `directory` through
// libVantorPlots.so from the program's own folder, and reports on `sink`. `mixtureLines` name the
// delay plot's series; `mechanismPath`, the detailed mechanism input, names the species when the
// work folder does not hold it. False when the library is missing or a plot could not be written.
bool WriteRunPlots(const std::string& workDirectory, const std::string& directory,
                   const std::vector<std::string>& mixtureLines, const std::string& mechanismPath,
                   MessageSink& sink);

}  // namespace vantor::cli
