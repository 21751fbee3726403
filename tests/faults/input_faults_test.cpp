// Hostile inputs to vantor-cli and to project files: numbers beyond the double range, devices and
// endless lines as mixture files, ".." behind a linked folder. Each is refused with the value or
// the file named, or handled soundly; none prints a NaN with success.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/core/mechanism/project_file.h"
#include "app/core/pipeline/run_settings.h"
#include "cli_runner.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using test::RunCli;

class InputFaults : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("vantor_input_faults_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/gri30/";
        compiled_ = RunCli("compile " + data + "chem.inp " + data + "therm.dat -o " + Bin()).status == 0;
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    void SetUp() override { ASSERT_TRUE(compiled_); }
    static std::string Bin() { return (dir_ / "Chem.bin").string(); }
    static std::string File(const std::string& name) { return (dir_ / name).string(); }
    // A regression reading without end or blocking must fail the test, not hang it.
    static test::CliResult Rates(const std::string& arguments) {
        return RunCli("rates " + Bin() + " " + arguments, "timeout 60 ");
    }
    static inline fs::path dir_;
    static inline bool compiled_ = false;
};

TEST_F(InputFaults, NumbersBeyondTheDoubleRangeAreRefusedWithTheValue) {
    for (const char* args : {"--T 1000 --P 1 --X \"CH4 inf, O2 2\"", "--T 1000 --P 1 --X \"CH4 1e400, O2 2\"",
                             "--T 1000 --P inf --X \"CH4 1\"", "--T nan --P 1 --X \"CH4 1\""}) {
        const auto r = Rates(args);
        EXPECT_EQ(r.status, 2) << args << "\n" << r.output;
        EXPECT_NE(r.output.find("not a finite number"), std::string::npos) << r.output;
    }
    for (const char* args : {"--P inf", "--T 1000,nan", "--X \"CH4 inf, O2 2\""}) {
        const auto r = RunCli("ignite " + Bin() + " " + args);
        EXPECT_EQ(r.status, 2) << args << "\n" << r.output;
        EXPECT_NE(r.output.find("not a finite number"), std::string::npos) << r.output;
    }
    // Amounts whose sum overflows are normalised exactly as their scaled-down equals.
    const auto huge = Rates("--T 1200 --P 1 --X \"CH4 1e308, O2 1e308\"");
    EXPECT_EQ(huge.status, 0) << huge.output;
    EXPECT_EQ(huge.output, Rates("--T 1200 --P 1 --X \"CH4 1, O2 1\"").output);
    // A finite state whose rates overflow names the reaction and the state instead of printing NaN.
    const auto crushed = Rates("--T 1200 --P 1e300 --X \"CH4 1, O2 2\"");
    EXPECT_EQ(crushed.status, 1) << crushed.output;
    EXPECT_NE(crushed.output.find("has a rate of progress that is not a finite number at T = 1200 K, P = 1e+300 atm"),
              std::string::npos)
        << crushed.output;
}

TEST_F(InputFaults, MixtureFilesMustBeRegularTextWithBoundedLines) {
    ASSERT_EQ(::mkfifo(File("fifo").c_str(), 0600), 0);
    for (const std::string& special : {std::string("/dev/zero"), File("fifo")}) {
        const auto r = Rates("--T 1000 --P 1 --X-file " + special);
        EXPECT_EQ(r.status, 2) << special << "\n" << r.output;
        EXPECT_NE(r.output.find(special + " is not a regular file"), std::string::npos) << r.output;
    }
    std::ofstream(File("long.txt")) << "CH4 1\n" << std::string(70000, 'A') << " 1\n";
    const auto longLine = Rates("--T 1000 --P 1 --X-file " + File("long.txt"));
    EXPECT_EQ(longLine.status, 2);
    EXPECT_NE(longLine.output.find("long.txt line 2: longer than 65536 characters"), std::string::npos)
        << longLine.output;

    std::ofstream(File("bom.txt")) << "\xEF\xBB\xBF" "CH4 1\r\nO2 2\r\n";
    const auto marked = Rates("--T 1200 --P 1 --X-file " + File("bom.txt"));
    EXPECT_EQ(marked.status, 0) << marked.output;
    EXPECT_EQ(marked.output, Rates("--T 1200 --P 1 --X \"CH4 1, O2 2\"").output);
}

TEST(MixtureMemo, AmountsAndGridValuesBeyondTheDoubleRangeAreRefused) {
    struct Lines : MessageSink {
        void AddLine(const std::string&) override {}
    } sink;
    SettingsInput input;
    input.speciesNames = {"CH4", "O2"};
    input.speciesMarks = {true, true};
    const auto read = [&](const std::string& mixture, const std::string& pressure) {
        input.mixtureLines = {mixture};
        input.grid[kRowPressure][kValueColumn] = pressure;
        TWState state;
        return state.GetReactDat(input, EngineMethod::Pfa, CLocaleNumbers(), sink);
    };
    EXPECT_EQ(read("CH4 1e308, O2 1e307", "1"), kSettingsOk);
    for (const char* mixture : {"CH4 1e308, O2 1e308", "CH4 inf, O2 2", "CH4 1e400, O2 2"})
        EXPECT_EQ(read(mixture, "1"), kBadMixture) << mixture;
    EXPECT_EQ(read("CH4 1, O2 2", "inf"), kBadPressure);
}

TEST(ProjectPaths, DotDotBehindALinkedFolderIsResolvedByTheFileSystem) {
    const fs::path root = fs::temp_directory_path() / ("vantor_linked_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "deep" / "b");
    fs::create_directory_symlink(root / "deep" / "b", root / "a");
    for (const fs::path& folder : {root, root / "deep"}) {
        std::ofstream(folder / "chem.inp") << folder.string();
        std::ofstream(folder / "therm.dat") << folder.string();
    }
    std::string grid;
    for (int line = 0; line < 2 * kProjectGridRows; ++line) grid += "\r\n";
    std::ofstream(root / "a" / "p.PRJ") << "PFAPROJ\r\n../chem.inp\r\n" << grid << "CH4 1\r\nThermo=../therm.dat\r\n";
    const ProjectReadResult read = ReadProject((root / "a" / "p.PRJ").string());
    ASSERT_TRUE(read.ok);
    // `ls root/a/..` shows root/deep: that is the file the run must read.
    EXPECT_TRUE(fs::equivalent(read.resolvedMechanismPath, root / "deep" / "chem.inp")) << read.resolvedMechanismPath;
    EXPECT_TRUE(fs::equivalent(ResolveMechanismPath((root / "a" / "p.PRJ").string(), read.data.thermoPath),
                               root / "deep" / "therm.dat"));
    fs::remove_all(root);
}

}  // namespace
}  // namespace vantor
