// Whole reduction runs through the four engines' entry bodies: statuses, listing records,
// trimmed-species file, progress.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

#include "chemlib/mechanism.h"
#include "common/entry_abi.h"
#include "common/fixed_format.h"
#include "common/path_field.h"
#include "engine/common/engine_status.h"
#include "engine_test_support.h"

namespace vantor::engine {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const std::string kOld = "old trimmed species\r\n";

// GRI-Mech 3.0 compiled once for the whole suite; every test copies the binary.
const CompiledMechanism& Gri() {
    static TempDir dir;
    static const CompiledMechanism mech = CompileGriMech(dir);
    return mech;
}

CompiledMechanism CopyGri(const TempDir& dir) {
    CompiledMechanism mech = Gri();
    fs::copy_file(mech.binPath, dir.Path("Chem.bin"));
    mech.binPath = dir.Path("Chem.bin");
    return mech;
}

std::vector<double> GriState(const CompiledMechanism& mech) { return Spread(mech.KK, {{14, 0.1}, {4, 0.2}, {48, 0.7}}, 1e-4); }

// Two cases of two states each, CH4 (14) and O2 (4) as initial species.
StandardData GriData(const CompiledMechanism& mech) {
    StandardData data(mech, 2);
    data.Case(1).Initial({14, 4}).Point(1013250.0, 1300.0, GriState(mech)).Point(1013250.0, 1900.0, GriState(mech));
    data.Case(2).Point(2026500.0, 1500.0, GriState(mech)).Point(2026500.0, 2200.0, GriState(mech));
    return data.End();
}

const EngineStatusCodes& Codes(Engine engine) {
    const EngineStatusCodes* codes[] = {&kKeldaStatus, &kMorvaStatus, &kBrenaStatus, &kTovikStatus};
    return *codes[static_cast<int>(engine)];
}

// The engine's form of the window's default threshold 0.98, and its E16.6 text.
double DefaultThreshold(Engine engine) {
    const double thresholds[] = {0.04, 0.98, 0.02, 0.02};
    return thresholds[static_cast<int>(engine)];
}

class EngineRunTest : public ::testing::TestWithParam<Engine> {};

TEST_P(EngineRunTest, GriMechRunWritesEveryRecordAndTheTrimmedFile) {
    TempDir dir;
    const CompiledMechanism mech = CopyGri(dir);
    GriData(mech).Write(dir.Path("SAVE.dat"));
    const EngineRun run = RunEngine(GetParam(), MakeJob(dir, DefaultThreshold(GetParam()), 1.5));
    ASSERT_EQ(run.status, 0) << ReadFile(dir.Path("Out.dat"));
    EXPECT_EQ(run.result, 10208);
    EXPECT_EQ(run.progress, 9999.0);

    const std::string listing = ReadFile(dir.Path("Out.dat"));
    const std::vector<std::string> lines = Lines(listing);
    EXPECT_EQ(lines[0].rfind(" MXSP= ", 0), 0u);
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), std::count(listing.begin(), listing.end(), '\r'));
    int presel = 0, cases = 0;
    std::string allcases;
    for (const std::string& line : lines) {
        if (line.rfind(" ---Path Flux Calulation,HRRPreselcted", 0) == 0) {
            EXPECT_EQ(line.size(), 38u + 2 * 53);
            EXPECT_NE(line.find(" T"), std::string::npos);  // ratio 1 marks the species of most reactions
        }
        if (line.rfind("---Run PFA, Presel #=", 0) == 0) {
            ++presel;
            EXPECT_EQ(line.size(), 21u + 8 + 12 + 16 + 12 + 16);
            EXPECT_EQ(line.substr(29), " ,THRESHOLD=" + FormatE16_6(DefaultThreshold(GetParam())) +
                                           " ,HRR Ratio=    0.100000E+01");
        }
        if (line.rfind("Case", 0) == 0) ++cases;
        if (line.rfind("Allcases", 0) == 0) allcases = line;
        if (line.rfind("Line", 0) == 0) {
            EXPECT_EQ((line.size() - 18) % 5, 0u);
        }
    }
    EXPECT_EQ(presel, 4);
    EXPECT_EQ(cases, 2);
    EXPECT_NE(listing.find("\r\nCase   2"), std::string::npos);
    EXPECT_NE(listing.find("\r\nCase   3"), std::string::npos);
    ASSERT_FALSE(allcases.empty());

    // The trimmed species are exactly the species outside "Allcases".
    const int kept = std::stoi(allcases.substr(8, 5));
    const std::vector<std::string> trm = Lines(ReadFile(dir.Path("SP.TRM")));
    ASSERT_EQ(trm.size(), 2u);
    EXPECT_EQ(trm[0], "NOTE: Original SP#=   53  Trim SP#=" + FormatI(53 - kept, 5) + "  Keep SP#=" + FormatI(kept, 5));
    std::vector<bool> listed(54, false);
    for (size_t at = 14; at < allcases.size(); at += 5) listed[std::stoul(allcases.substr(at, 5))] = true;
    for (size_t at = 0; at < trm[1].size(); at += 5) EXPECT_FALSE(listed[std::stoul(trm[1].substr(at, 5))]);
    EXPECT_EQ(trm[1].size() / 5, static_cast<size_t>(53 - kept));
}

