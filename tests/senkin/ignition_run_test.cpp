#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <fstream>
#include <functional>

#include "common/entry_abi.h"
#include "common/path_field.h"
#include "outside/senkin/ignition_run.h"
#include "senkin_test_support.h"

using namespace vantor;
using namespace vantor::senkin;
using namespace vantor::senkin::testing;
namespace fs = std::filesystem;

namespace {

const std::vector<std::pair<std::string, double>> kMethaneOxygen = {{"CH4", 1.0}, {"O2", 2.0}};

class IgnitionRun : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        gri_ = LoadGri();
        ASSERT_GT(gri_.KK(), 0);
    }
    IgnitionFiles Files() const {
        return {GriBinary(), (dir_ / "SAVE.dat").string(), (dir_ / "Out.dat").string(), "chem.inp"};
    }
    // Runs the entry's body on the job with the paths of Files(); returns the result.
    int32_t RunEntry(JobRecord job, const std::string& mechanismBinary, int32_t& status, double& progress) {
        EXPECT_TRUE(EncodePathField(mechanismBinary, job.MechBinFile));
        EXPECT_TRUE(EncodePathField(Files().standardData, job.SaveFile));
        EXPECT_TRUE(EncodePathField(Files().listing, job.OutFile));
        return RunSenkin(job, &status, &progress);
    }
    // The status of a run of `job` through the entry's body, with `listing` the run listing. The
    // result and progress must agree with the status.
    int32_t EntryStatus(const JobRecord& job, std::string& listing) {
        int32_t status = -1;
        double progress = -1.0;
        const int32_t result = RunEntry(job, GriBinary(), status, progress);
        EXPECT_EQ(result, status == 0 ? 10108 : 0);
        EXPECT_EQ(progress == 9999.0, status == 0);
        listing = ReadText(dir_ / "Out.dat");
        return status;
    }
    std::string Save() const { return ReadText(dir_ / "SAVE.dat"); }

    fs::path dir_;
    chem::Mechanism gri_;
};

}  // namespace

