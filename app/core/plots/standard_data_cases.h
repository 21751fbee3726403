#pragma once
// The cases of a standard-data file ("SAVE.dat", "New_SAVE.dat") as the plots need them: the
// conditions, the mixture, the ignition delay and temperature rise, and the time and
// temperature of every recorded state.

#include <optional>
#include <string>
#include <vector>

namespace vantor::plots {

struct RecordedState {
    double time = 0.0;         // s
    double temperature = 0.0;  // K
    double heatRelease = 0.0;  // erg/(cm3 s)
    std::vector<double> moleFractions;  // of the species asked for when reading, in that order
};

struct StandardDataCase {
    int number = 0;  // 1, 2, ... in file order, as the comparison report numbers them
    double pressureAtm = 0.0;
    double temperatureK = 0.0;
    int mixture = 0;  // 1, 2, ... by first appearance of the "INI SP IDX"/"INI SP MOL" pair
    std::vector<int> mixtureSpecies;  // "INI SP IDX": species numbers, from 1
    std::optional<double> delay;  // "DTAUi(s)=", s
    std::optional<double> rise;   // "DTMAX(K)=", K
    bool noIgnitionComment = false;
    std::vector<RecordedState> states;
};

struct StandardDataCases {
    std::vector<StandardDataCase> cases;
    int mixtures = 0;
    int species = 0;             // of the dimension line; 0 when it has none
    std::string mechanismName;   // the header's "SP" name: the mechanism input that was run
};

enum class ReadProblem { kNone, kMissing, kDamaged };

struct StandardDataRead {
    ReadProblem problem = ReadProblem::kNone;
    std::string error;  // names the file, and for a damaged file the line and its text
    StandardDataCases data;
};

// Reads `path`; `name` is how messages call the file. The mole fractions of the species numbered
// (from 1) in `species` are kept with every recorded state; a data line without them is damage.
StandardDataRead ReadStandardDataCases(const std::string& path, const std::string& name,
                                       const std::vector<int>& species = {});
StandardDataRead ParseStandardDataCases(const std::vector<std::string>& lines, const std::string& name,
                                        const std::vector<int>& species = {});

// Whether the case ignited. SENKIN records a case without ignition with its time limit as the
// delay and a "! no ignition" comment; the plots decide here and nowhere else.
bool CaseIgnited(const StandardDataCase& c);

}  // namespace vantor::plots
