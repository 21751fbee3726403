// The integrated run of vantor-cli with each output failing, and the steps in a read-only work
// folder: the run fails with a message that names the file and the reason, never crashes and
// never reports success.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <future>

#include "app/core/pipeline/output_checks.h"
#include "app/core/mechanism/project_file.h"
#include "app/core/mechanism/trimming.h"
#include "app/core/pipeline/settings_file.h"
#include "cli_runner.h"
#include "faults/write_faults.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using faults::Folder;
using faults::LibrariesBuilt;
using faults::ReadText;

constexpr const char* kNoSpace = ": No space left on device";

using test::CliResult;
using test::RunCli;

// The bundled GRI-Mech 3.0 example cut to one case of five points, copied into `dir`.
void CopyOneCaseExample(const Folder& dir) {
    const fs::path example = fs::path(VANTOR_EXAMPLES_DIR) / "gri30";
    for (const char* name : {"chem.inp", "therm.dat", "tran.dat"}) fs::copy_file(example / name, dir.Path(name));
    faults::WriteText(dir.Path("run.PRJ"),
                      "PFAPROJ\r\nchem.inp\r\natm\r\n1.0\r\nK\r\n1400\r\n/\r\n0.98\r\n/\r\n0.0\r\nTig\r\n2.0\r\n/\r\n5\r\n"
                      "s\r\n1.0E+10\r\ns\r\n1.0E-8\r\nCH4 1, O2 2\r\n");
}

struct OutputCase {
    const char* file;
    const char* listing;  // where the reason is, when the run points there; null: in the output
};

TEST(RunFaults, EachOutputOnAFullDeviceFailsTheRunWithTheFileAndTheReason) {
    if (!LibrariesBuilt()) GTEST_SKIP() << "the engine and outside libraries are not built";
    const OutputCase cases[] = {{"chem.bin", "Out.dat"},         {"SAVE.dat", "Out.dat"},
                                {"SP.TRM", "Out.dat"},           {"New_Chem.bin", "New_Out.dat"},
                                {"New_SAVE.dat", "New_Out.dat"}, {"Out.dat", nullptr},
                                {"New_Out.dat", nullptr},        {"NEW_Chem.inp", nullptr},
                                {"CMP.dat", nullptr}};
    std::vector<std::unique_ptr<Folder>> dirs;
    std::vector<std::future<CliResult>> runs;
    for (const OutputCase& c : cases) {
        dirs.push_back(std::make_unique<Folder>(std::string("full_") + c.file));
        CopyOneCaseExample(*dirs.back());
        faults::LinkToFullDevice(dirs.back()->Path(c.file));
        runs.push_back(
            std::async(std::launch::async, RunCli, "run '" + dirs.back()->Path("run.PRJ") + "' --jobs 1", ""));
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        const OutputCase& c = cases[i];
        const CliResult r = runs[i].get();
        SCOPED_TRACE(c.file);
        EXPECT_EQ(r.status, 1) << r.output;
        EXPECT_EQ(r.output.find("> Comparison data generation completed!"), std::string::npos) << r.output;
        const std::string path = dirs[i]->Path(c.file);
        if (std::string(c.file).find("Out.dat") != std::string::npos) {
            EXPECT_NE(r.output.find("<E> The run listing " + path + " could not be written."), std::string::npos) << r.output;
        } else if (c.listing) {
            EXPECT_NE(r.output.find("please check"), std::string::npos) << r.output;
            const std::string listing = ReadText(dirs[i]->Path(c.listing));
            EXPECT_NE(listing.find("cannot write " + path + kNoSpace), std::string::npos) << listing;
        } else {
            EXPECT_NE(r.output.find("<E> cannot write " + path + kNoSpace), std::string::npos) << r.output;
        }
        EXPECT_TRUE(faults::Leftovers(dirs[i]->Root()).empty());
    }
}

TEST(RunFaults, DiskFullPartwayFailsTheStepAndLeavesNoHalfFile) {
    if (!LibrariesBuilt()) GTEST_SKIP() << "the engine and outside libraries are not built";
    Folder dir("partway");
    CopyOneCaseExample(dir);
    faults::WriteText(dir.Path("chem.bin"), "earlier binary");
    // 64 blocks of 512 bytes: less than the mechanism binary, more than its listing.
    // No trap: the program itself turns the limit's signal into a failed write.
    const CliResult r = RunCli("run '" + dir.Path("run.PRJ") + "' --jobs 1", "ulimit -f 64; ");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("<E> Run Tolmar procedure failed"), std::string::npos) << r.output;
    EXPECT_NE(ReadText(dir.Path("Out.dat")).find("cannot write " + dir.Path("chem.bin") + ": File too large"),
              std::string::npos);
    EXPECT_EQ(ReadText(dir.Path("chem.bin")), "earlier binary");
    EXPECT_TRUE(faults::Leftovers(dir.Root()).empty());
}

