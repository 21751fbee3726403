#pragma once
// Helpers of the interpreter's tests: a temporary folder, fixed-column thermo entries, and
// compiling in memory against a small thermo data set.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "outside/tolmar/mechanism_compiler.h"
#include "tolmar/binary_image.h"

namespace vantor::tolmar::testing {

// A fresh folder under the system's temporary directory, removed with its contents at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    std::string Write(const std::string& name, std::string_view text) const;  // returns the path

private:
    std::filesystem::path root_;
};

std::string ReadFileText(const std::string& path);
std::string DataPath(const std::string& relative);  // under the test data folder

// One NASA 7-coefficient entry in the fixed columns, with column-80 markers.
std::string ThermoEntry(const std::string& name, const std::vector<std::pair<std::string, int>>& atoms,
                        double tLow = 300.0, double tHigh = 5000.0, double tCommon = 1000.0, double seed = 1.0);

// Entries for H, H2, O, O2, OH, H2O, HO2, H2O2, N2, AR, CO, CO2, HE, E (electron) and D2,
// behind a THERMO line and the default temperatures, closed by END.
std::string SmallThermo();

// Compiles the mechanism text with SmallThermo() (or the given thermo text) in memory.
CompileOutput CompileText(std::string_view mechanism, std::string_view thermo);
CompileOutput CompileText(std::string_view mechanism);

// The binary of a successful compilation read back; fails the calling test otherwise.
BinaryImage Image(const CompileOutput& output);

// "ELEMENTS H O N AR C HE E END" and a SPECIES section with the given names, then the reactions.
std::string Mechanism(const std::string& species, const std::string& reactions, const std::string& units = "");

// All error messages joined by newlines, for assertion output.
std::string Errors(const CompileOutput& output);

}  // namespace vantor::tolmar::testing
