// Arbitrary bytes as a mechanism input: the species list, the reaction map, the reduced writer's
// classification and clean-up and the whole-token test must neither crash nor read out of bounds.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/reduced_writer.h"
#include "app/core/mechanism/text_file.h"
#include "app/core/mechanism/trimming.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vantor;
    MechanismModel model;
    for (auto& line : SplitLines(std::string(reinterpret_cast<const char*>(data), size))) {
        model.MechanismText.push_back({std::move(line), true});
    }
    CreateSpeciesList(model);
    // Every other species removed, so both classes of every rule are reached.
    for (size_t i = 0; i < model.Species.size(); i += 2) {
        model.Species[i].checked = false;
        model.RemovedSpeciesNames.push_back(model.Species[i].name);
    }
    const ReactionMap map = BuildReactionMap(model.MechanismText);
    (void)FormatReactionMap(map);
    for (const auto& line : model.MechanismText) {
        (void)ClassifyLine(line.text, model.RemovedSpeciesNames);
        (void)CleanEfficiencyLine(line.text, model.Species);
        for (size_t i = 0; i < model.Species.size() && i < 8; ++i) (void)SpeciesInLine(model.Species[i].name, line.text);
    }
    return 0;
}