// The caller's always-kept species join the final selection of either method; a number beyond
// the mechanism is named and ignored.
TEST_P(EngineRunTest, AlwaysKeptSpeciesAreNeverTrimmed) {
    TempDir dir;
    const CompiledMechanism mech = CopyGri(dir);
    GriData(mech).Write(dir.Path("SAVE.dat"));
    JobRecord job = MakeJob(dir, GetParam() == Engine::Kelda ? 1.9 : 0.05, 0.0);  // keeps few species
    ASSERT_EQ(RunEngine(GetParam(), job).status, 0);
    const std::vector<std::string> before = Lines(ReadFile(dir.Path("SP.TRM")));
    ASSERT_EQ(before.size(), 2u);
    ASSERT_GE(before[1].size(), 10u);
    const int first = std::stoi(before[1].substr(0, 5)), last = std::stoi(before[1].substr(before[1].size() - 5));
    job.alwaysKept(0) = 3;
    job.alwaysKept(1) = static_cast<int16_t>(last);
    job.alwaysKept(2) = 999;
    job.alwaysKept(3) = static_cast<int16_t>(first);
    ASSERT_EQ(RunEngine(GetParam(), job).status, 0);
    const std::vector<std::string> after = Lines(ReadFile(dir.Path("SP.TRM")));
    EXPECT_EQ(after[1], before[1].substr(5, before[1].size() - 10));
    const std::string listing = ReadFile(dir.Path("Out.dat"));
    EXPECT_NE(listing.find("Always kept: " + std::to_string(last) + " 999 " + std::to_string(first)), std::string::npos);
    EXPECT_NE(listing.find("beyond the mechanism, ignored: 999"), std::string::npos);
}

// Scenario of a failing run: what to break, the status and a text the listing must hold.
struct Failure {
    std::string name;
    std::function<void(const TempDir&, const CompiledMechanism&)> breakIt;
    int32_t EngineStatusCodes::*status;  // nullptr: the chemistry library's own status
    int32_t libraryStatus;
    std::string listingText;
};

std::string DimensionLine(const CompiledMechanism& m, long long ns, long long nr, long long intLen) {
    return "M DIMENSIONS        1 " + std::to_string(ns) + " " + std::to_string(nr) + " " + std::to_string(intLen) +
           " " + std::to_string(m.realWorkLength) + " " + std::to_string(m.nameWorkLength);
}

void Replace(const TempDir& dir, const std::string& from, const std::string& to) {
    std::string text = ReadFile(dir.Path("SAVE.dat"));
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    WriteFile(dir.Path("SAVE.dat"), text.replace(at, from.size(), to));
}

void ReplaceDimensions(const TempDir& dir, const CompiledMechanism& m, const std::string& line) {
    Replace(dir, DimensionLine(m, m.KK, m.II, m.intWorkLength).substr(0, 19), line + "\r\n!");
}

