#include "app/core/pipeline/input_checks.h"

#include <filesystem>
#include <vector>

#include "app/core/mechanism/section_keywords.h"
#include "app/core/mechanism/text_file.h"

namespace vantor {

namespace {

struct RequiredInput {
    const std::string* path;
    const char* message;
    bool endsRun;
};

std::vector<RequiredInput> RequiredInputs(int taskCode, const JobPaths& p) {
    const char* const chemistry = "<E> Cannot find Chemistry file.";
    switch (taskCode) {
        case 1: return {{&p.mechBinFile, chemistry, false}};
        case 2: return {{&p.mechBinFile, chemistry, false}, {&p.saveFile, "<E> Cannot find Standard data.", false}};
        case 3:
            return {{&p.inpFile, "<E> Cannot find INP file.", false},
                    {&p.thermFile, "<E> Cannot find thermal file (therm.dat).", false}};
        case 4:
            return {{&p.mechBinFile, chemistry, false}, {&p.tranDatFile, "<E> Cannot find transport file.", true}};
        default: return {};
    }
}

// The compiler takes a THERMO ALL section instead of the thermo file, which is then not needed.
bool ThermoFileNeeded(const std::string& inpFile) {
    std::vector<std::string> lines;
    return !ReadTextLines(inpFile, lines) || !DeclaresThermoAll(lines);
}

}  // namespace

std::optional<MissingInput> FindMissingInput(int taskCode, const JobPaths& paths) {
    for (const RequiredInput& input : RequiredInputs(taskCode, paths)) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(*input.path, ec)) continue;
        if (input.path == &paths.thermFile && !ThermoFileNeeded(paths.inpFile)) continue;
        return MissingInput{*input.path, input.message, input.endsRun};
    }
    return std::nullopt;
}

}  // namespace vantor
