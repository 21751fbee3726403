#include "cli/data_file_options.h"

#include <filesystem>

namespace vantor::cli {

namespace {

std::string AbsoluteOption(const CliOptions& options, const char* key) {
    const auto value = options.Value(key);
    return value && !value->empty() ? std::filesystem::absolute(*value).string() : std::string();
}

}  // namespace

DataFileChoice DataFileOptions(const CliOptions& options) {
    return {AbsoluteOption(options, "--thermo"), AbsoluteOption(options, "--transport")};
}

void ApplyDataFiles(const DataFileChoice& choice, MechanismModel& model, MessageSink& sink) {
    if (!choice.thermoPath.empty()) model.ThermoPath = choice.thermoPath;
    if (!choice.transportPath.empty()) model.TransportPath = choice.transportPath;
    if (!model.ThermoPath.empty()) sink.AddLine("> Thermo data: " + model.ThermoPath);
    if (!model.TransportPath.empty()) sink.AddLine("> Transport data: " + model.TransportPath);
}

}  // namespace vantor::cli