std::vector<Failure> Failures() {
    using C = EngineStatusCodes;
    const auto save = [](const std::string& text) {
        return [text](const TempDir& d, const CompiledMechanism& m) {
            StandardData s(m);
            WriteFile(d.Path("SAVE.dat"), s.Text() + text);
        };
    };
    return {
        {"MechanismMissing", [](const TempDir& d, const CompiledMechanism&) { fs::remove(d.Path("Chem.bin")); },
         &C::mechanismMissing, 0, " FILE /"},
        {"MechanismIsAFolder",
         [](const TempDir& d, const CompiledMechanism&) {
             fs::remove(d.Path("Chem.bin"));
             fs::create_directory(d.Path("Chem.bin"));
         },
         &C::mechanismOpen, 0, " * ERROR: Open Tolmar file failed."},
        {"StandardDataMissing", [](const TempDir& d, const CompiledMechanism&) { fs::remove(d.Path("SAVE.dat")); },
         &C::standardDataMissing, 0, " not found.\r\n"},
        {"StandardDataIsAFolder",
         [](const TempDir& d, const CompiledMechanism&) {
             fs::remove(d.Path("SAVE.dat"));
             fs::create_directory(d.Path("SAVE.dat"));
         },
         &C::standardDataOpen, 0, "Open standard data file failed"},
        {"LineBuffer",
         [](const TempDir& d, const CompiledMechanism& m) { ReplaceDimensions(d, m, DimensionLine(m, 8526, m.II, m.intWorkLength)); },
         &C::lineBuffer, 0, " Check the array dimensions:NS,NR,NChar>= 8534 325 128010\r\n"},
        {"SpeciesMismatch",
         [](const TempDir& d, const CompiledMechanism& m) { ReplaceDimensions(d, m, DimensionLine(m, 8525, m.II, m.intWorkLength)); },
         &C::speciesMismatch, 0, "is for 8525 species; the mechanism binary has 53."},
        {"ReactionMismatch",
         [](const TempDir& d, const CompiledMechanism& m) { ReplaceDimensions(d, m, DimensionLine(m, m.KK, 324, m.intWorkLength)); },
         &C::reactionMismatch, 0, "is for 324 reactions; the mechanism binary has 325."},
        {"WorkArrayTooShort",
         [](const TempDir& d, const CompiledMechanism& m) { ReplaceDimensions(d, m, DimensionLine(m, m.KK, m.II, 10)); },
         nullptr, 20, "ICKWRK MUST BE DIMENSIONED AT LEAST "},
        {"NoDimensionLine", [](const TempDir& d, const CompiledMechanism&) { WriteFile(d.Path("SAVE.dat"), ""); },
         &C::noDimensionLine, 0, "has no dimension line"},
        {"ShortDimensionLine",
         [](const TempDir& d, const CompiledMechanism& m) { ReplaceDimensions(d, m, "M DIMENSIONS        1 53 325"); },
         &C::shortDimensionLine, 0, "line 2: the dimension line holds 3 numbers"},
        {"TooManyCases", [save](const TempDir& d, const CompiledMechanism& m) {
             std::string text;
             for (int c = 0; c < 2000; ++c) text += "TAU0 1 1.0 1000.0\r\n";
             save(text)(d, m);
         }, &C::tooManyCases, 0, " Case number is too small\r\n"},
        {"DataCount", [](const TempDir& d, const CompiledMechanism&) { Replace(d, " 1.0E-05 ", " "); },
         &C::dataCount, 0, " ASC data number wrong 59 53\r\n"},
        {"BlankLine", [](const TempDir& d, const CompiledMechanism&) { Replace(d, "INI T(K)", "\r\nINI T(K)"); },
         &C::dataCount, 0, " ASC data number wrong 0 53\r\n"},
        {"NotANumber", [](const TempDir& d, const CompiledMechanism&) { Replace(d, " 0.0 0.0 0.0 0.0 ", " 0.0 0.0 O.0 0.0 "); },
         &C::notANumber, 0, "'O.0' is not a number."},
        {"SpeciesCountAboveNs", save("K 54\r\n"), &C::speciesCountAboveNs, 0, "species count 54 is above NS = 53."},
        {"TooManyPoints", [](const TempDir& d, const CompiledMechanism& m) {
             StandardData s(m);
             s.Case(1);
             for (int p = 0; p <= 2000; ++p) s.Point(1013250.0, 1000.0, GriState(m));
             s.End().Write(d.Path("SAVE.dat"));
         }, &C::tooManyPoints, 0, "case 2 has more than 2000 data lines."},
        {"RateFailure", [](const TempDir& d, const CompiledMechanism&) { Replace(d, " 0.0 0.0 0.0 0.0 1300", " 0.0 0.0 0.0 0.0 0.0"); },
         &C::rateFailure, 0, "the rates could not be evaluated at case 2, point 1 (chemistry library status 23)."},
        {"NoEndLine", [](const TempDir& d, const CompiledMechanism&) { Replace(d, "\r\nEND\r\n", "\r\n"); },
         &C::noEndLine, 0, "without an end line"},
        {"EndLineWithoutPoints", [](const TempDir& d, const CompiledMechanism&) { Replace(d, "\r\nEND\r\n", "\r\nTAU0 4 1 1\r\nEND\r\n"); },
         &C::noPointsAtEnd, 0, "end line while case 4 has no data line"},
        {"HugeWorkArrayHeader", [](const TempDir& d, const CompiledMechanism& m) {
             // Record 2 of the binary starts after the 36-byte version record and its two counts.
             std::string bin = ReadFile(d.Path("Chem.bin"));
             const int32_t huge = 1 << 30;
             std::memcpy(bin.data() + 48, &huge, 4);
             WriteFile(d.Path("Chem.bin"), bin);
             ReplaceDimensions(d, m, DimensionLine(m, m.KK, m.II, huge));
         }, &C::workArrayLength, 0, "work-array lengths out of range"},
    };
}