TEST_F(IgnitionRun, LibraryEntryRunsTheCasesInAFolderWithABlank) {
    const fs::path folder = dir_ / "work dir";
    fs::create_directories(folder);
    void* library = dlopen((std::string(VANTOR_BIN_DIR) + "/libSENKIN.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto entry = reinterpret_cast<EntryFunction>(dlsym(library, "SENKIN"));
    ASSERT_NE(entry, nullptr);
    fs::copy_file(GriBinary(), folder / "Chem.bin");
    JobRecord job = MakeJob(gri_, {1.0}, {1200.0, 1400.0}, {kMethaneOxygen});
    ASSERT_TRUE(EncodePathField((folder / "Chem.bin").string(), job.MechBinFile));
    ASSERT_TRUE(EncodePathField((folder / "SAVE.dat").string(), job.SaveFile));
    ASSERT_TRUE(EncodePathField((folder / "Out.dat").string(), job.OutFile));
    ASSERT_TRUE(EncodePathField((folder / "chem.inp").string(), job.InpFile));
    int32_t status = -1;
    double progress = -1.0;
    EXPECT_EQ(entry(&job, &status, &progress), 10108);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(progress, 9999.0);
    EXPECT_EQ(ReadText(folder / "SAVE.dat").rfind("! Var#=    60  SP chem.inp\r\n", 0), 0u);
    const std::string listing = ReadText(folder / "Out.dat");
    EXPECT_NE(listing.find("Case 2: mixture 1, P = 1 atm, T = 1400 K"), std::string::npos);
    EXPECT_NE(listing.find("Integrator steps"), std::string::npos);
    dlclose(library);
}

TEST_F(IgnitionRun, FileIsTheSameWithOneThreadAndWithMore) {
    const JobRecord job = MakeJob(gri_, {1.0, 2.0}, {1200.0, 1300.0}, {kMethaneOxygen});
    RunOptions one;
    one.threads = 1;
    ASSERT_EQ(RunIgnitionJob(job, Files(), one, nullptr).status, 0);
    const std::string single = Save();
    RunOptions many;
    many.threads = 3;
    double progress = 0.0;
    const RunReport report = RunIgnitionJob(job, Files(), many, &progress);
    ASSERT_EQ(report.status, 0);
    EXPECT_EQ(progress, 100.0);
    EXPECT_EQ(Save(), single);
    for (size_t i = 0; i < report.cases.size(); ++i) {
        EXPECT_EQ(report.cases[i].ignitionCase.number, static_cast<int>(i) + 1);
    }
}

TEST_F(IgnitionRun, EndTimeFollowsItsModeAndNeverPassesMaxTime) {
    JobRecord job = MakeJob(gri_, {1.0}, {1400.0}, {kMethaneOxygen});
    job.EndTimeMode = 2;  // Tig
    job.EndTime = 3.0;
    auto report = RunIgnitionJob(job, Files(), RunOptions{}, nullptr);
    ASSERT_EQ(report.status, 0);
    const double delay = report.cases[0].outcome.ignition.delay;
    EXPECT_NEAR(report.cases[0].outcome.endTime, 3.0 * delay, 1e-3 * delay);

    job.EndTimeMode = 1;  // sec
    job.EndTime = 0.004;
    report = RunIgnitionJob(job, Files(), RunOptions{}, nullptr);
    ASSERT_EQ(report.status, 0);
    EXPECT_EQ(report.cases[0].outcome.endTime, 0.004);
    EXPECT_NE(Save().find("  4.0000000E-03  1.0132500E+06"), std::string::npos);  // the last state

    job.EndTimeMode = 0;  // tmax: after the ignition, once the temperature is within 1 K of its top
    job.EndTime = 1.0;
    report = RunIgnitionJob(job, Files(), RunOptions{}, nullptr);
    ASSERT_EQ(report.status, 0);
    const auto& tmax = report.cases[0].outcome;
    EXPECT_GT(tmax.endTime, delay);
    EXPECT_LT(tmax.endTime, 20.0 * delay);
    EXPECT_NEAR(tmax.ignition.finalTemperature, 1400.0 + tmax.ignition.rise, 1.01);

    job.EndTimeMode = 2;
    job.EndTime = 100.0;
    job.MaxTime = 0.01;
    report = RunIgnitionJob(job, Files(), RunOptions{}, nullptr);
    ASSERT_EQ(report.status, 0);
    EXPECT_EQ(report.cases[0].outcome.endTime, 0.01);
}

TEST_F(IgnitionRun, CaseWithoutIgnitionIsReportedNotFailed) {
    JobRecord job = MakeJob(gri_, {1.0}, {700.0}, {kMethaneOxygen});
    job.MaxTime = 0.01;
    std::string listing;
    EXPECT_EQ(EntryStatus(job, listing), 0);
    EXPECT_NE(listing.find("No ignition: the temperature rose by less than 50 K up to"), std::string::npos);
    const std::string save = Save();
    EXPECT_NE(save.find("! no ignition: the temperature rose by less than 50 K up to 0.01 s\r\nDTAUi(s)= 0.01\r\n"),
              std::string::npos);
    EXPECT_EQ(save.find("\r\n\r\n"), std::string::npos);
}

TEST_F(IgnitionRun, MissingOrUnreadableMechanismFails) {
    const JobRecord job = MakeJob(gri_, {1.0}, {1200.0}, {kMethaneOxygen});
    int32_t status = 0;
    double progress = 0.0;
    const std::string missing = (dir_ / "none" / "Chem.bin").string();
    EXPECT_EQ(RunEntry(job, missing, status, progress), 0);
    EXPECT_EQ(status, kSenkinMechanismMissing);
    EXPECT_NE(ReadText(dir_ / "Out.dat").find("FILE " + missing + " not found."), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "SAVE.dat"));

    const std::string garbage = (dir_ / "garbage.bin").string();
    std::ofstream(garbage) << "not a mechanism binary";
    EXPECT_EQ(RunEntry(job, garbage, status, progress), 0);
    EXPECT_EQ(status, kSenkinMechanismUnreadable);
    const std::string listing = ReadText(dir_ / "Out.dat");
    EXPECT_NE(listing.find("the mechanism binary " + garbage + " cannot be read"), std::string::npos);
    for (size_t at = listing.find('\n'); at != std::string::npos; at = listing.find('\n', at + 1)) {
        ASSERT_EQ(listing[at - 1], '\r') << "the reader's messages keep the listing's CR LF";
    }
}

TEST_F(IgnitionRun, NonsenseInTheJobRecordFailsWithAMessageAndKeepsTheOldFile) {
    std::ofstream(dir_ / "SAVE.dat") << "earlier standard data";
    const JobRecord good = MakeJob(gri_, {1.0, 2.0}, {1200.0}, {kMethaneOxygen});
    const std::vector<std::pair<std::function<void(JobRecord&)>, std::string>> spoilers = {
        {[](JobRecord& j) { j.mixIndex(1, 0) = 0; }, "job record: mixture 1: no species"},
        {[](JobRecord& j) { j.mixAmount(1, 1) = j.mixAmount(1, 2) = 0.0; }, "job record: mixture 1: every amount is 0"},
        {[](JobRecord& j) { j.mixIndex(1, 2) = 54; }, "species number 54 (entry 2) is outside the mechanism's 1..53"},
        {[](JobRecord& j) { j.Press[1] = -2.0; }, "case 2 (mixture 1, -2 atm, 1200 K): pressure 2 (-2 atm)"},
        {[](JobRecord& j) { j.Temp[0] = 0.0; }, "case 1 (mixture 1, 1 atm, 0 K): temperature 1 (0 K) is not above 0"},
        {[](JobRecord& j) { j.NMix = 51; }, "NMix = 51 is outside 1..50"},
        {[](JobRecord& j) { j.NPress = -3; }, "NPress = -3 is outside 1..50"},
    };
    for (const auto& [spoil, message] : spoilers) {
        JobRecord job = good;
        spoil(job);
        std::string listing;
        EXPECT_EQ(EntryStatus(job, listing), kSenkinBadJobRecord) << message;
        EXPECT_NE(listing.find("* ERROR: "), std::string::npos);
        EXPECT_NE(listing.find(message), std::string::npos) << listing;
        EXPECT_EQ(Save(), "earlier standard data");
    }
    JobRecord noSave = good;
    EncodePathField(GriBinary(), noSave.MechBinFile);
    EncodePathField(Files().listing, noSave.OutFile);
    ClearPathField(noSave.SaveFile);
    int32_t status = 0;
    double progress = 0.0;
    EXPECT_EQ(RunSenkin(noSave, &status, &progress), 0);
    EXPECT_EQ(status, kSenkinBadJobRecord);
    EXPECT_NE(ReadText(dir_ / "Out.dat").find("SaveFile names no file"), std::string::npos);
}

TEST_F(IgnitionRun, NonFiniteRatesFailTheNamedCaseAndWriteNoStandardData) {
    std::ofstream(dir_ / "SAVE.dat") << "earlier standard data";
    std::string overflowing = kHydrogenMechanism;
    overflowing.insert(overflowing.rfind("END"), "H2+O2=>OH+OH 1.0E300 20.0 0.\n");
    IgnitionFiles files = Files();
    files.mechanismBinary = CompileSmallMechanism("overflowing", overflowing);
    const JobRecord job = MakeJob(LoadBinary(files.mechanismBinary), {1.0}, {1200.0, 1400.0}, {{{"H2", 2.0}, {"O2", 1.0}}});
    RunOptions options;
    options.threads = 1;
    const RunReport report = RunIgnitionJob(job, files, options, nullptr);
    EXPECT_EQ(report.status, kSenkinCaseFailed);
    const std::string listing = ReadText(dir_ / "Out.dat");
    EXPECT_NE(listing.find("* ERROR: case 1 (mixture 1, 1 atm, 1200 K): the initial state cannot be evaluated at "
                           "t = 0 s: rates not finite"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("case 1 (mixture 1, 1 atm, 1200 K) failed; no standard data written"), std::string::npos);
    EXPECT_EQ(Save(), "earlier standard data");
    EXPECT_FALSE(report.cases[1].finished);  // the run stops at the first failure
}

TEST_F(IgnitionRun, UnwritableListingFails) {
    const JobRecord job = MakeJob(gri_, {1.0}, {1200.0}, {kMethaneOxygen});
    IgnitionFiles files = Files();
    files.listing = (dir_ / "missing folder" / "Out.dat").string();
    const RunReport report = RunIgnitionJob(job, files, RunOptions{}, nullptr);
    EXPECT_EQ(report.status, kSenkinListingNotWritable);
    EXPECT_NE(report.message.find("missing folder"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "SAVE.dat"));
}

// The integrator's steps on a large mechanism: the Newton iteration converges far enough that the
// steps are not cut short by its leftover error (LLNL n-heptane in air, 10 atm, 1000 K: some 1150
// steps and 30 error-test failures, where a loose iteration takes 1840 and 83).
TEST_F(IgnitionRun, LargeMechanismIgnitesInFewSteps) {
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/nc7_llnl/";
    const std::string binary = (dir_ / "nc7.bin").string();
    ASSERT_EQ(tolmar::CompileMechanismFiles(data + "chem.inp", data + "therm.dat", binary,
                                            (dir_ / "tolmar.out").string()),
              0);
    const JobRecord job =
        MakeJob(LoadBinary(binary), {10.0}, {1000.0}, {{{"NC7H16", 1.0}, {"O2", 11.0}, {"N2", 41.36}}});
    RunOptions options;
    options.threads = 1;
    const RunReport report = RunIgnitionJob(job, {binary, "", "", "chem.inp"}, options, nullptr);
    ASSERT_EQ(report.status, 0) << report.message;
    const IntegrationOutcome& o = report.cases[0].outcome;
    EXPECT_NEAR(o.ignition.delay, 3.24506e-3, 1e-8);
    EXPECT_LT(o.steps, 1400);
    EXPECT_LT(o.work.errorTestFailures, 50);
    EXPECT_LT(o.work.matrixSetups, o.steps / 5);
    EXPECT_GT(o.work.newtonIterations, o.steps);
}
