#pragma once
// --thermo FILE and --transport FILE: thermo and transport data under the names they ship with,
// in place of the project's choice or "Therm.dat" and "Tran.dat" beside the mechanism.

#include <string>

#include "app/core/mechanism/mechanism_model.h"
#include "app/core/pipeline/message_sink.h"
#include "cli/cli_options.h"

namespace vantor::cli {

struct DataFileChoice {
    std::string thermoPath;     // absolute; empty: not given
    std::string transportPath;
};

DataFileChoice DataFileOptions(const CliOptions& options);

// Puts the given files into the opened model and names in the message lines the files the run
// will use when they are not the default ones.
void ApplyDataFiles(const DataFileChoice& choice, MechanismModel& model, MessageSink& sink);

}  // namespace vantor::cli
