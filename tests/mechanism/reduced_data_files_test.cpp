// The reduced thermo and transport files: which entries they take, byte for byte, and what a
// missing source means for an earlier file.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/mechanism/reduced_data_files.h"
#include "mechanism/mechanism_test_support.h"

namespace vantor {
namespace {

// A 4-line entry as the compiler groups it; `name` in columns 1-18.
std::string Entry(const std::string& name, const std::string& tag, const std::string& end = "\n") {
    std::string first = name + std::string(18 - name.size(), ' ') + tag;
    first.resize(79, ' ');
    return first + "1" + end + " line2 " + tag + "    2" + end + " line3 " + tag + "    3" + end + " line4 " + tag +
           "    4" + end;
}

TEST(ReducedThermo, KeptEntriesVerbatimFirstOneWinsMechanismEntriesLeftOut) {
    const std::string source = "! a comment before the header\r\nthermo\r\n   300.0  1000.0  5000.0\r\n! note\r\n" +
                               Entry("H2", "a", "\r\n") + Entry("OH", "b", "\r\n") + "! inside\r\n" +
                               Entry("h2", "again", "\r\n") + Entry("CH4", "c", "\r\n") + Entry("O2", "d", "\r\n") +
                               "END\r\n" + Entry("N2", "after end", "\r\n");
    const std::string reduced = ReducedThermoText(source, {"H2", "ch4", "N2", "O2"}, {"o2"});
    EXPECT_EQ(reduced, "thermo\r\n   300.0  1000.0  5000.0\r\n" + Entry("H2", "a", "\r\n") +
                           Entry("CH4", "c", "\r\n") + "END\r\n");

    // No header, no END, no final line end: the entries still stand whole and END closes them.
    std::string bare = Entry("AR", "x");
    bare.pop_back();
    EXPECT_EQ(ReducedThermoText(bare, {"AR"}, {}), Entry("AR", "x") + "END\n");

    // A THERMO section of the mechanism text supplies its names; a reaction-trim-dropped line does not.
    MechanismModel model;
    for (const char* line : {"SPECIES H2 O2 END", "THERMO", "   300.0  1000.0  5000.0"})
        model.MechanismText.push_back({line, true});
    for (const std::string_view name : {"O2", "H2"}) {
        std::string entry = Entry(std::string(name), "m");
        for (size_t at = 0; at < entry.size();) {
            const size_t end = entry.find('\n', at);
            model.MechanismText.push_back({entry.substr(at, end - at), name == "O2"});
            at = end + 1;
        }
    }
    model.MechanismText.push_back({"END", true});
    model.MechanismText.push_back({"REACTIONS", true});
    EXPECT_EQ(MechanismThermoNames(model), std::vector<std::string>{"O2"});
}

TEST(ReducedTransport, FirstLinePerKeptSpeciesAnyLetterCase) {
    const std::string source = "! header\nAR 0 136.5 3.33 0 0 0\nh2 1 38.0 2.92 0 0.79 280 ! first\n"
                               "OH 1 80.0 2.75 0 0 0\nH2 1 99.0 9.99 0 0 0\n\nEND\n";
    EXPECT_EQ(ReducedTransportText(source, {"H2", "AR", "CH4"}),
              "AR 0 136.5 3.33 0 0 0\nh2 1 38.0 2.92 0 0.79 280 ! first\n");
}

TEST(ReducedDataFiles, WrittenFromTheWorkFolderDataAndAStaleOneGoesWithoutASource) {
    test::TempDir dir;
    MechanismModel model;
    model.Species = {{"H2", true}, {"OH", false}};
    test::WriteText(dir.File("therm.dat"), "THERMO\n 300 1000 5000\n" + Entry("H2", "a") + Entry("OH", "b") + "END\n");
    test::WriteText(dir.File(kReducedTransportFileName), "stale\n");
    std::string error;
    ASSERT_TRUE(WriteReducedDataFiles(model, {true, false}, dir.Path(), dir.Path(), &error)) << error;
    EXPECT_EQ(test::ReadText(dir.File(kReducedThermoFileName)), "THERMO\n 300 1000 5000\n" + Entry("H2", "a") + "END\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File(kReducedTransportFileName)));

    model.TransportPath = dir.File("missing/tran.dat");
    model.ThermoPath = dir.Path();  // a folder cannot be read as a file
    EXPECT_FALSE(WriteReducedDataFiles(model, {true, false}, dir.Path(), dir.Path(), &error));
    EXPECT_NE(error.find(dir.Path()), std::string::npos) << error;
}

}  // namespace
}  // namespace vantor
