// The help that "Help Doc" opens: the help file, else the manual beside or above the program.

#include <gtest/gtest.h>

#include "app/core/pipeline/help_file.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

TEST(HelpFile, HelpFileThenTheManualBesideThenInstalled) {
    test::TempDir root;
    const std::string system = root.File("work"), exe = root.File("bin");
    const std::string installed = root.File("share/doc/vantor/manual.html");
    test::fs::create_directories(system);
    test::fs::create_directories(root.File("bin/doc"));
    test::fs::create_directories(root.File("share/doc/vantor"));

    HelpChoice none = ChooseHelpFile(system, exe);
    EXPECT_EQ(none.path, "");
    EXPECT_EQ(NoHelpMessage(none), "No help file was found. Looked for:\n" + system + "/Vantor.chm\n" + exe +
                                       "/doc/manual.html\n" + installed);
    test::WriteText(installed, "<html>");
    EXPECT_EQ(ChooseHelpFile(system, exe).path, installed);
    test::WriteText(exe + "/doc/manual.html", "<html>");
    EXPECT_EQ(ChooseHelpFile(system, exe).path, exe + "/doc/manual.html");
    test::WriteText(system + "/Vantor.chm", "chm");
    EXPECT_EQ(ChooseHelpFile(system, exe).path, system + "/Vantor.chm");
}

}  // namespace
}  // namespace vantor
