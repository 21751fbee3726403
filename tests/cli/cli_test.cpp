// vantor-cli as a user runs it: exit statuses, messages, and the rates listing.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Result {
    int exitCode;
    std::string output;  // stdout and stderr together
};

Result RunCli(const std::string& arguments) {
    const std::string command = std::string(VANTOR_BIN_DIR) + "/vantor-cli " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer{};
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vantor_cli_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Data(const std::string& rel) const { return std::string(VANTOR_TEST_DATA_DIR) + "/" + rel; }
    std::string Tmp(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

}  // namespace

TEST_F(CliTest, HelpListsEveryCommandAndUnknownCommandFails) {
    const auto help = RunCli("--help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* c : {"compile", "rates"}) EXPECT_NE(help.output.find(c), std::string::npos) << c;
    const auto bad = RunCli("frobnicate");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("unknown command 'frobnicate'"), std::string::npos);
}

TEST_F(CliTest, CompileThenRatesPrintsOneLinePerReaction) {
    const auto compiled = RunCli("compile " + Data("gri30/chem.inp") + " " + Data("gri30/therm.dat") + " -o " +
                                 Tmp("Chem.bin"));
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    const auto rates = RunCli("rates " + Tmp("Chem.bin") + " --T 1200 --P 1 --X \"CH4 1, O2 2, N2 7.52\"");
    ASSERT_EQ(rates.exitCode, 0) << rates.output;
    std::istringstream lines(rates.output);
    std::string line;
    int reactions = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        ++reactions;
        std::istringstream fields(line);
        int index;
        double qf, qr;
        ASSERT_TRUE(fields >> index >> qf >> qr) << line;
        EXPECT_EQ(index, reactions);
        EXPECT_GE(qf, 0.0);
        EXPECT_GE(qr, 0.0);
    }
    EXPECT_EQ(reactions, 325);
    EXPECT_NE(rates.output.find("CH4"), std::string::npos);  // equations are shown
}

TEST_F(CliTest, BadInputGivesAClearMessageAndFailureStatus) {
    const auto missing = RunCli("compile " + Tmp("nope.inp") + " " + Data("gri30/therm.dat") + " -o " + Tmp("C.bin"));
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_FALSE(fs::exists(Tmp("C.bin")));

    ASSERT_EQ(RunCli("compile " + Data("gri30/chem.inp") + " " + Data("gri30/therm.dat") + " -o " + Tmp("Chem.bin"))
                  .exitCode,
              0);
    const auto unknown = RunCli("rates " + Tmp("Chem.bin") + " --T 1000 --P 1 --X \"XYZ 1\"");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("species 'XYZ' is not in the mechanism"), std::string::npos);
    const auto badAmount = RunCli("rates " + Tmp("Chem.bin") + " --T 1000 --P 1 --X \"CH4 one\"");
    EXPECT_EQ(badAmount.exitCode, 2);
    EXPECT_NE(badAmount.output.find("'one'"), std::string::npos);
    const auto coldGas = RunCli("rates " + Tmp("Chem.bin") + " --T -5 --P 1 --X \"CH4 1\"");
    EXPECT_EQ(coldGas.exitCode, 2);
    const auto notBinary = RunCli("rates " + Data("gri30/chem.inp") + " --T 1000 --P 1 --X \"CH4 1\"");
    EXPECT_EQ(notBinary.exitCode, 1);
    EXPECT_NE(notBinary.output.find("cannot load"), std::string::npos);
}

TEST_F(CliTest, MixtureFileTakesNamesWithCommas) {
    ASSERT_EQ(RunCli("compile " + Data("nc7_llnl/chem.inp") + " " + Data("nc7_llnl/therm.dat") + " -o " +
                     Tmp("nc7.bin"))
                  .exitCode,
              0);
    std::ofstream(Tmp("X.txt")) << "! n-heptane with a hydroperoxide\r\nNC7H16 1\n\nC3H51-2,3OOH 0.01\nO2 11\n";
    const auto fromFile = RunCli("rates " + Tmp("nc7.bin") + " --T 900 --P 10 --X-file " + Tmp("X.txt"));
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.output;
    const auto typed = RunCli("rates " + Tmp("nc7.bin") + " --T 900 --P 10 --X \"NC7H16 1, O2 11\"");
    ASSERT_EQ(typed.exitCode, 0);
    EXPECT_NE(fromFile.output, typed.output);  // the hydroperoxide counts

    std::ofstream(Tmp("bad.txt")) << "NC7H16 1\nC3H51-2 3OOH 1\n";
    const auto bad = RunCli("ignite " + Tmp("nc7.bin") + " --X-file " + Tmp("bad.txt"));
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("bad.txt line 2: entry 'C3H51-2 3OOH 1' is not 'NAME amount'"), std::string::npos)
        << bad.output;
    EXPECT_EQ(RunCli("rates " + Tmp("nc7.bin") + " --T 900 --P 10").exitCode, 2);
}

