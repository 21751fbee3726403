#pragma once
// The species of a run's standard data by name: the mechanism input each file's header names
// gives the names of its mole-fraction columns, so a species of the detailed mechanism is found
// in the reduced mechanism's file, whose columns lack the trimmed species.

#include <optional>
#include <string>
#include <vector>

#include "app/core/plots/history_plot_data.h"
#include "app/core/plots/standard_data_cases.h"

namespace vantor::plots {

struct RunSpecies {
    std::vector<std::string> detailed;  // SAVE.dat's columns
    std::vector<std::string> reduced;   // New_SAVE.dat's columns
    std::string error;                  // why the names are not known; empty when they are
    bool known() const { return error.empty(); }
};

// The names of `data`'s columns: the species of the mechanism input its header names, looked
// for in `workDirectory` (in any letter case), else at `fallbackPath` when that file carries the
// same name. An error names the file when it is missing or declares another number of species.
std::vector<std::string> ColumnSpeciesNames(const StandardDataCases& data, const std::string& dataName,
                                            const std::string& workDirectory, const std::string& fallbackPath,
                                            std::string* error);

// Both files' names; `detailedMechanism` is the opened mechanism input, for a work folder that
// does not hold it.
RunSpecies ReadRunSpecies(const StandardDataCases& detailed, const StandardDataCases& reduced,
                          const std::string& workDirectory, const std::string& detailedMechanism);

// Detailed species numbers (from 1) in the order a species list offers them: the mixtures'
// species first, as the cases name them, then the others in mechanism order.
std::vector<int> SpeciesChoiceOrder(const StandardDataCases& detailed);

// The column (from 1) of `name` among `names`, exact or else in any letter case.
std::optional<int> SpeciesColumn(const std::vector<std::string>& names, const std::string& name);

// The species vantor-cli plots: the mixtures' fuels (their species other than O2, N2, Ar and
// He), then O2, CO, OH and H2O, as far as the detailed mechanism holds them; detailed numbers.
std::vector<int> PlottedSpecies(const RunSpecies& names, const StandardDataCases& detailed);

// Both standard-data files of `workDirectory` read with the columns of the detailed species
// numbered `species`, and the history quantity of each.
struct SpeciesHistories {
    StandardDataCases detailed, reduced;
    std::vector<HistoryQuantity> quantities;
    std::string error;  // the file at fault
};
SpeciesHistories ReadSpeciesHistories(const std::string& workDirectory, const RunSpecies& names,
                                      const std::vector<int>& species);

}  // namespace vantor::plots
