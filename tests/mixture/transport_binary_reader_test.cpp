#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gri_fixture.h"
#include "outside/pellor/transport_binary.h"

using namespace vantor;
using vantor::testing_gri::Gri;

namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WriteBytes(const std::string& name, const std::string& bytes) {
    const std::string path = (Gri().folder / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace

TEST(TransportBinaryReader, ReadsBackWhatTheWriterWrote) {
    ASSERT_TRUE(Gri().ready);
    pellor::TransportFits read;
    std::string error;
    ASSERT_TRUE(pellor::ReadTransportBinary(Gri().transportBinary, read, error)) << error;
    const auto& written = Gri().fits;
    EXPECT_EQ(read.coefficients, written.coefficients);
    EXPECT_EQ(read.temperatures, written.temperatures);
    EXPECT_EQ(read.minTemperature, written.minTemperature);
    EXPECT_EQ(read.maxTemperature, written.maxTemperature);
    EXPECT_EQ(read.referencePressure, written.referencePressure);
    EXPECT_EQ(read.names, written.names);
    EXPECT_EQ(read.weights, written.weights);
    ASSERT_EQ(read.parameters.size(), written.parameters.size());
    for (size_t k = 0; k < read.parameters.size(); ++k) {
        const auto &a = read.parameters[k], &b = written.parameters[k];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.geometry, b.geometry);
        EXPECT_EQ(a.wellDepth, b.wellDepth);
        EXPECT_EQ(a.collisionDiameter, b.collisionDiameter);
        EXPECT_EQ(a.dipoleMoment, b.dipoleMoment);
        EXPECT_EQ(a.polarizability, b.polarizability);
        EXPECT_EQ(a.rotationalRelaxation, b.rotationalRelaxation);
    }
    EXPECT_EQ(read.viscosity, written.viscosity);
    EXPECT_EQ(read.conductivity, written.conductivity);
    EXPECT_EQ(read.diffusion, written.diffusion);
}

TEST(TransportBinaryReader, NamesTheFileAndTheRecordAtFault) {
    ASSERT_TRUE(Gri().ready);
    const std::string good = Bytes(Gri().transportBinary);
    pellor::TransportFits fits;
    fits.coefficients = 99;
    std::string error;
    const auto fails = [&](const std::string& path, const std::string& expected) {
        error.clear();
        EXPECT_FALSE(pellor::ReadTransportBinary(path, fits, error)) << path;
        EXPECT_NE(error.find(expected), std::string::npos) << error;
        EXPECT_EQ(error.rfind(path, 0), 0u) << error;
    };
    fails((Gri().folder / "absent.bin").string(), "cannot be opened");
    fails(WriteBytes("cut.bin", good.substr(0, good.size() - 100)), "record 8 (binary diffusion fits) is cut short");
    // Header (4 + 52 + 4 bytes), names (4 + 53*16 + 4), then the weights record's count.
    const size_t weights = 60 + 8 + 53 * 16;
    fails(WriteBytes("ends.bin", good.substr(0, weights)), "record 3 (molecular weights) is missing");
    std::string renamed = good;
    renamed[4] = 'X';
    fails(WriteBytes("renamed.bin", renamed), "record 1 (header) names \"XELLOR-TRAN 1\"");
    std::string negative = good;
    const double bad = -28.0;
    std::memcpy(&negative[weights + 4], &bad, sizeof bad);
    fails(WriteBytes("negative.bin", negative), "record 3 (molecular weights) gives -28.000000 for species H2");
    const std::string extra = good + std::string("\x04\0\0\0abcd\x04\0\0\0", 12);
    fails(WriteBytes("extra.bin", extra), "unexpected data after record 8");
    EXPECT_EQ(fits.coefficients, 99);  // a failed read leaves the fits as they were
}
