#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/path_field.h"
#include "outside/psr/psr_data.h"
#include "outside/psr/psr_run.h"
#include "psr/psr_test_support.h"

namespace vantor::psr {
namespace {

// H2/air and pure N2, at 1 atm and 300 K.
JobRecord HydrogenJob(const chem::Mechanism& mechanism, const std::string& data, const std::string& listing) {
    JobRecord job{};
    job.NPress = 1;
    job.NTemp = 1;
    job.NMix = 2;
    job.Press[0] = 1.0;
    job.Temp[0] = 300.0;
    const std::vector<std::vector<std::pair<std::string, double>>> mixtures{{{"H2", 2.0}, {"O2", 1.0}, {"N2", 3.76}},
                                                                            {{"N2", 1.0}}};
    for (size_t m = 0; m < mixtures.size(); ++m) {
        const int row = static_cast<int>(m) + 1;
        job.mixIndex(row, 0) = static_cast<int16_t>(mixtures[m].size());
        for (size_t k = 0; k < mixtures[m].size(); ++k) {
            job.mixIndex(row, static_cast<int>(k) + 1) =
                static_cast<int16_t>(mechanism.SpeciesIndex(mixtures[m][k].first));
            job.mixAmount(row, static_cast<int>(k) + 1) = mixtures[m][k].second;
        }
    }
    EncodePathField(testing::HydrogenBinary(), job.MechBinFile);
    EncodePathField(data, job.SaveFile);
    EncodePathField(listing, job.OutFile);
    return job;
}

TEST(PsrRun, EveryCaseIsWrittenWithItsOwnStatusAndTheJobSucceeds) {
    const chem::Mechanism mechanism = testing::LoadHydrogen();
    const auto dir = testing::TestFolder();
    const std::string data = (dir / "job.psr").string(), listing = (dir / "job.out").string();
    JobRecord job = HydrogenJob(mechanism, data, listing);
    int32_t status = -1;
    double progress = -1.0;
    EXPECT_EQ(RunPsr(job, &status, &progress), kPsrSuccessResult);
    EXPECT_EQ(status, kPsrOk);
    EXPECT_EQ(progress, 9999.0);
    std::string error;
    const auto cases = ReadStirredReactorSummary(data, &error);
    ASSERT_EQ(cases.size(), 2u) << error;
    EXPECT_EQ(cases[0].status, 0);
    EXPECT_DOUBLE_EQ(cases[0].phi, 1.0);
    EXPECT_GT(cases[0].points, 10);
    EXPECT_NEAR(cases[0].extinctionTime, 1.511067e-05, 2e-8);
    EXPECT_EQ(cases[1].status, kPsrNotFlammable);
    EXPECT_EQ(cases[1].phi, -1.0);
    EXPECT_EQ(cases[1].extinctionTime, 0.0);
    std::stringstream text;
    text << std::ifstream(listing).rdbuf();
    EXPECT_NE(text.str().find("1 of 2 cases found their extinction point"), std::string::npos) << text.str();

    // Unusable input fails the job with its status and leaves the data file as it was.
    EncodePathField((dir / "absent.bin").string(), job.MechBinFile);
    EXPECT_EQ(RunPsr(job, &status, &progress), 0);
    EXPECT_EQ(status, kPsrMechanismMissing);
    EXPECT_EQ(ReadStirredReactorSummary(data).size(), 2u);
    job = HydrogenJob(mechanism, data, listing);
    job.Temp[0] = -300.0;
    EXPECT_EQ(RunPsr(job, &status, &progress), 0);
    EXPECT_EQ(status, kPsrBadJobRecord);
    text.str("");
    text << std::ifstream(listing).rdbuf();
    EXPECT_NE(text.str().find("temperature 1 (-300 K)"), std::string::npos) << text.str();
}

}  // namespace
}  // namespace vantor::psr