TEST(RunFaults, OutputsPlantedAsLinksAreReplacedWithANoticeAndTheirTargetsKept) {
    if (!LibrariesBuilt()) GTEST_SKIP() << "the engine and outside libraries are not built";
    Folder dir("planted");
    Folder elsewhere("planted_victims");
    CopyOneCaseExample(dir);
    const char* outputs[] = {"Out.dat", "SAVE.dat", "New_SAVE.dat", "CMP.dat"};
    for (const char* name : outputs) {
        faults::WriteText(elsewhere.Path(name), "precious");
        fs::create_symlink(elsewhere.Path(name), dir.Path(name));
    }
    const CliResult r = RunCli("run '" + dir.Path("run.PRJ") + "' --jobs 1");
    EXPECT_EQ(r.status, 0) << r.output;
    for (const char* name : outputs) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadText(elsewhere.Path(name)), "precious");
        EXPECT_FALSE(fs::is_symlink(dir.Path(name)));
        // The earlier comparison and reduced test are removed before a new mechanism is written,
        // links and all, so only the files written before that replace a link.
        if (std::string(name) == "New_SAVE.dat" || std::string(name) == "CMP.dat") continue;
        EXPECT_NE(r.output.find("> " + dir.Path(name) + " is a symbolic link to " + elsewhere.Path(name) +
                                ": it is replaced by a regular file and " + elsewhere.Path(name) + " is left untouched"),
                  std::string::npos)
            << r.output;
    }
}

TEST(RunFaults, ReadOnlyWorkFolderNamesTheFileAtEveryStepAndInEveryWriter) {
    Folder dir("readonly");
    CopyOneCaseExample(dir);
    if (!dir.MakeReadOnly()) GTEST_SKIP() << "no read-only folder can be made here";
    const std::string reason = ::geteuid() == 0 ? "Read-only file system" : "Permission denied";
    JobPaths paths;
    paths.mechBinFile = dir.Path("chem.bin");
    paths.outFile = dir.Path("Out.dat");
    paths.saveFile = dir.Path("SAVE.dat");
    paths.trimFile = dir.Path("SP.TRM");
    paths.transpBinFile = dir.Path("Tran.bin");
    const std::pair<int, std::string> firstOutput[] = {
        {1, paths.saveFile}, {2, paths.trimFile}, {3, paths.mechBinFile}, {4, paths.transpBinFile}};
    for (const auto& [task, path] : firstOutput) {
        EXPECT_EQ(FindUnwritableOutput(task, paths).value_or(""), "<E> Cannot write " + path + ": " + reason);
    }
    std::string error;
    EXPECT_FALSE(SaveProject(dir.Path("run.PRJ"), ProjectData{}, &error));
    EXPECT_EQ(error, "cannot write " + dir.Path("run.PRJ") + ": " + reason);
    EXPECT_FALSE(WriteSetting(dir.Root(), kSystemSection, kWorkDirectoryKey, "/tmp", &error));
    EXPECT_EQ(error, "cannot write " + dir.Path("PFA.ini") + ": " + reason);
    EXPECT_FALSE(ExportKeptSpecies(MechanismModel{}, dir.Path("kept.txt"), "2026-01-01 00:00:00", &error));
    EXPECT_EQ(error, "cannot write " + dir.Path("kept.txt") + ": " + reason);
    MechanismModel model;
    model.TrimmedSpeciesPath = dir.Path("SP.TRM");
    const ReactionTrimResult map = RemoveByReactionNumber(model, dir.Root());
    EXPECT_FALSE(map.ok);
    EXPECT_EQ(map.error, "cannot write " + dir.Path(kReactionMapFileName) + ": " + reason);
    EXPECT_NE(ReadText(dir.Path("run.PRJ")).find("PFAPROJ"), std::string::npos);  // the project is as it was

    if (!LibrariesBuilt()) return;
    const CliResult r = RunCli("run '" + dir.Path("run.PRJ") + "' --jobs 1");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("<E> Cannot write " + dir.Path("chem.bin") + ": " + reason), std::string::npos)
        << r.output;
}

}  // namespace
}  // namespace vantor
