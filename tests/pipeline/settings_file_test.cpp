// The settings file: defaults when it is missing, round trip of the working directory, and
// editing that keeps the rest of the file.

#include <filesystem>

#include <gtest/gtest.h>

#include "app/core/pipeline/settings_file.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

using test::TempDir;

TEST(SettingsFile, FirstStartUsesTheSystemDirectoryAndCloseCreatesTheFile) {
    TempDir system;
    EXPECT_EQ(ReadSetting(system.Path(), "SYS", "WDIR"), "");
    EXPECT_EQ(InitialWorkDirectory(system.Path()), system.Path());
    ASSERT_TRUE(WriteSetting(system.Path(), "SYS", "WDIR", system.Path()));
    EXPECT_EQ(test::ReadText(system.File("PFA.ini")), "[SYS]\r\nWDIR=" + system.Path() + "\r\n");
    EXPECT_EQ(InitialWorkDirectory(system.Path()), system.Path());
}

TEST(SettingsFile, StoredDirectoryIsUsedAtTheNextStart) {
    TempDir system;
    ASSERT_TRUE(WriteSetting(system.Path(), "SYS", "WDIR", "/data/mech one"));
    EXPECT_EQ(InitialWorkDirectory(system.Path()), "/data/mech one");
    ASSERT_TRUE(WriteSetting(system.Path(), "SYS", "WDIR", "/data/two"));
    EXPECT_EQ(ReadSetting(system.Path(), "sys", "wdir"), "/data/two");
    TempDir other;  // another start-up directory has its own settings
    EXPECT_EQ(InitialWorkDirectory(other.Path()), other.Path());
}

TEST(SettingsFile, EditingKeepsOtherSectionsKeysAndComments) {
    const std::string text = "; written by hand\n[View]\nWDIR=not this one\n[sys]\nOther = 1\n\n[Last]\nX=2\n";
    EXPECT_EQ(IniValue(text, "SYS", "WDIR"), "");
    const std::string added = IniWithValue(text, "SYS", "WDIR", "/w");
    EXPECT_EQ(added, "; written by hand\r\n[View]\r\nWDIR=not this one\r\n[sys]\r\nOther = 1\r\nWDIR=/w\r\n\r\n"
                     "[Last]\r\nX=2\r\n");
    EXPECT_EQ(IniValue(added, "SYS", "WDIR"), "/w");
    EXPECT_EQ(IniValue(added, "sys", "other"), "1");
    const std::string replaced = IniWithValue(added, "SYS", "wdir", "/v");
    EXPECT_EQ(IniValue(replaced, "SYS", "WDIR"), "/v");
    EXPECT_EQ(IniValue(replaced, "View", "WDIR"), "not this one");
}

TEST(SettingsFile, EmptyValueCountsAsMissing) {
    TempDir system;
    test::WriteText(system.File("PFA.ini"), "[SYS]\r\nWDIR=   \r\n");
    EXPECT_EQ(InitialWorkDirectory(system.Path()), system.Path());
}

TEST(SettingsFile, LineBreakOrUnwritableFolderIsRefused) {
    TempDir system;
    std::string error;
    EXPECT_FALSE(WriteSetting(system.Path(), "SYS", "WDIR", "/a\n[SYS]\nWDIR=/b", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(system.File("PFA.ini")));
    EXPECT_FALSE(WriteSetting(system.File("missing/folder"), "SYS", "WDIR", "/a", &error));
    EXPECT_NE(error.find("PFA.ini"), std::string::npos);
}

}  // namespace
}  // namespace vantor
