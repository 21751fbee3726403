#pragma once
// GRI-Mech 3.0 compiled and its transport fitted once per test program, in a temporary folder.

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <system_error>
#include <string>

#include "chemlib/mechanism.h"
#include "outside/pellor/pellor.h"
#include "outside/tolmar/tolmar.h"

namespace vantor::testing_gri {

struct GriTransport {
    std::filesystem::path folder;
    chem::Mechanism mechanism;
    pellor::TransportFits fits;
    std::string transportBinary;
    bool ready = false;
    ~GriTransport() {
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }
};

inline const GriTransport& Gri() {
    static GriTransport g;
    static const bool prepared = [] {
        const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/gri30/";
        g.folder = std::filesystem::temp_directory_path() / ("vantor_mixture_" + std::to_string(::getpid()));
        std::filesystem::create_directories(g.folder);
        const std::string chem = (g.folder / "Chem.bin").string();
        g.transportBinary = (g.folder / "Tran.bin").string();
        if (tolmar::CompileMechanismFiles(data + "chem.inp", data + "therm.dat", chem, (g.folder / "tolmar.out").string()) != 0)
            return false;
        const pellor::PellorReport report = pellor::FitTransport({chem, data + "tran.dat", g.transportBinary, ""}, nullptr);
        std::ostringstream messages;
        g.ready = report.status == pellor::kPellorOk && g.mechanism.Load(chem, messages) == 0;
        g.fits = report.fits;
        return g.ready;
    }();
    (void)prepared;
    return g;
}

}  // namespace vantor::testing_gri
