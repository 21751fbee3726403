// The run history: new folders per run, safe copies, the summary line, and the listing.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/history/run_history.h"
#include "pipeline/test_support.h"

namespace vantor::history {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(RunHistory, EveryRunGetsANewFolderAndLinksAreNeverFollowed) {
    TempDir work;
    test::WriteText(work.File("NEW_Chem.inp"), "reduced\r\n");
    test::WriteText(work.File("secret"), "key");
    fs::create_symlink(work.File("secret"), work.File("SAVE.dat"));
    RunSummary s;
    s.when = "2026-12-09 15:01:22";
    s.kind = "reduced test";
    s.method = "PFA";
    s.threshold = "0.98";
    s.keptSpecies = 33, s.detailedSpecies = 53, s.keptReactions = 210, s.detailedReactions = 325;
    s.largestPercent = 3.2100000000000004;
    s.alwaysKept = "NO NO2";
    const std::vector<std::string> files{work.File("NEW_Chem.inp"), work.File("SAVE.dat"), work.File("CMP.dat")};
    const auto when = std::chrono::system_clock::now();

    const KeptRun first = KeepRun(work.Path(), "PFA_0.98", files, s, when);
    ASSERT_TRUE(first.ok) << first.error;
    const KeptRun second = KeepRun(work.Path(), "PFA_0.98", files, s, when);  // the same minute
    ASSERT_TRUE(second.ok) << second.error;
    EXPECT_EQ(second.folder, first.folder + "_2");
    EXPECT_EQ(fs::path(first.folder).filename().string(), RunFolderName(when, "PFA_0.98"));
    EXPECT_EQ(RunFolderName(when, "ECF_0,5/x").substr(15), "_ECF_0_5_x");
    EXPECT_EQ(test::ReadText(first.folder + "/NEW_Chem.inp"), "reduced\r\n");
    EXPECT_FALSE(fs::exists(first.folder + "/SAVE.dat"));  // the link is named, not copied
    ASSERT_EQ(first.notices.size(), 1u);
    EXPECT_NE(first.notices[0].find("SAVE.dat is a symbolic link: not kept"), std::string::npos);

    // A file added later joins the folder; one it holds is never replaced.
    test::WriteText(work.File("CMP.dat"), "report");
    test::WriteText(work.File("NEW_Chem.inp"), "another\r\n");
    std::string error;
    ASSERT_TRUE(AddToRun(first.folder, files, error)) << error;
    EXPECT_EQ(test::ReadText(first.folder + "/CMP.dat"), "report");
    EXPECT_EQ(test::ReadText(first.folder + "/NEW_Chem.inp"), "reduced\r\n");

    const std::vector<HistoryEntry> runs = ListRuns(work.Path());
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].folder, second.folder);
    EXPECT_EQ(FormatRunSummary(runs[0].summary), FormatRunSummary(s));
    EXPECT_EQ(runs[0].summary.largestPercent, s.largestPercent);
    EXPECT_EQ(runs[0].summary.keptReactions, 210);
    EXPECT_EQ(FormatRunSummary(s).substr(0, 47), "when=2026-12-09 15:01:22\tkind=reduced test\tmeth");
    EXPECT_FALSE(ParseRunSummary("species=1/2"));

    // A history folder that is a link elsewhere is refused: reported, nothing written there.
    TempDir other, elsewhere;
    fs::create_symlink(elsewhere.Path(), other.File("runs"));
    const KeptRun refused = KeepRun(other.Path(), "PFA_0.98", files, s, when);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(KeptRunLine(refused).rfind("<E> The run history could not be kept (the run itself succeeded): ", 0), 0u);
    EXPECT_TRUE(fs::is_empty(elsewhere.Path()));
    EXPECT_TRUE(ListRuns(other.Path()).empty());
}

}  // namespace
}  // namespace vantor::history
