// Every library with each of its outputs failing: at the first write (the output is a link to
// /dev/full) and partway (a file-size limit). A failure is a status with the file's name and the
// system's reason, never success, never a crash, and the earlier file stays.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "chemlib/mechanism.h"
#include "common/atomic_file.h"
#include "engine/common/engine_status.h"
#include "engine/engine_test_support.h"
#include "faults/write_faults.h"
#include "outside/pellor/pellor.h"
#include "outside/senkin/ignition_run.h"
#include "outside/tolmar/tolmar.h"
#include "senkin/senkin_test_support.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using faults::FileSizeLimit;
using faults::Folder;
using faults::LinkToFullDevice;
using faults::ReadText;
using faults::WriteText;

const std::string kData = std::string(VANTOR_TEST_DATA_DIR);
constexpr const char* kNoSpace = "No space left on device";
constexpr const char* kTooLarge = "File too large";

TEST(AtomicFile, DeviceIsWrittenInPlaceAndPartwayFailureKeepsTheOldFile) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically("/dev/full", std::string_view("x"), &error));
    EXPECT_EQ(error, std::string("cannot write /dev/full: ") + kNoSpace);
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));  // never renamed over
    EXPECT_TRUE(WriteFileAtomically("/dev/null", std::string_view("x")));

    Folder dir("atomic");
    const std::string path = dir.Path("SAVE.dat"), link = dir.Path("link.dat");
    WriteText(path, "good");
    fs::create_symlink(path, link);
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(WriteFileAtomically(link, std::string(70000, 'x'), &error));
    }
    EXPECT_EQ(error, "cannot write " + link + ": " + kTooLarge);
    EXPECT_EQ(ReadText(path), "good");
    EXPECT_TRUE(faults::Leftovers(dir.Root()).empty());
    ASSERT_TRUE(WriteFileAtomically(link, std::string_view("new")));
    EXPECT_FALSE(fs::is_symlink(link));  // the link is replaced, the file behind it stays
    EXPECT_EQ(ReadText(link), "new");
    EXPECT_EQ(ReadText(path), "good");
}

// --- the reduction engines ------------------------------------------------------------------

using engine::testing::CompiledMechanism;
using engine::testing::Engine;
using engine::testing::StandardData;

struct EngineCase {
    const char* folder;
    std::vector<std::pair<std::string, double>> mixture;  // the first two start the search
    double temperature;
};

CompiledMechanism Compile(const engine::testing::TempDir& dir, const std::string& folder) {
    return engine::testing::CompileMechanism(dir, kData + "/" + folder + "/chem.inp", kData + "/" + folder + "/therm.dat");
}

// A few recorded states of one case, enough for a listing of several kilobytes.
void WriteStandardData(const CompiledMechanism& mech, const EngineCase& c, const std::string& path) {
    chem::Mechanism loaded;
    std::ostringstream messages;
    ASSERT_EQ(loaded.Load(mech.binPath, messages), 0);
    std::vector<std::pair<int, double>> major;
    for (const auto& [name, amount] : c.mixture) major.emplace_back(loaded.SpeciesIndex(name), amount);
    StandardData data(mech);
    data.Case(1, 10.0, c.temperature).Initial({major[0].first, major[1].first});
    for (double t : {c.temperature, c.temperature + 600.0, c.temperature + 1200.0})
        data.Point(10.0 * 1013250.0, t, engine::testing::Spread(mech.KK, major, 1e-6));
    data.End().Write(path);
}

class EngineListingFaults : public ::testing::TestWithParam<Engine> {};

