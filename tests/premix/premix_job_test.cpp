// The flame job through its entry: every case written to the flame data with its own status,
// unusable input refused with a status naming the fault; the flame data reader's checks.

#include <fstream>
#include <string>
#include <vector>

#include "common/path_field.h"
#include "outside/pellor/transport_binary.h"
#include "outside/premix/flame_data.h"
#include "outside/premix/premix_run.h"
#include "outside/premix/premix_status.h"
#include "premix_test_support.h"

namespace vantor::premix {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Hydrogen/air at phi 1 and 0.1, 1 atm, 300 K; the ignition's time fields left empty.
JobRecord HydrogenJob(const std::string& tag, const std::string& transport) {
    auto& h2 = testing::Hydrogen();
    JobRecord job{};
    job.NPress = job.NTemp = 1;
    job.NMix = 2;
    job.Press[0] = 1.0;
    job.Temp[0] = 300.0;
    for (int m = 1; m <= 2; ++m) {
        const double h2Amount = m == 1 ? 2.0 : 0.2;
        const std::pair<const char*, double> mix[] = {{"H2", h2Amount}, {"O2", 1.0}, {"N2", 3.76}};
        job.mixIndex(m, 0) = 3;
        for (int k = 1; k <= 3; ++k) {
            job.mixIndex(m, k) = static_cast<int16_t>(h2.mechanism.SpeciesIndex(mix[k - 1].first));
            job.mixAmount(m, k) = mix[k - 1].second;
        }
    }
    const auto dir = testing::TestFolder();
    EncodePathField(h2.binary, job.MechBinFile);
    EncodePathField(transport, job.TranspBinFile);
    EncodePathField((dir / (tag + ".out")).string(), job.OutFile);
    EncodePathField((dir / (tag + ".dat")).string(), job.SaveFile);
    return job;
}

TEST(PremixJob, EveryCaseWrittenWithItsOwnStatus) {
    auto& h2 = testing::Hydrogen();
    const JobRecord job = HydrogenJob("job", h2.transportBinary);
    int32_t status = -1;
    double progress = 0.0;
    EXPECT_EQ(RunPremix(job, &status, &progress), kPremixSuccessResult);
    EXPECT_EQ(status, kPremixOk);
    EXPECT_EQ(progress, 9999.0);
    std::string error;
    const auto cases = ReadFlameSummary(DecodePathField(job.SaveFile), &error);
    ASSERT_EQ(cases.size(), 2u) << error;
    EXPECT_EQ(cases[0].status, 0);
    EXPECT_NEAR(cases[0].phi, 1.0, 1e-12);
    EXPECT_NEAR(cases[0].flameSpeed, 230.15, 1.0);
    EXPECT_GT(cases[0].points, 60);
    EXPECT_EQ(cases[0].message, "converged");
    EXPECT_EQ(cases[1].number, 2);
    EXPECT_EQ(cases[1].status, kPremixNotFlammable);
    EXPECT_EQ(cases[1].flameSpeed, 0.0);
    EXPECT_EQ(cases[1].points, 0);
    EXPECT_NE(cases[1].message.find("not flammable"), std::string::npos);
    EXPECT_NE(ReadAll(DecodePathField(job.OutFile)).find("1 of 2 cases converged"), std::string::npos);
}

TEST(PremixJob, UnusableInputRefusedWithItsStatus) {
    auto& h2 = testing::Hydrogen();
    auto run = [](const JobRecord& job) {
        int32_t status = 0;
        double progress = 0.0;
        EXPECT_EQ(RunPremix(job, &status, &progress), 0);
        return status;
    };
    // A transport binary whose last species is not the mechanism's.
    pellor::TransportFits fits = h2.fits;
    fits.names.back() = "AR";
    const std::string renamed = (testing::TestFolder() / "renamed_tran.bin").string();
    std::string error;
    ASSERT_TRUE(pellor::WriteTransportBinary(renamed, fits, error)) << error;
    const JobRecord wrongSpecies = HydrogenJob("species", renamed);
    EXPECT_EQ(run(wrongSpecies), kPremixTransportSpeciesMissing);
    EXPECT_NE(ReadAll(DecodePathField(wrongSpecies.OutFile)).find("N2"), std::string::npos);

    EXPECT_EQ(run(HydrogenJob("notransport", "/nonexistent/tran.bin")), kPremixTransportMissing);
    JobRecord noMechanism = HydrogenJob("nomech", h2.transportBinary);
    EncodePathField("/nonexistent/chem.bin", noMechanism.MechBinFile);
    EXPECT_EQ(run(noMechanism), kPremixMechanismMissing);
    JobRecord badMixture = HydrogenJob("badmix", h2.transportBinary);
    badMixture.mixIndex(2, 1) = 99;
    EXPECT_EQ(run(badMixture), kPremixBadJobRecord);
    EXPECT_NE(ReadAll(DecodePathField(badMixture.OutFile)).find("species number 99"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(DecodePathField(badMixture.SaveFile)));
}

TEST(FlameData, NumbersKeptExactlyAndMalformedFilesNamed) {
    FlameCaseData c;
    c.number = 3;
    c.pressureAtm = 1.0 / 3.0;
    c.temperature = 298.15;
    c.phi = 0.7;
    c.flameSpeed = 19.56712345678901;
    c.message = "converged\nsecond line";
    c.x = {0.0, 0.1};
    c.temperatureProfile = {300.0, 2000.0};
    c.velocity = {19.5, 130.0};
    c.heatRelease = {0.0, 1e9};
    c.moleFractions = {{0.5, 0.5}, {0.25, 0.75}};
    const std::string path = (testing::TestFolder() / "data.dat").string();
    std::string error;
    ASSERT_TRUE(WriteFlameData(path, {"A", "B"}, {c}, error)) << error;
    auto cases = ReadFlameSummary(path, &error);
    ASSERT_EQ(cases.size(), 1u) << error;
    EXPECT_EQ(cases[0].pressureAtm, 1.0 / 3.0);  // %.15E keeps 16 digits
    EXPECT_NEAR(cases[0].flameSpeed, c.flameSpeed, 1e-14);
    EXPECT_EQ(cases[0].points, 2);
    EXPECT_EQ(cases[0].message, "converged second line");

    std::string text = ReadAll(path);
    std::ofstream(path) << text.substr(0, text.rfind('\n', text.size() - 2) + 1);  // one row short
    EXPECT_TRUE(ReadFlameSummary(path, &error).empty());
    EXPECT_NE(error.find("1 rows fewer"), std::string::npos) << error;
    const size_t at = text.find("SL=");
    std::ofstream(path) << text.substr(0, at) + "SL= fast" + text.substr(text.find(" cm/s", at));
    EXPECT_TRUE(ReadFlameSummary(path, &error).empty());
    EXPECT_NE(error.find("data.dat:3: malformed case header"), std::string::npos) << error;
}

}  // namespace
}  // namespace vantor::premix