std::string Describe(const EngineRun& run, const std::string& listing) {
    return "status " + std::to_string(run.status) + ", listing:\n" + listing.substr(0, 2000);
}

TEST_P(EngineRunTest, FailuresReportTheirStatusAndKeepTheOldTrimmedFile) {
    for (const Failure& failure : Failures()) {
        SCOPED_TRACE(failure.name);
        TempDir dir;
        const CompiledMechanism mech = CopyGri(dir);
        GriData(mech).Write(dir.Path("SAVE.dat"));
        WriteFile(dir.Path("SP.TRM"), kOld);
        failure.breakIt(dir, mech);
        const EngineRun run = RunEngine(GetParam(), MakeJob(dir, 0.5, 0.0));
        const std::string listing = ReadFile(dir.Path("Out.dat"));
        const int32_t expected = failure.status ? Codes(GetParam()).*failure.status : failure.libraryStatus;
        EXPECT_EQ(run.status, expected) << Describe(run, listing);
        EXPECT_EQ(run.result, 0);
        EXPECT_LT(run.progress, 9990.0);
        EXPECT_NE(listing.find(failure.listingText), std::string::npos) << Describe(run, listing);
        EXPECT_EQ(ReadFile(dir.Path("SP.TRM")), kOld);
    }
}

// The "MXSP=" a run reports is the last loaded mechanism's, also after loads that failed before
// the binary's counts were read (a work array too short, a damaged header).
TEST_P(EngineRunTest, EarlyLoadFailuresKeepTheCarriedMxsp) {
    TempDir dir;
    const CompiledMechanism mech = CopyGri(dir);
    GriData(mech).Write(dir.Path("SAVE.dat"));
    const JobRecord job = MakeJob(dir, 0.5, 0.0);
    ASSERT_EQ(RunEngine(GetParam(), job).result, 10208);
    const std::string listing = ReadFile(dir.Path("Out.dat"));
    const size_t counts = listing.find("---INI-------01,MM,KK,II,MXSP");
    ASSERT_NE(counts, std::string::npos);
    std::istringstream countsLine(Lines(listing.substr(counts))[0]);
    std::string word, last;
    while (countsLine >> word) last = word;
    const std::string mxsp = " MXSP= " + last;
    ReplaceDimensions(dir, mech, DimensionLine(mech, mech.KK, mech.II, 10));
    EXPECT_EQ(RunEngine(GetParam(), job).status, 20);
    GriData(mech).Write(dir.Path("SAVE.dat"));
    std::string bin = ReadFile(dir.Path("Chem.bin"));
    bin.replace(4, 4, "9.99");  // the version name
    WriteFile(dir.Path("Chem.bin"), bin);
    EXPECT_GT(RunEngine(GetParam(), job).status, 0);
    EXPECT_EQ(Lines(ReadFile(dir.Path("Out.dat")))[0], mxsp);
    fs::copy_file(Gri().binPath, dir.Path("Chem.bin"), fs::copy_options::overwrite_existing);
    ASSERT_EQ(RunEngine(GetParam(), job).result, 10208);
    EXPECT_EQ(Lines(ReadFile(dir.Path("Out.dat")))[0], mxsp);
}

