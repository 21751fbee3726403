#pragma once
// Helpers shared by the engine tests: a fresh folder per test, small mechanisms written for the
// purpose and compiled with Tolmar, standard-data files built line by line, and engine runs.

#include <cstdint>
#include <string>
#include <vector>

#include "common/job_record.h"

namespace vantor::engine::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string Path(const std::string& name) const { return root_ + "/" + name; }
    const std::string& Root() const { return root_; }

private:
    std::string root_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// The lines of a text, CR LF or LF ends removed.
std::vector<std::string> Lines(const std::string& text);

struct CompiledMechanism {
    std::string binPath;
    int32_t KK = 0, II = 0;
    int32_t intWorkLength = 0, realWorkLength = 0, nameWorkLength = 0;
};

// Compiles mechanism input and thermo files into dir/Chem.bin (the test fails on a Tolmar error).
CompiledMechanism CompileMechanism(const TempDir& dir, const std::string& inpPath, const std::string& thermPath);

// A mechanism of isomers of CH4 named as given, with the reactions given (a line without a blank
// is an equation alone and gets "1.0E13 0.0 0.0"). Species k gets the enthalpy constant a6 = -1000 k,
// so every reaction has its own enthalpy change.
CompiledMechanism CompileIsomerMechanism(const TempDir& dir, const std::vector<std::string>& species,
                                         const std::vector<std::string>& reactions);

// GRI-Mech 3.0 from the test data.
CompiledMechanism CompileGriMech(const TempDir& dir);

// Standard data, line by line, in the layout the ignition runs write.
class StandardData {
public:
    explicit StandardData(const CompiledMechanism& mech, int cases = 1);

    StandardData& Line(const std::string& text);
    StandardData& Case(int number, double pAtm = 1.0, double tK = 1000.0);
    StandardData& Initial(const std::vector<int>& species);
    // A data line: time, P (dyn/cm2), four unused values, T, then the mole fractions.
    StandardData& Point(double pDyn, double tK, const std::vector<double>& moleFractions);
    StandardData& End();
    const std::string& Text() const { return text_; }
    void Write(const std::string& path) const { WriteFile(path, text_); }

private:
    std::string text_;
    int32_t ns_;
};

// Mole fractions of a composition spread over all species: every species `floor`, the named
// ones (1-based) their amounts, normalised.
std::vector<double> Spread(int32_t NS, const std::vector<std::pair<int, double>>& major, double floor);

// A job record naming Chem.bin, Out.dat, SP.TRM and SAVE.dat in `dir` (or the given paths).
JobRecord MakeJob(const TempDir& dir, double threshold, double heatKeptRatio);
void SetPath(JobRecord& job, PathField JobRecord::*field, const std::string& path);

// A run through the entry body; status and progress start at -1 so that the run's writes show.
struct EngineRun {
    int32_t result = 0;
    int32_t status = -1;
    double progress = -1.0;
};
enum class Engine { Kelda, Morva, Brena, Tovik };
using EntryBody = int32_t (*)(const JobRecord*, int32_t*, double*);
EntryBody EntryOf(Engine engine);
EngineRun RunEngine(Engine engine, const JobRecord& job);

}  // namespace vantor::engine::testing
