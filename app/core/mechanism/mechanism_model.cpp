#include "app/core/mechanism/mechanism_model.h"

namespace vantor {

std::vector<std::string> MechanismModel::SpeciesNames() const {
    std::vector<std::string> names;
    names.reserve(Species.size());
    for (const auto& s : Species) names.push_back(s.name);
    return names;
}

std::vector<bool> MechanismModel::SpeciesMarks() const {
    std::vector<bool> marks;
    marks.reserve(Species.size());
    for (const auto& s : Species) marks.push_back(s.checked);
    return marks;
}

void MechanismModel::CheckAllSpecies(bool checked) {
    for (auto& s : Species) s.checked = checked;
}

}  // namespace vantor
