// Project files: the file layout, the round trip, short and odd files, relative mechanism paths.

#include <gtest/gtest.h>

#include "app/core/mechanism/project_file.h"
#include "mechanism_test_support.h"

using namespace vantor;
using namespace vantor::test;

namespace {

ProjectData DefaultGridProject() {
    ProjectData p;
    p.grid = {{{"atm", "1.0,2.0"}, {"K", "1000,1200"}, {"/", "0.98"}, {"/", "0.0"}, {"Tig", "2.0"},
               {"/", "20"}, {"s", "1.0E+10"}, {"s", "1.0E-8"}}};
    p.mixtureLines = {"CH4 1, O2 2"};
    return p;
}

const char* kMech = "SPECIES\nCH4 O2 CO2 H2O\nEND\nREACTIONS\nCH4+2O2=>CO2+2H2O 1 0 0\nEND\n";

}  // namespace

TEST(ProjectFile, LayoutIsOneValueALineWithCrLf) {
    ProjectData p = DefaultGridProject();
    p.mechanismPath = "/w/chem.inp";
    std::string text;
    ASSERT_TRUE(FormatProject(p, text));
    EXPECT_EQ(text,
              "PFAPROJ\r\n/w/chem.inp\r\natm\r\n1.0,2.0\r\nK\r\n1000,1200\r\n/\r\n0.98\r\n/\r\n0.0\r\nTig\r\n2.0\r\n"
              "/\r\n20\r\ns\r\n1.0E+10\r\ns\r\n1.0E-8\r\nCH4 1, O2 2\r\n");
    // The later methods and the user's targets: another tag and one more line.
    p.method = EngineMethod::Drgep;
    p.targetSpecies = {"CO2", "H2O"};
    ASSERT_TRUE(FormatProject(p, text));
    EXPECT_EQ(text.rfind("DRGEPPROJ\r\n/w/chem.inp\r\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 30), "CH4 1, O2 2\r\nTargets=CO2 H2O\r\n");
}

TEST(ProjectFile, RoundTripRestoresMethodGridMixturesAndMechanism) {
    TempDir dir;
    WriteText(dir.File("chem.inp"), kMech);
    ProjectData p = DefaultGridProject();
    p.method = EngineMethod::Ecf;
    p.mechanismPath = dir.File("chem.inp");
    p.grid[0].value = "1.0,,5.5,10";
    p.mixtureLines = {"CH4 1, O2 2", "", "CH4 1, O2 4", "  "};
    ASSERT_TRUE(SaveProject(dir.File("Chem.PRJ"), p));

    MechanismModel model;
    model.ReducedInpReady = true;
    const ProjectOpenResult r = OpenProject(model, dir.File("Chem.PRJ"));
    ASSERT_TRUE(r.project.ok && r.project.restored && r.project.knownTag);
    EXPECT_EQ(r.project.data.method, EngineMethod::Ecf);
    for (size_t row = 0; row < p.grid.size(); ++row) {
        EXPECT_EQ(r.project.data.grid[row].unit, p.grid[row].unit);
        EXPECT_EQ(r.project.data.grid[row].value, p.grid[row].value);
    }
    EXPECT_EQ(r.project.data.mixtureLines, (std::vector<std::string>{"CH4 1, O2 2", "CH4 1, O2 4"}));
    ASSERT_TRUE(r.mechanismRead && r.mechanism.ok);
    EXPECT_EQ(r.workDirectory, dir.Path());
    EXPECT_EQ(model.MechanismPath, dir.File("chem.inp"));
    EXPECT_EQ(model.DetailedSpeciesCount, 4);
    EXPECT_EQ(model.SpeciesTitleCaption, "Detailed(SP#=4,RA#=1)");
    EXPECT_FALSE(model.ReducedInpReady);
    for (const auto& s : model.Species) EXPECT_TRUE(s.checked);
}

TEST(ProjectFile, ProjectWithoutMechanismRestoresSettingsOnly) {
    TempDir dir;
    ProjectData p = DefaultGridProject();
    ASSERT_TRUE(SaveProject(dir.File("a.PRJ"), p));
    MechanismModel model = OpenText(dir, kMech);
    const auto r = OpenProject(model, dir.File("a.PRJ"));
    EXPECT_TRUE(r.project.restored);
    EXPECT_FALSE(r.mechanismRead);
    EXPECT_EQ(r.project.data.grid[4].unit, "Tig");
    EXPECT_TRUE(model.MechanismPath.empty());
    EXPECT_EQ(model.DetailedSpeciesCount, 4);  // the lists stay; only the path is gone
}

TEST(ProjectFile, ShortOddAndEmptyFiles) {
    TempDir dir;
    WriteText(dir.File("short.PRJ"), "ECFPROJ\n\natm\n3.0\n");
    auto r = ReadProject(dir.File("short.PRJ"));
    ASSERT_TRUE(r.ok && r.restored);
    EXPECT_EQ(r.lineCount, 4);
    EXPECT_EQ(r.data.grid[0].value, "3.0");
    EXPECT_EQ(r.data.grid[1].unit, "");
    EXPECT_EQ(r.data.grid[7].value, "");
    EXPECT_TRUE(r.data.mixtureLines.empty());

    WriteText(dir.File("drg.PRJ"), "DRGPROJ\r\n" + std::string(17, '\n') + "CH4 1\r\ntargets= co2, h2o\r\n");
    r = ReadProject(dir.File("drg.PRJ"));
    EXPECT_TRUE(r.knownTag);
    EXPECT_EQ(r.data.method, EngineMethod::Drg);
    EXPECT_EQ(r.data.targetSpecies, (std::vector<std::string>{"co2", "h2o"}));
    EXPECT_EQ(r.data.mixtureLines, std::vector<std::string>{"CH4 1"});

    WriteText(dir.File("odd.PRJ"), "SOMETHING\r\nchem.inp\r\n");
    r = ReadProject(dir.File("odd.PRJ"));
    EXPECT_TRUE(r.restored);
    EXPECT_FALSE(r.knownTag);
    EXPECT_EQ(r.data.method, EngineMethod::Pfa);

    WriteText(dir.File("empty.PRJ"), "\r\n/w/chem.inp\r\n");
    r = ReadProject(dir.File("empty.PRJ"));
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.restored);

    r = ReadProject(dir.File("absent.PRJ"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("absent.PRJ"), std::string::npos);
}

TEST(ProjectFile, RelativeMechanismPathIsTakenFromTheProjectFolder) {
    EXPECT_EQ(ResolveMechanismPath("/p/q/x.PRJ", "chem.inp"), "/p/q/chem.inp");
    EXPECT_EQ(ResolveMechanismPath("/p/q/x.PRJ", "../m/chem.inp"), "/p/q/../m/chem.inp");
    EXPECT_EQ(ResolveMechanismPath("/p/q/x.PRJ", "/abs/chem.inp"), "/abs/chem.inp");
    EXPECT_EQ(ResolveMechanismPath("/p/q/x.PRJ", ""), "");
    EXPECT_EQ(ResolveMechanismPath("x.PRJ", "chem.inp"), "chem.inp");

    TempDir dir;
    std::filesystem::create_directories(dir.File("mech"));
    WriteText(dir.File("mech/chem.inp"), kMech);
    ProjectData p = DefaultGridProject();
    p.mechanismPath = "mech/chem.inp";
    ASSERT_TRUE(SaveProject(dir.File("x.PRJ"), p));
    MechanismModel model;
    const auto r = OpenProject(model, dir.File("x.PRJ"));
    ASSERT_TRUE(r.mechanism.ok) << r.mechanism.error;
    EXPECT_EQ(r.workDirectory, dir.File("mech"));
    EXPECT_EQ(model.DetailedSpeciesCount, 4);
}

TEST(ProjectFile, PathsInsideTheProjectFolderAreSavedRelativeToIt) {
    EXPECT_EQ(StoredProjectPath("/p/q/x.PRJ", "/p/q/mech/chem.inp"), "mech/chem.inp");
    EXPECT_EQ(StoredProjectPath("/p/q/x.PRJ", "/p/q/./a/../therm.dat"), "therm.dat");
    EXPECT_EQ(StoredProjectPath("/p/q/x.PRJ", "/p/qq/chem.inp"), "/p/qq/chem.inp");
    EXPECT_EQ(StoredProjectPath("/p/q/x.PRJ", "/p/chem.inp"), "/p/chem.inp");
    EXPECT_EQ(StoredProjectPath("/p/q/x.PRJ", "../chem.inp"), "../chem.inp");

    // A saved folder moved elsewhere opens with its own files.
    TempDir dir;
    std::filesystem::create_directories(dir.File("a/mech"));
    WriteText(dir.File("a/mech/chem.inp"), kMech);
    ProjectData p = DefaultGridProject();
    p.mechanismPath = dir.File("a/mech/chem.inp");
    p.thermoPath = dir.File("a/therm.dat");
    p.transportPath = "/elsewhere/tran.dat";
    ASSERT_TRUE(SaveProject(dir.File("a/x.PRJ"), p));
    std::filesystem::rename(dir.File("a"), dir.File("b"));
    MechanismModel model;
    const auto r = OpenProject(model, dir.File("b/x.PRJ"));
    ASSERT_TRUE(r.mechanism.ok) << r.mechanism.error;
    EXPECT_EQ(r.project.data.mechanismPath, "mech/chem.inp");
    EXPECT_EQ(model.ThermoPath, dir.File("b/therm.dat"));
    EXPECT_EQ(model.TransportPath, "/elsewhere/tran.dat");
}

TEST(ProjectFile, MissingMechanismIsReportedAfterTheSettingsAreRestored) {
    TempDir dir;
    ProjectData p = DefaultGridProject();
    p.mechanismPath = dir.File("gone.inp");
    ASSERT_TRUE(SaveProject(dir.File("x.PRJ"), p));
    MechanismModel model;
    const auto r = OpenProject(model, dir.File("x.PRJ"));
    EXPECT_TRUE(r.project.restored);
    EXPECT_EQ(r.project.data.mixtureLines.size(), 1u);
    EXPECT_TRUE(r.mechanismRead);
    EXPECT_FALSE(r.mechanism.ok);
    EXPECT_NE(r.mechanism.error.find("gone.inp"), std::string::npos);
}

TEST(ProjectFile, CellWithALineBreakIsRefusedAndTheEarlierFileStays) {
    TempDir dir;
    WriteText(dir.File("x.PRJ"), "earlier");
    ProjectData p = DefaultGridProject();
    p.grid[2].value = "0.9\n0.8";
    std::string error;
    EXPECT_FALSE(SaveProject(dir.File("x.PRJ"), p, &error));
    EXPECT_NE(error.find("row 3"), std::string::npos);
    EXPECT_EQ(ReadText(dir.File("x.PRJ")), "earlier");
    EXPECT_FALSE(SaveProject(dir.File("missing-folder/x.PRJ"), DefaultGridProject(), &error));
}

TEST(ProjectFile, ThermoAndTransportNamesFollowTheMixturesAndOlderProjectsReadAsBefore) {
    TempDir dir;
    WriteText(dir.File("chem.inp"), kMech);
    ProjectData p = DefaultGridProject();
    p.mechanismPath = "chem.inp";
    p.thermoPath = "data/ARAMCOMECH30.THERM";
    p.transportPath = "/abs/trandat-d";
    p.alwaysKept = "NO NO2 A1";
    std::string text;
    ASSERT_TRUE(FormatProject(p, text));
    EXPECT_NE(text.find("CH4 1, O2 2\r\nThermo=data/ARAMCOMECH30.THERM\r\nTransport=/abs/trandat-d\r\n"
                        "Keep=NO NO2 A1\r\n"),
              std::string::npos);
    // Keys in any case; the lines are no mixtures; relative names resolve from the project folder.
    WriteText(dir.File("x.PRJ"), text.substr(0, text.find("Thermo=")) + "  thermo= data/ARAMCOMECH30.THERM\r\n" +
                                     "TRANSPORT=/abs/trandat-d\r\nkeep= NO NO2 A1\r\n");
    MechanismModel model;
    const auto r = OpenProject(model, dir.File("x.PRJ"));
    ASSERT_TRUE(r.mechanism.ok) << r.mechanism.error;
    EXPECT_EQ(r.project.data.mixtureLines, p.mixtureLines);
    EXPECT_EQ(r.project.data.thermoPath, p.thermoPath);
    EXPECT_EQ(r.project.data.alwaysKept, p.alwaysKept);
    EXPECT_EQ(model.ThermoPath, dir.File("data/ARAMCOMECH30.THERM"));
    EXPECT_EQ(model.TransportPath, "/abs/trandat-d");

    // A project without them is written as before and leaves the default names.
    p.thermoPath.clear();
    p.transportPath.clear();
    p.alwaysKept.clear();
    ASSERT_TRUE(SaveProject(dir.File("x.PRJ"), p));
    EXPECT_EQ(ReadText(dir.File("x.PRJ")).find("="), std::string::npos);
    OpenProject(model, dir.File("x.PRJ"));
    EXPECT_TRUE(model.ThermoPath.empty() && model.TransportPath.empty());
}
