#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/common/standard_data_reader.h"

namespace vantor::engine {
namespace {

constexpr int32_t NS = 3;
const std::string kDims = "M DIMENSIONS 7     1 3 2 100 200 300";  // numbers from column 20; the 7 is not one
const std::string kPoint = " 0 1013250 0 0 0 0 1000 0.25 0.5 0.25";

// Records what the second pass hands on, one line per event.
class RecordingSink : public StandardDataSink {
public:
    int32_t RecordState(const RecordedState& s) override {
        std::ostringstream e;
        e << "state " << s.caseNumber << "/" << s.pointNumber << " P=" << s.pressure << " T=" << s.temperature << " X=";
        for (int k = 0; k < NS; ++k) e << s.moleFractions[k] << ",";
        e << " ini=";
        for (int k = 1; k <= NS; ++k) e << int((*s.initialSpecies)[static_cast<size_t>(k)]);
        events.push_back(e.str());
        return 0;
    }
    void CloseCase(int c, int n) override { events.push_back("close " + std::to_string(c) + "/" + std::to_string(n)); }
    int32_t FinalSelection(int c) override {
        events.push_back("final " + std::to_string(c));
        return 0;
    }
    std::vector<std::string> events;
};

struct Outcome {
    int32_t status;
    std::vector<std::string> events;
    std::string listing;
};

Outcome Read(const std::string& text) {
    std::istringstream in(text);
    std::ostringstream listing;
    StandardDataReader reader(in, "SAVE.dat", listing, kKeldaStatus);
    StandardDataDimensions dims;
    RecordingSink sink;
    int32_t status = reader.FirstPass(dims);
    if (status == 0) status = reader.SecondPass(dims.NS, sink);
    return {status, sink.events, listing.str()};
}

TEST(StandardDataReader, FirstPassTakesTheFirstDimensionLine) {
    std::istringstream in("! Var#= 10\r\n" + kDims + "\r\nM DIMENSIONS       1 9 9 9 9 9\r\n");
    std::ostringstream listing;
    StandardDataReader reader(in, "SAVE.dat", listing, kKeldaStatus);
    StandardDataDimensions dims;
    ASSERT_EQ(reader.FirstPass(dims), 0);
    EXPECT_EQ(dims.NS, 3);
    EXPECT_EQ(dims.NR, 2);
    EXPECT_EQ(dims.intWorkLen, 100);
    EXPECT_EQ(dims.realWorkLen, 200);
    EXPECT_EQ(dims.nameWorkLen, 300);
}

TEST(StandardDataReader, DimensionLineFailures) {
    EXPECT_EQ(Read("").status, kKeldaStatus.noDimensionLine);
    EXPECT_EQ(Read("! only a comment\n").status, kKeldaStatus.noDimensionLine);
    const Outcome short_ = Read("M DIMENSIONS       1 3 2 100 200\n");
    EXPECT_EQ(short_.status, kKeldaStatus.shortDimensionLine);
    EXPECT_NE(short_.listing.find("SAVE.dat line 1"), std::string::npos) << short_.listing;
    const Outcome text = Read("M DIMENSIONS       1 3 two 100 200 300\n");
    EXPECT_EQ(text.status, kKeldaStatus.notANumber);
    EXPECT_NE(text.listing.find("'two' is not a number"), std::string::npos) << text.listing;
}

TEST(StandardDataReader, NumbersCasesAndCarriesTheInitialSpecies) {
    const Outcome o = Read(kDims + "\n" + kPoint + "\nTAU0 1 1.0 1000.\nINI SP IDX  1 3 9\nINI SP MOL  0.5 0.5\n" +
                           kPoint + "\n   TAU0 2 1.0 1000.\n" + kPoint + "\nINI SP IDX  2\n" + kPoint + "\nEND\n");
    EXPECT_EQ(o.status, 0) << o.listing;
    const std::vector<std::string> expected = {
        "state 1/1 P=1.01325e+06 T=1000 X=0.25,0.5,0.25, ini=000", "close 1/1",
        "state 2/1 P=1.01325e+06 T=1000 X=0.25,0.5,0.25, ini=101", "close 2/1",
        "state 3/1 P=1.01325e+06 T=1000 X=0.25,0.5,0.25, ini=101",
        "state 3/2 P=1.01325e+06 T=1000 X=0.25,0.5,0.25, ini=010", "close 3/2", "final 3"};
    EXPECT_EQ(o.events, expected);
}

TEST(StandardDataReader, SpeciesCountLineChangesTheDataLineLength) {
    // Two species: data lines of 9 numbers; the third mole fraction is 0, not the last line's.
    const Outcome o = Read(kDims + "\n" + kPoint + "\nK 2\n 0 1 0 0 0 0 900 0.4 0.6\nEND\n");
    ASSERT_EQ(o.status, 0) << o.listing;
    EXPECT_EQ(o.events[1], "state 1/2 P=1 T=900 X=0.4,0.6,0, ini=000");
    EXPECT_EQ(Read(kDims + "\nK 4\n").status, kKeldaStatus.speciesCountAboveNs);
}

TEST(StandardDataReader, DataLineFailures) {
    const Outcome short_ = Read(kDims + "\n 0 1 0 0 0 0 1000 0.5 0.5\nEND\n");
    EXPECT_EQ(short_.status, kKeldaStatus.dataCount);
    EXPECT_EQ(short_.listing, " ASC data number wrong 9 3\n");
    const Outcome blank = Read(kDims + "\n" + kPoint + "\n\nEND\n");
    EXPECT_EQ(blank.status, kKeldaStatus.dataCount);
    EXPECT_EQ(blank.listing, " ASC data number wrong 0 3\n");
    EXPECT_EQ(Read(kDims + "\n" + kPoint + " 5 6 7\nEND\n").status, 0);  // more than NS + 7: the first NS + 7 count
    EXPECT_EQ(Read(kDims + "\n 0 1 0 0 0 0 1000 0.5 x 0.5\nEND\n").status, kKeldaStatus.notANumber);
    // A "T" line that opens no case closes the current one and is read as a data line.
    const Outcome t = Read(kDims + "\n" + kPoint + "\nTIME 1 2\nEND\n");
    EXPECT_EQ(t.status, kKeldaStatus.notANumber);
    EXPECT_EQ(t.events.back(), "close 1/1");
}

TEST(StandardDataReader, EndOfDataWithoutSelectionIsAFailure) {
    const Outcome noEnd = Read(kDims + "\n" + kPoint + "\n");
    EXPECT_EQ(noEnd.status, kKeldaStatus.noEndLine);
    EXPECT_EQ(noEnd.events.back(), "state 1/1 P=1.01325e+06 T=1000 X=0.25,0.5,0.25, ini=000");
    const Outcome emptyCase = Read(kDims + "\n" + kPoint + "\nTAU0 1 1 1\ne\n");
    EXPECT_EQ(emptyCase.status, kKeldaStatus.noPointsAtEnd);
    EXPECT_EQ(emptyCase.events.back(), "close 1/1");
    EXPECT_EQ(Read(kDims + "\n" + kPoint + "\ne\n").events.back(), "final 1");
}

TEST(StandardDataReader, CaseAndPointLimits) {
    std::string cases = kDims + "\n";
    for (int c = 1; c < 2000; ++c) cases += "TAU0 1 1 1\n";
    EXPECT_EQ(Read(cases + kPoint + "\nEND\n").status, 0);
    const Outcome tooMany = Read(cases + "TAU0 1 1 1\n");
    EXPECT_EQ(tooMany.status, kKeldaStatus.tooManyCases);
    EXPECT_EQ(tooMany.listing, " Case number is too small\n");

    std::string points = kDims + "\n";
    for (int p = 0; p < 2000; ++p) points += kPoint + "\n";
    EXPECT_EQ(Read(points + "END\n").status, 0);
    EXPECT_EQ(Read(points + kPoint + "\nEND\n").status, kKeldaStatus.tooManyPoints);
}

TEST(StandardDataReader, LongLinesAreCutAtTheLineBuffer) {
    // The last value straddles position 128000: only its first digits are read.
    std::string line = " 0 1013250 0 0 0 0 1000 0.25 0.5";
    line.resize(kLineBufferLength - 5, ' ');
    line += "12345678";
    const Outcome o = Read(kDims + "\r\n" + line + "\r\nEND\r\n");
    ASSERT_EQ(o.status, 0) << o.listing;
    EXPECT_EQ(o.events[0], "state 1/1 P=1.01325e+06 T=1000 X=0.25,0.5,12345, ini=000");
}

}  // namespace
}  // namespace vantor::engine
