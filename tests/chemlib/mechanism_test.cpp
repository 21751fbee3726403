// A mechanism loaded from a file: sizing from the header, names and look-ups, and the files it
// refuses.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chemlib/binary_builder.h"
#include "chemlib/mechanism.h"

using namespace vantor::chem;
using namespace vantor::chem::test;

namespace {

class MechanismFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/chemlib-mechanism-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const std::vector<uint8_t>& bytes) {
        const std::string path = folder_ + "/Chem.bin";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    std::string folder_;
};

}  // namespace

TEST_F(MechanismFile, LoadsAndAnswersByNameAndNumber) {
    BinaryBuilder b = TwoSpeciesMechanism();
    b.species[1].name = "CH2(S)";
    b.species[1].weight = 14.027;
    Mechanism m;
    std::ostringstream msg;
    ASSERT_EQ(m.Load(Write(b.Bytes()), msg), 0) << msg.str();
    EXPECT_EQ(m.KK(), 2);
    EXPECT_EQ(m.II(), 1);
    EXPECT_EQ(m.ElementName(1), "X");
    EXPECT_EQ(m.SpeciesName(2), "CH2(S)");
    EXPECT_EQ(m.SpeciesName(3), "");
    EXPECT_EQ(m.SpeciesIndex("ch2(s)"), 2);
    EXPECT_EQ(m.SpeciesIndex("CH2"), 0);
    EXPECT_EQ(m.MolecularWeight(2), 14.027);
    EXPECT_EQ(m.IntWorkLength(), MechanismLayout::Compute(b.Counts()).intLength);

    std::vector<double> Y = {0.5, 0.5}, wdot(2), qf(1), qr(1);
    ASSERT_EQ(m.ProductionRates(msg, 1e6, 1000.0, Y.data(), wdot.data(), qf.data(), qr.data()), 0);
    EXPECT_GT(qf[0], 0.0);
    EXPECT_EQ(wdot[0], -(qf[0] - qr[0]));

    Mechanism copy = m;  // copies evaluate independently
    std::vector<double> qf2(1), qr2(1);
    ASSERT_EQ(copy.ProductionRates(msg, 2e6, 1000.0, Y.data(), wdot.data(), qf2.data(), qr2.data()), 0);
    EXPECT_NEAR(qf2[0], 2 * qf[0], 1e-12 * qf[0]);
}

TEST_F(MechanismFile, RefusesMissingDamagedAndOversizedFiles) {
    Mechanism m;
    std::ostringstream loaded;
    ASSERT_EQ(m.Load(Write(TwoSpeciesMechanism().Bytes()), loaded), 0);
    std::ostringstream missing;
    EXPECT_EQ(m.Load(folder_ + "/none.bin", missing), kLoadHeader);
    EXPECT_NE(missing.str().find(folder_ + "/none.bin"), std::string::npos) << missing.str();
    EXPECT_EQ(m.KK(), 0) << "nothing of the earlier load may remain";
    EXPECT_EQ(m.SpeciesName(1), "");

    BinaryBuilder wrongVersion = TwoSpeciesMechanism();
    wrongVersion.version = "2.0";
    std::ostringstream version;
    EXPECT_EQ(m.Load(Write(wrongVersion.Bytes()), version), kLoadHeader);
    EXPECT_EQ(version.str(), " Chemkin binary file is incompatible with Chemkin\r\n Library Version 4.3\r\n");

    auto records = TwoSpeciesMechanism().Records();
    const int32_t huge = 1 << 30;
    std::memcpy(records[1].bytes.data() + 4, &huge, 4);  // the declared RCKWRK length
    std::ostringstream oversized;
    EXPECT_EQ(m.Load(Write(BinaryBuilder::Frame(records)), oversized), kLoadHeader);
    EXPECT_NE(oversized.str().find("1073741824"), std::string::npos) << oversized.str();

    records = TwoSpeciesMechanism().Records();
    records[3].bytes.resize(10);
    std::ostringstream damaged;
    EXPECT_EQ(m.Load(Write(BinaryBuilder::Frame(records)), damaged), kLoadSpecies);
    EXPECT_EQ(m.IntWorkLength(), 0);
}
