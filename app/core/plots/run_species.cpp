#include "app/core/plots/run_species.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/core/mechanism/mechanism_reader.h"
#include "common/fixed_names.h"

namespace vantor::plots {
namespace {

bool SameInAnyCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::vector<std::string> ColumnSpeciesNames(const StandardDataCases& data, const std::string& dataName,
                                            const std::string& workDirectory, const std::string& fallbackPath,
                                            std::string* error) {
    auto fail = [error](const std::string& text) {
        if (error) *error = text;
        return std::vector<std::string>{};
    };
    if (data.mechanismName.empty()) return fail(dataName + " does not name its mechanism input.");
    std::error_code ec;
    std::string path = ResolveFixedName(workDirectory.empty() ? "." : workDirectory, data.mechanismName);
    if (!std::filesystem::is_regular_file(path, ec) && !fallbackPath.empty() &&
        SameInAnyCase(std::filesystem::path(fallbackPath).filename().string(), data.mechanismName))
        path = fallbackPath;
    if (!std::filesystem::is_regular_file(path, ec))
        return fail("The species are not known: " + data.mechanismName + ", the mechanism of " + dataName +
                    ", is not in " + workDirectory + ".");
    MechanismModel model;
    if (const MechanismOpenResult opened = OpenMechanism(model, path); !opened.ok) return fail(opened.error);
    std::vector<std::string> names = model.SpeciesNames();
    if (static_cast<int>(names.size()) != data.species)
        return fail("The species are not known: " + path + " declares " + std::to_string(names.size()) +
                    " species, " + dataName + " holds " + std::to_string(data.species) + ".");
    return names;
}

RunSpecies ReadRunSpecies(const StandardDataCases& detailed, const StandardDataCases& reduced,
                          const std::string& workDirectory, const std::string& detailedMechanism) {
    RunSpecies species;
    species.detailed = ColumnSpeciesNames(detailed, "SAVE.dat", workDirectory, detailedMechanism, &species.error);
    if (species.known())
        species.reduced = ColumnSpeciesNames(reduced, "New_SAVE.dat", workDirectory, {}, &species.error);
    if (!species.known()) species.detailed.clear();
    return species;
}

std::vector<int> SpeciesChoiceOrder(const StandardDataCases& detailed) {
    std::vector<int> order;
    std::vector<bool> placed(static_cast<size_t>(std::max(detailed.species, 0)) + 1, false);
    auto place = [&](int k) {
        if (k < 1 || k > detailed.species || placed[k]) return;
        placed[k] = true;
        order.push_back(k);
    };
    for (const StandardDataCase& c : detailed.cases)
        for (const int k : c.mixtureSpecies) place(k);
    for (int k = 1; k <= detailed.species; ++k) place(k);
    return order;
}

std::optional<int> SpeciesColumn(const std::vector<std::string>& names, const std::string& name) {
    for (const bool exact : {true, false}) {
        for (size_t i = 0; i < names.size(); ++i)
            if (exact ? names[i] == name : SameInAnyCase(names[i], name)) return static_cast<int>(i) + 1;
    }
    return std::nullopt;
}

std::vector<int> PlottedSpecies(const RunSpecies& names, const StandardDataCases& detailed) {
    std::vector<int> chosen;
    auto choose = [&](int k) {
        const bool known = k >= 1 && k <= static_cast<int>(names.detailed.size());
        if (known && std::find(chosen.begin(), chosen.end(), k) == chosen.end()) chosen.push_back(k);
    };
    for (const StandardDataCase& c : detailed.cases) {
        for (const int k : c.mixtureSpecies) {
            if (k < 1 || k > static_cast<int>(names.detailed.size())) continue;
            const std::string& name = names.detailed[k - 1];
            if (!SameInAnyCase(name, "O2") && !SameInAnyCase(name, "N2") && !SameInAnyCase(name, "AR") &&
                !SameInAnyCase(name, "HE"))
                choose(k);
        }
    }
    for (const char* name : {"O2", "CO", "OH", "H2O"})
        if (const auto k = SpeciesColumn(names.detailed, name)) choose(*k);
    return chosen;
}

SpeciesHistories ReadSpeciesHistories(const std::string& workDirectory, const RunSpecies& names,
                                      const std::vector<int>& species) {
    SpeciesHistories histories;
    std::vector<int> reducedColumns;
    for (const int k : species) {
        HistoryQuantity quantity{HistoryQuantity::kMoleFraction, names.detailed.at(k - 1),
                                 static_cast<int>(histories.quantities.size()), -1};
        if (const auto column = SpeciesColumn(names.reduced, quantity.species)) {
            quantity.reducedColumn = static_cast<int>(reducedColumns.size());
            reducedColumns.push_back(*column);
        }
        histories.quantities.push_back(std::move(quantity));
    }
    const std::string folder = workDirectory.empty() ? std::string(".") : workDirectory;
    auto detailed = ReadStandardDataCases(folder + "/SAVE.dat", "SAVE.dat", species);
    auto reduced = ReadStandardDataCases(folder + "/New_SAVE.dat", "New_SAVE.dat", reducedColumns);
    for (const auto* read : {&detailed, &reduced}) {
        if (read->problem == ReadProblem::kNone) continue;
        histories.error = read->error;
        return histories;
    }
    histories.detailed = std::move(detailed.data);
    histories.reduced = std::move(reduced.data);
    return histories;
}

}  // namespace vantor::plots