TEST_F(CliTest, TransportFitsTheDataOfAMechanismBinary) {
    ASSERT_EQ(RunCli("compile " + Data("gri30/chem.inp") + " " + Data("gri30/therm.dat") + " -o " + Tmp("Chem.bin"))
                  .exitCode,
              0);
    const auto fitted = RunCli("transport " + Tmp("Chem.bin") + " " + Data("gri30/tran.dat") + " -o " + Tmp("T.bin"));
    ASSERT_EQ(fitted.exitCode, 0) << fitted.output;
    EXPECT_TRUE(fs::exists(Tmp("T.bin")) && fs::exists(Tmp("T.bin.lst")));
    std::ofstream(Tmp("short.dat")) << "H2 1 38.000 2.920 0.000 0.790 280.000\n";
    const auto missing = RunCli("transport " + Tmp("Chem.bin") + " " + Tmp("short.dat") + " -o " + Tmp("U.bin"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("no transport data in"), std::string::npos) << missing.output;
    EXPECT_FALSE(fs::exists(Tmp("U.bin")));
    EXPECT_EQ(RunCli("transport " + Tmp("Chem.bin") + " -o " + Tmp("U.bin")).exitCode, 2);
}

TEST_F(CliTest, RepeatedBlankOrMeaninglessOptionsAreRefused) {
    const auto twice = RunCli("rates c.bin --T 1000 --P 1 --X \"CH4 1\" --X \"O2 1\"");
    EXPECT_EQ(twice.exitCode, 2);
    EXPECT_NE(twice.output.find("option --X is given twice"), std::string::npos) << twice.output;
    const auto both = RunCli("rates c.bin --T 1000 --P 1 --X \"CH4 1\" --X-file x.txt");
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_NE(both.output.find("give the composition once"), std::string::npos) << both.output;
    const auto noValue = RunCli("ignite c.bin --X");
    EXPECT_EQ(noValue.exitCode, 2);
    EXPECT_NE(noValue.output.find("option --X needs a value"), std::string::npos) << noValue.output;

    // An empty launcher would run in-process while one of blanks is refused: both are refused alike.
    const auto empty = RunCli("run " + Tmp("p.PRJ") + " --launcher \"\"");
    const auto blanks = RunCli("run " + Tmp("p.PRJ") + " --launcher \"   \"");
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_EQ(empty.output, blanks.output);
    EXPECT_NE(empty.output.find("--launcher: the launcher command is empty"), std::string::npos) << empty.output;

    for (const char* target : {"1e-300", "0.00005", "inf", "nan", "1e400"}) {
        const auto r = RunCli("run " + Tmp("p.PRJ") + " --target-error " + target);
        EXPECT_EQ(r.exitCode, 2) << target;
        EXPECT_NE(r.output.find(target), std::string::npos) << r.output;
    }
    EXPECT_EQ(RunCli("run " + Tmp("p.PRJ") + " --target-error 0.0001").exitCode, 1);  // taken; no project
}

TEST_F(CliTest, YamlOfAMechanismCompilesBackToTheSameSize) {
    const auto wrote = RunCli("yaml " + Data("gri30/chem.inp") + " " + Data("gri30/therm.dat") + " " +
                              Data("gri30/tran.dat") + " -o " + Tmp("gri.yaml"));
    ASSERT_EQ(wrote.exitCode, 0) << wrote.output;
    const auto compiled = RunCli("compile " + Tmp("gri.yaml") + " -o " + Tmp("out/gri.bin"));
    EXPECT_EQ(compiled.exitCode, 1) << compiled.output;  // the binary's folder must exist
    fs::create_directories(dir_ / "out");
    const auto again = RunCli("compile " + Tmp("gri.yaml") + " -o " + Tmp("out/gri.bin"));
    ASSERT_EQ(again.exitCode, 0) << again.output;
    for (const char* name : {"out/gri.inp", "out/gri_therm.dat", "out/gri_tran.dat", "out/gri.bin"})
        EXPECT_TRUE(fs::exists(Tmp(name))) << name;
    std::ofstream(Tmp("bad.yaml")) << "phases: [\n";
    const auto bad = RunCli("compile " + Tmp("bad.yaml") + " -o " + Tmp("bad.bin"));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.output.find(Tmp("bad.yaml") + ", line "), std::string::npos) << bad.output;
    EXPECT_FALSE(fs::exists(Tmp("bad.inp")));
}