TEST_P(EngineRunTest, MissingFilesNameThePathBlankPadded) {
    TempDir dir;
    const EngineRun run = RunEngine(GetParam(), MakeJob(dir, 0.5, 0.0));
    EXPECT_EQ(run.status, Codes(GetParam()).mechanismMissing);
    EXPECT_EQ(Lines(ReadFile(dir.Path("Out.dat")))[1],
              " FILE " + dir.Path("Chem.bin") + std::string(200 - dir.Path("Chem.bin").size(), ' ') + " not found.");
    EXPECT_FALSE(fs::exists(dir.Path("SP.TRM")));
}

TEST_P(EngineRunTest, UnopenableListingOrTrimmedFile) {
    TempDir dir;
    CopyGri(dir);
    JobRecord job = MakeJob(dir, 0.5, 0.0);
    SetPath(job, &JobRecord::OutFile, dir.Path("no/such/folder/Out.dat"));
    const EngineRun run = RunEngine(GetParam(), job);
    EXPECT_EQ(run.status, Codes(GetParam()).listingOpen);
    EXPECT_EQ(run.progress, 0.0);  // written at once, before the failure
    EXPECT_EQ(run.result, 0);

    job = MakeJob(dir, 0.5, 0.0);
    SetPath(job, &JobRecord::TrimFile, dir.Path("no/such/folder/SP.TRM"));
    EXPECT_EQ(RunEngine(GetParam(), job).status, Codes(GetParam()).trimmedOpen);
    EXPECT_NE(ReadFile(dir.Path("Out.dat")).find(" * ERROR: Open Trimmed file failed.\r\n"), std::string::npos);
}

TEST_P(EngineRunTest, WorksInAFolderWithABlankAndNonAsciiName) {
    TempDir root;
    fs::create_directory(root.Path("my work é"));
    const std::string folder = root.Path("my work é");
    const CompiledMechanism& gri = Gri();
    fs::copy_file(gri.binPath, folder + "/Chem.bin");
    GriData(gri).Write(folder + "/SAVE.dat");
    JobRecord job = MakeJob(root, 0.5, 0.0);
    SetPath(job, &JobRecord::MechBinFile, folder + "/Chem.bin");
    SetPath(job, &JobRecord::OutFile, folder + "/Out.dat");
    SetPath(job, &JobRecord::TrimFile, folder + "/SP.TRM");
    SetPath(job, &JobRecord::SaveFile, folder + "/SAVE.dat");
    EXPECT_EQ(RunEngine(GetParam(), job).result, 10208) << ReadFile(folder + "/Out.dat");
    EXPECT_TRUE(fs::exists(folder + "/SP.TRM"));
}

TEST_P(EngineRunTest, ProgressNeverPassesOneStepAboveHundredBeforeTheEnd) {
    TempDir dir;
    const CompiledMechanism mech = CopyGri(dir);
    StandardData data(mech);
    data.Case(1).Initial({14, 4});
    for (int p = 0; p < 60; ++p) data.Point(1013250.0, 1000.0 + 20 * p, GriState(mech));
    data.End().Write(dir.Path("SAVE.dat"));
    JobRecord job = MakeJob(dir, 0.5, 0.0);  // divisor 1 x 1 x 1 x 20 + 1 = 21
    const double bound = 100.0 + 100.0 / 21;

    double progress = 0.0;
    int32_t status = 0;
    std::atomic<bool> done{false};
    double highest = 0.0;
    std::thread watcher([&] {
        while (!done.load()) {
            const double p = LoadProgress(&progress);
            if (p < 9990.0) highest = std::max(highest, p);
        }
    });
    const int32_t result = EntryOf(GetParam())(&job, &status, &progress);
    done = true;
    watcher.join();
    EXPECT_EQ(result, 10208);
    EXPECT_LE(highest, bound);

    // A run that fails after its points leaves the progress where it stood.
    Replace(dir, "\r\nEND\r\n", "\r\n");
    const EngineRun failed = RunEngine(GetParam(), job);
    EXPECT_GE(failed.progress, 100.0);
    EXPECT_LE(failed.progress, bound);
}

std::string EngineName(const ::testing::TestParamInfo<Engine>& info) {
    const char* names[] = {"Kelda", "Morva", "Brena", "Tovik"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(AllEngines, EngineRunTest,
                         ::testing::Values(Engine::Kelda, Engine::Morva, Engine::Brena, Engine::Tovik), EngineName);

}  // namespace
}  // namespace vantor::engine
