#include "chemlib/compiled_mechanism.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "outside/tolmar/tolmar.h"

namespace vantor::chem::testing {

TempFolder::TempFolder() {
    char pattern[] = "/tmp/chemlib-compiled-XXXXXX";
    if (mkdtemp(pattern)) path_ = pattern;
}

TempFolder::~TempFolder() {
    if (!path_.empty()) std::filesystem::remove_all(path_);
}

std::unique_ptr<Mechanism> CompileAndLoad(const std::string& inp, const std::string& therm, const std::string& folder) {
    const std::string bin = folder + "/Chem.bin", out = folder + "/Out.dat";
    if (vantor::tolmar::CompileMechanismFiles(inp, therm, bin, out) != 0) {
        std::ifstream listing(out);
        ADD_FAILURE() << "compilation failed:\n" << std::string(std::istreambuf_iterator<char>(listing), {});
        return nullptr;
    }
    auto m = std::make_unique<Mechanism>();
    std::ostringstream msg;
    if (m->Load(bin, msg) != 0) {
        ADD_FAILURE() << msg.str();
        return nullptr;
    }
    return m;
}

std::unique_ptr<Mechanism> CompileTextAndLoad(const std::string& text, const std::string& folder) {
    const std::string inp = folder + "/chem.inp";
    std::ofstream(inp) << text;
    return CompileAndLoad(inp, std::string(VANTOR_TEST_DATA_DIR) + "/gri30/therm.dat", folder);
}

}  // namespace vantor::chem::testing
