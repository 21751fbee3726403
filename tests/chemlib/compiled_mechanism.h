#pragma once
// Mechanism text compiled by the interpreter and loaded by the chemistry library, in a temporary
// folder removed at the end.

#include <memory>
#include <string>

#include "chemlib/mechanism.h"

namespace vantor::chem::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }  // empty when it could not be made

private:
    std::string path_;
};

// Compiles the files into folder/Chem.bin and loads it; null (and a test failure with the
// listing or the loader's messages) when either step fails.
std::unique_ptr<Mechanism> CompileAndLoad(const std::string& inp, const std::string& therm, const std::string& folder);

// The same for mechanism text, written to folder/chem.inp, with the thermo data of GRI-Mech 3.0.
std::unique_ptr<Mechanism> CompileTextAndLoad(const std::string& text, const std::string& folder);

}  // namespace vantor::chem::testing