// The n-heptane run is the one whose failing listing used to overrun the file buffer and crash.
TEST_P(EngineListingFaults, ListingThatCannotBeWrittenFailsAndKeepsTheTrimmedFile) {
    const engine::EngineStatusCodes& codes = GetParam() == Engine::Kelda ? engine::kKeldaStatus : engine::kMorvaStatus;
    const EngineCase cases[] = {{"nc7_llnl", {{"NC7H16", 1.0}, {"O2", 11.0}, {"N2", 41.4}}, 900.0},
                                {"gri30", {{"CH4", 1.0}, {"O2", 2.0}, {"N2", 7.5}}, 1300.0}};
    for (const EngineCase& c : cases) {
        SCOPED_TRACE(c.folder);
        engine::testing::TempDir dir;
        const CompiledMechanism mech = Compile(dir, c.folder);
        WriteStandardData(mech, c, dir.Path("SAVE.dat"));
        JobRecord job = engine::testing::MakeJob(dir, GetParam() == Engine::Kelda ? 0.04 : 0.98, 0.0);
        ASSERT_EQ(engine::testing::RunEngine(GetParam(), job).status, 0);
        const size_t listingSize = ReadText(dir.Path("Out.dat")).size();
        if (std::string(c.folder) == "nc7_llnl") ASSERT_GT(listingSize, 8192u);  // more than the old buffer held

        WriteText(dir.Path("SP.TRM"), "old trimmed species\r\n");
        WriteText(dir.Path("Out.dat"), "old listing\r\n");
        {
            FileSizeLimit limit(listingSize / 2);  // partway
            const auto run = engine::testing::RunEngine(GetParam(), job);
            EXPECT_EQ(run.status, codes.listingWrite);
            EXPECT_EQ(run.result, 0);
        }
        EXPECT_EQ(ReadText(dir.Path("Out.dat")), "old listing\r\n");
        engine::testing::SetPath(job, &JobRecord::OutFile, "/dev/full");  // at the first write
        const auto run = engine::testing::RunEngine(GetParam(), job);
        EXPECT_EQ(run.status, codes.listingWrite);
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(ReadText(dir.Path("SP.TRM")), "old trimmed species\r\n");
        EXPECT_TRUE(faults::Leftovers(dir.Root()).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, EngineListingFaults, ::testing::Values(Engine::Kelda, Engine::Morva));

// --- the outside libraries ------------------------------------------------------------------

// Runs `step` with `output` first a link to /dev/full, then an old file and a size limit below
// what the step writes; each run must fail naming the file and the reason, the old file stays.
void ExpectOutputFaults(const std::string& output, rlim_t limit,
                        const std::function<std::pair<bool, std::string>()>& step) {
    SCOPED_TRACE(output);
    LinkToFullDevice(output);
    auto [ok, message] = step();
    EXPECT_FALSE(ok);
    EXPECT_NE(message.find("cannot write " + output + ": " + kNoSpace), std::string::npos) << message;
    fs::remove(output);
    WriteText(output, "old");
    {
        FileSizeLimit sizeLimit(limit);
        std::tie(ok, message) = step();
    }
    EXPECT_FALSE(ok);
    EXPECT_NE(message.find(kTooLarge), std::string::npos) << message;
    EXPECT_EQ(ReadText(output), "old");
}

TEST(OutsideLibraryFaults, TolmarBinaryAndListing) {
    Folder dir("tolmar");
    const std::string bin = dir.Path("Chem.bin"), listing = dir.Path("Out.dat");
    // The listing's own failure can only go to the error stream, so both are looked at.
    const auto compile = [&] {
        ::testing::internal::CaptureStderr();
        const int32_t status = tolmar::CompileMechanismFiles(kData + "/gri30/chem.inp", kData + "/gri30/therm.dat", bin,
                                                             listing);
        const std::string errors = ::testing::internal::GetCapturedStderr();
        return std::make_pair(status == 0, (fs::is_regular_file(listing) ? ReadText(listing) : "") + errors);
    };
    ExpectOutputFaults(bin, 4096, compile);
    LinkToFullDevice(listing);
    const auto [ok, message] = compile();
    EXPECT_FALSE(ok);
    EXPECT_NE(message.find("cannot write " + listing + ": " + kNoSpace), std::string::npos) << message;
}

TEST(OutsideLibraryFaults, SenkinStandardDataAndListing) {
    Folder dir("senkin");
    const chem::Mechanism gri = senkin::testing::LoadGri();
    JobRecord job = senkin::testing::MakeJob(gri, {1.0}, {1400.0}, {{{"CH4", 1.0}, {"O2", 2.0}}});
    job.NPoints = 5;
    senkin::IgnitionFiles files{senkin::testing::GriBinary(), dir.Path("SAVE.dat"), dir.Path("Out.dat"), "chem.inp"};
    const auto run = [&] {
        const senkin::RunReport report = senkin::RunIgnitionJob(job, files, senkin::RunOptions{}, nullptr);
        return std::make_pair(report.status == senkin::kSenkinOk, report.message);
    };
    ExpectOutputFaults(files.standardData, 2048, run);
    files.standardData.clear();  // the listing alone
    ExpectOutputFaults(files.listing, 300, run);
}

TEST(OutsideLibraryFaults, PellorTransportBinaryAndListing) {
    Folder dir("pellor");
    pellor::PellorFiles files{senkin::testing::GriBinary(), kData + "/gri30/tran.dat", dir.Path("Tran.bin"),
                              dir.Path("Out.dat")};
    const auto run = [&] {
        const pellor::PellorReport report = pellor::FitTransport(files, nullptr);
        return std::make_pair(report.status == pellor::kPellorOk, report.message);
    };
    ExpectOutputFaults(files.transportBinary, 4096, run);
    ExpectOutputFaults(files.listing, 1024, run);
}

}  // namespace
}  // namespace vantor
