#pragma once
// Shared by the flame tests: the hydrogen mechanism (with its transport) and GRI-Mech 3.0
// compiled once per test program into a temporary folder removed at exit.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "chemlib/mechanism.h"
#include "outside/mixture/mixture_transport.h"
#include "outside/pellor/pellor.h"
#include "outside/tolmar/tolmar.h"

namespace vantor::premix::testing {

inline std::filesystem::path TestFolder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("vantor_premix_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        static const std::string* const kept = new std::string(d.string());
        std::atexit([] { std::filesystem::remove_all(*kept); });
        return d;
    }();
    return dir;
}

struct Compiled {
    chem::Mechanism mechanism;
    pellor::TransportFits fits;
    mixture::MixtureTransport transport;
    std::string binary, transportBinary;
};

// `name`: a folder of tests/data with chem.inp and tran.dat; `therm`: the thermo file to use.
inline Compiled& CompiledMechanism(const std::string& name, const std::string& therm) {
    static std::map<std::string, std::unique_ptr<Compiled>> cache;
    auto& slot = cache[name];
    if (!slot) {
        slot = std::make_unique<Compiled>();
        const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/";
        const auto dir = TestFolder();
        slot->binary = (dir / (name + ".bin")).string();
        slot->transportBinary = (dir / (name + "_tran.bin")).string();
        tolmar::CompileMechanismFiles(data + name + "/chem.inp", data + therm, slot->binary,
                                      (dir / (name + ".out")).string());
        std::ostringstream msg;
        EXPECT_EQ(slot->mechanism.Load(slot->binary, msg), 0) << msg.str();
        const pellor::PellorReport report =
            pellor::FitTransport({slot->binary, data + name + "/tran.dat", slot->transportBinary, ""}, nullptr);
        EXPECT_EQ(report.status, pellor::kPellorOk) << report.message;
        slot->fits = report.fits;
        std::string error;
        EXPECT_TRUE(slot->transport.Bind(slot->mechanism, slot->fits, error)) << error;
    }
    return *slot;
}

inline Compiled& Hydrogen() { return CompiledMechanism("h2_li", "gri30/therm.dat"); }
inline Compiled& Gri() { return CompiledMechanism("gri30", "gri30/therm.dat"); }

}  // namespace vantor::premix::testing
