// Flame and stirred-reactor lines of a project: read and written back as typed, bad values named
// with their line, and a project without them still written byte for byte as it was.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/mechanism/project_file.h"
#include "mechanism_test_support.h"

using namespace vantor;
using namespace vantor::test;

TEST(ReactorCaseLines, ReadWrittenBackAsTypedAndRefusedWithTheirLine) {
    TempDir dir;
    std::string grid;
    for (int i = 0; i < 16; ++i) grid += "x\r\n";
    const std::string text = "PFAPROJ\r\nchem.inp\r\n" + grid + "CH4 1, O2 2, N2 7.52\r\nKeep=AR\r\n" +
                             "flame= 1.0  300 0.8 1.2\r\nPSR=2 300.5 1\r\n";
    WriteText(dir.File("a.PRJ"), text);
    ProjectReadResult r = ReadProject(dir.File("a.PRJ"));
    ASSERT_TRUE(r.ok && r.restored) << r.error;
    ASSERT_EQ(r.data.reactorCases.size(), 2u);
    const ReactorCaseLine& flame = r.data.reactorCases[0];
    EXPECT_EQ(flame.kind, ReactorKind::kFlame);
    EXPECT_EQ(flame.pressureAtm, 1.0);
    EXPECT_EQ(flame.temperature, 300.0);
    EXPECT_EQ(flame.phis, (std::vector<double>{0.8, 1.2}));
    EXPECT_EQ(r.data.reactorCases[1].kind, ReactorKind::kStirredReactor);
    EXPECT_EQ(r.data.reactorCases[1].temperature, 300.5);
    EXPECT_EQ(CaseLinesOf(r.data.reactorCases, ReactorKind::kStirredReactor).size(), 1u);
    EXPECT_EQ(r.data.mixtureLines, std::vector<std::string>{"CH4 1, O2 2, N2 7.52"});
    std::string written;
    ASSERT_TRUE(FormatProject(r.data, written));
    EXPECT_EQ(written.substr(written.find("CH4")),
              "CH4 1, O2 2, N2 7.52\r\nKeep=AR\r\nFlame=1.0  300 0.8 1.2\r\nPSR=2 300.5 1\r\n");

    const struct {
        const char* lines;
        const char* named;
        int lineNumber;
    } bad[] = {{"Flame=1 300", "at least one equivalence ratio", 20},
               {"PSR=1 abc 1", "temperature 'abc'", 20},
               {"Flame=1 300 0", "equivalence ratio '0'", 20},
               {"PSR=-1 300 1", "pressure '-1'", 20},
               {"Flame=1 300 1\r\nFlame=2 300 1", "one Flame= line", 21}};
    for (const auto& c : bad) {
        WriteText(dir.File("bad.PRJ"), "PFAPROJ\r\nchem.inp\r\n" + grid + "CH4 1, O2 2\r\n" + c.lines + "\r\n");
        r = ReadProject(dir.File("bad.PRJ"));
        EXPECT_FALSE(r.ok || r.restored) << c.lines;
        EXPECT_NE(r.error.find("bad.PRJ, line " + std::to_string(c.lineNumber) + ": "), std::string::npos) << r.error;
        EXPECT_NE(r.error.find(c.named), std::string::npos) << r.error;
    }
}

TEST(ReactorCaseLines, ProjectWithoutThemIsWrittenByteForByte) {
    const std::string path = DataFile("nc7_llnl/nc7_6cases.PRJ");
    const ProjectReadResult r = ReadProject(path);
    ASSERT_TRUE(r.ok && r.restored) << r.error;
    EXPECT_TRUE(r.data.reactorCases.empty());
    std::string written;
    ASSERT_TRUE(FormatProject(r.data, written));
    EXPECT_EQ(written, ReadText(path));
}
