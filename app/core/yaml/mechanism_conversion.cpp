#include "app/core/yaml/mechanism_conversion.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "app/core/yaml/yaml_reader.h"
#include "app/core/yaml/yaml_writer.h"
#include "common/atomic_file.h"
#include "common/local_timestamp.h"
#include "outside/tolmar/mechanism_compiler.h"

namespace vantor::yaml {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

}  // namespace

bool ConvertChemkinToYaml(const ChemkinPaths& sources, const std::string& yamlPath, std::string* error) {
    const std::optional<std::string> mechanism = ReadWhole(sources.mechanism);
    if (!mechanism) return SetError(error, "cannot read " + sources.mechanism), false;
    std::optional<std::string> thermo;
    if (!sources.thermo.empty() && !(thermo = ReadWhole(sources.thermo)))
        return SetError(error, "cannot read " + sources.thermo), false;
    tolmar::CompileInput input{*mechanism, sources.mechanism, std::nullopt, sources.thermo};
    if (thermo) input.thermoText = *thermo;
    tolmar::CompileOutput compiled;
    tolmar::CompileMechanism(input, compiled);
    if (compiled.diagnostics.HasErrors())
        return SetError(error, compiled.diagnostics.Errors().empty() ? "the mechanism could not be interpreted"
                                                                     : compiled.diagnostics.Errors().front()),
               false;

    std::optional<pellor::TransportData> transport;
    if (!sources.transport.empty()) {
        const std::optional<std::string> text = ReadWhole(sources.transport);
        if (!text) return SetError(error, "cannot read " + sources.transport), false;
        transport = pellor::ParseTransportData(*text);
        // As the transport fitting reads it: a bad line matters only for a species of the
        // mechanism without a good entry (others are notes, pair data, species of other mechanisms).
        for (const pellor::TransportLineProblem& p : transport->problems)
            for (const tolmar::Species& species : compiled.mechanism.species)
                if (pellor::UpperCase(species.name) == pellor::UpperCase(p.name) &&
                    !transport->entries.count(pellor::UpperCase(p.name)))
                    return SetError(error, sources.transport + ", line " + std::to_string(p.line) + ": " + p.reason +
                                               ": " + p.text),
                           false;
    }
    std::string description = "Converted by Vantor from " + sources.mechanism;
    if (!sources.thermo.empty()) description += ", " + sources.thermo;
    if (!sources.transport.empty()) description += ", " + sources.transport;
    description += " on " + FormatLocalTimestamp(std::chrono::system_clock::now());
    const YamlWriteInput write{compiled.mechanism, transport ? &*transport : nullptr, description};
    std::string text, why;
    if (!WriteCanteraYaml(write, text, why)) return SetError(error, sources.mechanism + ": " + why), false;
    return WriteFileAtomically(yamlPath, text, error);
}

bool WriteReducedYaml(const std::string& folder, std::string* error) {
    const fs::path dir(folder.empty() ? "." : folder);
    const auto present = [&](const char* name) {
        std::error_code ec;
        return fs::exists(dir / name, ec) ? (dir / name).string() : std::string();
    };
    const ChemkinPaths sources{(dir / "NEW_Chem.inp").string(), present("NEW_Therm.dat"), present("NEW_Tran.dat")};
    const std::string target = (dir / kReducedYamlFileName).string();
    if (ConvertChemkinToYaml(sources, target, error)) return true;
    std::error_code ec;
    fs::remove(target, ec);
    return false;
}

bool IsYamlMechanismPath(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".yaml" || ext == ".yml";
}

bool ConvertYamlToChemkin(const std::string& yamlPath, const std::string& folder, ChemkinPaths& written,
                          std::string* error) {
    const std::optional<std::string> text = ReadWhole(yamlPath);
    if (!text) return SetError(error, "cannot read " + yamlPath), false;
    YamlReadResult read = ReadCanteraYaml(*text, yamlPath);
    if (!read.ok) return SetError(error, read.error), false;
    read.mechanism.header = {"Converted by Vantor from " + yamlPath + " on " +
                             FormatLocalTimestamp(std::chrono::system_clock::now())};
    const ChemkinTexts texts = EmitChemkin(read.mechanism);

    const fs::path dir(folder.empty() ? "." : folder);
    const std::string stem = fs::path(yamlPath).stem().string();
    ChemkinPaths paths{(dir / (stem + ".inp")).string(), (dir / (stem + "_therm.dat")).string(),
                       texts.transport.empty() ? "" : (dir / (stem + "_tran.dat")).string()};
    if (!WriteFileAtomically(paths.mechanism, texts.mechanism, error) ||
        !WriteFileAtomically(paths.thermo, texts.thermo, error))
        return false;
    if (!paths.transport.empty()) {
        if (!WriteFileAtomically(paths.transport, texts.transport, error)) return false;
    } else {
        std::error_code ec;  // an earlier conversion's transport file describes other species
        fs::remove(dir / (stem + "_tran.dat"), ec);
    }
    written = paths;
    return true;
}

}  // namespace vantor::yaml
