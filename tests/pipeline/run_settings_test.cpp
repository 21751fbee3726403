// Run settings: reading the parameter grid, the mixture lines and the species marks, and the
// message and code of every kind of illegal input.

#include <gtest/gtest.h>

#include "app/core/pipeline/always_kept.h"
#include "app/core/pipeline/job_record_fill.h"
#include "app/core/pipeline/run_settings.h"
#include "pipeline/test_support.h"

namespace vantor {
namespace {

using test::VectorSink;

const char* const kMixtureMessage = "<E> Data for mixture is illigal.";

class RunSettings : public ::testing::Test {
protected:
    RunSettings() {
        input.mixtureLines = {"CH4 1, O2 2"};
        input.speciesNames = {"H2", "O2", "N2", "H2O", "CH4", "CO2"};
        input.speciesMarks.assign(input.speciesNames.size(), true);
    }
    int32_t Read(bool ecf = false) { return state.GetReactDat(input, ecf ? EngineMethod::Ecf : EngineMethod::Pfa, CLocaleNumbers(), sink); }
    void SetValue(int row, const std::string& text) { input.grid[row][kValueColumn] = text; }

    SettingsInput input;
    TWState state;
    VectorSink sink;
};

TEST_F(RunSettings, DefaultsGiveFourCasesAndTheMethodTransform) {
    ASSERT_EQ(Read(), kSettingsOk);
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_EQ(state.n_WState, 4);
    EXPECT_EQ(state.n_Ps, 2);
    EXPECT_EQ(state.Ps[1], 1.0);
    EXPECT_EQ(state.Ps[2], 2.0);
    EXPECT_EQ(state.Ts[2], 1200.0);
    EXPECT_EQ(state.n_Mixs, 1);
    EXPECT_EQ(state.Indxs[1][0], 2);
    EXPECT_EQ(state.Indxs[1][1], 5);  // CH4 is the fifth marked species
    EXPECT_EQ(state.Indxs[1][2], 2);
    EXPECT_EQ(state.Xmols[1][1], 1.0);  // amounts stay as typed
    EXPECT_EQ(state.Xmols[1][2], 2.0);
    EXPECT_EQ(state.n_Tendm, 2);
    EXPECT_EQ(state.v_Tend, 2.0);
    EXPECT_EQ(state.n_PNT, 20);
    EXPECT_EQ(state.V_MaxT, 1.0e10);
    EXPECT_EQ(state.v_STP, 1.0e-8);
    EXPECT_EQ(state.v_THD, 2.0 - 2.0 * 0.98);
    ASSERT_EQ(Read(true), kSettingsOk);
    EXPECT_DOUBLE_EQ(state.v_THD, 0.98);
}

TEST_F(RunSettings, GridDefaultsAreTheDocumentedCells) {
    const ParameterGrid grid = FillParameterGrid();
    EXPECT_EQ(grid[0][3], "Note");
    EXPECT_EQ(grid[kRowThreshold][0], "* Threshold value (0 - 1.0)");
    EXPECT_EQ(grid[kRowEndTime][kUnitColumn], "Tig");
    EXPECT_EQ(grid[kRowEndTime][3], "Ignition delay,higest temp, time.");
    EXPECT_EQ(grid[kRowMaxTime][kValueColumn], "1.0E+10");
    EXPECT_TRUE(grid[kRowRecordPoints][3].empty());
    EXPECT_TRUE(IsEditableCell(kRowEndTime, kUnitColumn));
    EXPECT_FALSE(IsEditableCell(kRowPressure, kUnitColumn));
    EXPECT_FALSE(IsEditableCell(0, kValueColumn));
}

TEST_F(RunSettings, EmptyTokensOfAListAreSkipped) {
    for (const char* cell : {"1.0,,2.0", ",1.0,2.0", " 1.0,2.0, "}) {
        SetValue(kRowPressure, cell);
        ASSERT_EQ(Read(), kSettingsOk) << cell;
        EXPECT_EQ(state.n_Ps, 2) << cell;
    }
}

TEST_F(RunSettings, IllegalPressureCountsAndStopsTheList) {
    SetValue(kRowPressure, "1.0,abc,3.0");
    EXPECT_EQ(Read(), kBadPressure);
    EXPECT_EQ(state.n_Ps, 2);
    EXPECT_EQ(sink.lines, std::vector<std::string>{"<E> Data for Pressure is  illegal."});
    EXPECT_TRUE(sink.errorFlag);
}

TEST_F(RunSettings, EveryIllegalTemperatureIsReported) {
    SetValue(kRowTemperature, "900,abc,xyz");
    EXPECT_EQ(Read(), kBadTemperature);
    EXPECT_EQ(sink.Count("<E> Data for Temperature is  illegal."), 2);
    EXPECT_EQ(state.n_Ts, 3);
}

TEST_F(RunSettings, EmptyPressureOrTemperatureCellLeavesNoCaseAndNamesTheRow) {
    SetValue(kRowTemperature, "  ");
    EXPECT_EQ(Read(), kBadPressure);
    EXPECT_EQ(sink.lines, std::vector<std::string>{"> The parameter row 2 \"Ini. T\" holds no value: type 1 to 50 "
                                                   "values in K, separated by commas."});
    EXPECT_EQ(state.n_WState, 0);
    SetValue(kRowPressure, "");
    sink.lines.clear();
    EXPECT_EQ(Read(), kBadPressure);
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_NE(sink.lines[0].find("row 1 \"Ini. P\""), std::string::npos);
}

TEST_F(RunSettings, ThresholdIsClippedBeforeTheTransform) {
    const struct {
        const char* text;
        double pfa, ecf, drg;
    } cases[] = {{"1.5", 0.0, 1.0, 0.0}, {"-0.2", 2.0, 0.0, 1.0}, {"0.5", 1.0, 0.5, 0.25}};
    for (const auto& c : cases) {
        SetValue(kRowThreshold, c.text);
        ASSERT_EQ(Read(false), kSettingsOk);
        EXPECT_DOUBLE_EQ(state.v_THD, c.pfa) << c.text;
        ASSERT_EQ(Read(true), kSettingsOk);
        EXPECT_DOUBLE_EQ(state.v_THD, c.ecf) << c.text;
        for (const EngineMethod method : {EngineMethod::Drg, EngineMethod::Drgep}) {
            ASSERT_EQ(state.GetReactDat(input, method, CLocaleNumbers(), sink), kSettingsOk);
            EXPECT_DOUBLE_EQ(state.v_THD, c.drg) << c.text;
        }
    }
    // A clipped value is named, once per reading; an allowed one is not.
    EXPECT_TRUE(sink.Has("> The parameter row 3 \"Threshold value (0 - 1.0)\" is 1.5, outside 0 - 1.0: it is used as 1."));
    EXPECT_EQ(sink.Count("> The parameter row 3 \"Threshold value (0 - 1.0)\" is -0.2, outside 0 - 1.0: it is used as 0."), 4);
    EXPECT_EQ(sink.lines.size(), 8u);
}

TEST_F(RunSettings, EachScalarRowHasItsMessageAndCode) {
    const struct {
        int row;
        const char* text;
        int32_t code;
        const char* message;
    } cases[] = {
        {kRowThreshold, "high", kBadThreshold, "<E> Data for threshold is illigal."},
        {kRowHeatKeptRatio, "", kBadHeatKeptRatio, "<E> Data for HRR ratio is illigal."},
        {kRowEndTime, "2.0s", kBadEndTime, "<E> Data for end time is illigal."},
        {kRowRecordPoints, "2.5", kBadRecordPoints, "<E> Data for points number is illigal."},
        {kRowRecordPoints, "40000", kBadRecordPoints, "<E> Data for points number is illigal."},
        {kRowMaxTime, "inf", kBadMaxTime, "<E> Data for max. time is illigal."},
        {kRowTimeStep, "1e-8e", kBadTimeStep, "<E> Data for Time Step is illigal."},
    };
    for (const auto& c : cases) {
        input.grid = FillParameterGrid();
        SetValue(c.row, c.text);
        sink.lines.clear();
        EXPECT_EQ(Read(), c.code) << c.text;
        EXPECT_EQ(sink.lines, std::vector<std::string>{c.message}) << c.text;
    }
}

TEST_F(RunSettings, FieldsAfterTheFailingOneKeepTheirOldValues) {
    ASSERT_EQ(Read(), kSettingsOk);
    SetValue(kRowThreshold, "0.5");
    SetValue(kRowEndTime, "x");
    SetValue(kRowMaxTime, "7");
    EXPECT_EQ(Read(), kBadEndTime);
    EXPECT_DOUBLE_EQ(state.v_THD, 1.0);  // read before the failure
    EXPECT_EQ(state.V_MaxT, 1.0e10);     // not reached
}

TEST_F(RunSettings, EndTimeUnitIsComparedExactly) {
    const struct {
        const char* unit;
        int mode;
    } cases[] = {{"tmax", 0}, {"sec", 1}, {"Tig", 2}, {" sec ", 1}, {"TMAX", 2}, {"s", 2}};
    for (const auto& c : cases) {
        input.grid[kRowEndTime][kUnitColumn] = c.unit;
        ASSERT_EQ(Read(), kSettingsOk);
        EXPECT_EQ(state.n_Tendm, c.mode) << c.unit;
    }
}

TEST_F(RunSettings, UnknownSpeciesOfAMixtureIsNamedAndALineLeftWithoutFuelOrO2Refused) {
    input.mixtureLines = {"CH4 1, XYZ 3, O2 2"};
    ASSERT_EQ(Read(), kSettingsOk);
    EXPECT_EQ(sink.lines, std::vector<std::string>{"> Species \"XYZ\" of mixture line 1 \"CH4 1, XYZ 3, O2 2\" is "
                                                   "not in the mechanism: it is left out."});
    EXPECT_EQ(state.Indxs[1][0], 2);
    EXPECT_EQ(state.Xmols[1][2], 2.0);

    const struct {
        const char* line;
        const char* missing;
    } refused[] = {{"C8H18 1, O2 12.5, N2 47", "fuel"}, {"CH4 1, o2 2", "oxidizer (O2)"}, {"CH4, O2 2", "fuel"}};
    for (const auto& c : refused) {
        input.mixtureLines = {"H2 2, O2 1", c.line};
        sink.lines.clear();
        EXPECT_EQ(Read(), kBadMixture) << c.line;
        ASSERT_EQ(sink.lines.size(), 3u) << c.line;
        EXPECT_EQ(sink.lines[1], "> mixture line 2 \"" + std::string(c.line) + "\" holds no " + c.missing +
                                     " of the mechanism.");
        EXPECT_EQ(sink.lines[2], kMixtureMessage);
    }
    // Without an unknown name a line of diluents alone stays as it was.
    input.mixtureLines = {"O2 1, N2 3.76"};
    EXPECT_EQ(Read(), kSettingsOk);
}

TEST_F(RunSettings, SpeciesIndexCountsMarkedEntriesOnly) {
    input.speciesMarks[1] = false;  // O2 unmarked
    input.mixtureLines = {"CH4 1, N2 2"};
    ASSERT_EQ(Read(), kSettingsOk);
    EXPECT_EQ(state.Indxs[1][1], 4);  // list position 5
    EXPECT_EQ(state.Indxs[1][2], 2);  // list position 3
    input.mixtureLines = {"O2 1"};     // an unmarked species is not found
    EXPECT_EQ(Read(), kBadMixture);
}

TEST_F(RunSettings, IllegalMixturesAreRefused) {
    std::vector<std::string> fifty(50, "CH4 1, O2 2");
    std::vector<std::string> fiftyOne(51, "CH4 1, O2 2");
    const std::vector<std::vector<std::string>> cases = {
        {},                                   // empty memo
        {"CH4 1", "", "O2 1"},                // empty line between mixtures
        {"CH4 one"},                          // known species, amount not a number
        {"X"},                                // shorter than two characters
        fiftyOne,                             // more than 50 mixtures
    };
    for (const auto& lines : cases) {
        input.mixtureLines = lines;
        sink.lines.clear();
        EXPECT_EQ(Read(), kBadMixture) << lines.size();
        EXPECT_EQ(sink.lines, std::vector<std::string>{kMixtureMessage});
    }
    input.mixtureLines = fifty;
    EXPECT_EQ(Read(), kSettingsOk);
    EXPECT_EQ(state.n_WState, 200);
}

TEST_F(RunSettings, MoreThanFiftyValuesInARowAreRefused) {
    std::string list = "1";
    for (int i = 2; i <= 50; ++i) list.append(",").append(std::to_string(i));
    SetValue(kRowPressure, list);
    ASSERT_EQ(Read(), kSettingsOk);
    EXPECT_EQ(state.n_Ps, 50);

    SetValue(kRowPressure, list + ",51");
    EXPECT_EQ(Read(), kBadPressure);
    EXPECT_EQ(state.n_Ps, 50);
    SetValue(kRowPressure, "1");
    SetValue(kRowTemperature, list + ",51");
    EXPECT_EQ(Read(), kBadTemperature);
    EXPECT_EQ(state.n_Ts, 50);

    SetValue(kRowTemperature, "1000");
    std::string mixture;
    for (int i = 0; i < 51; ++i) mixture += (i ? ", " : "") + std::string("O2 1");
    input.mixtureLines = {mixture};
    EXPECT_EQ(Read(), kBadMixture);
}

// Always-kept names resolve to full-list numbers (an unmarked species too), in any letter case when
// only one name fits; an unknown one is named in a warning, and the job record carries the rest.
TEST_F(RunSettings, AlwaysKeptSpeciesReachTheJobRecordAndUnknownOnesAreNamed) {
    input.speciesNames.push_back("co2");  // "co2" and "CO2": only the exact spelling decides
    input.speciesMarks = {true, true, true, false, true, true, true};
    input.alwaysKept = SplitSpeciesNames("h2o, CO2  XYZ;N2 h2o");
    ASSERT_EQ(input.alwaysKept, (std::vector<std::string>{"h2o", "CO2", "XYZ", "N2"}));
    ASSERT_EQ(Read(), kSettingsOk);
    ASSERT_EQ(sink.lines, (std::vector<std::string>{"> Species to keep not in the mechanism, left out: XYZ"}));
    EXPECT_EQ(state.AlwaysKept[0], 3);
    EXPECT_EQ((std::vector<int16_t>(state.AlwaysKept.begin() + 1, state.AlwaysKept.begin() + 4)),
              (std::vector<int16_t>{4, 6, 3}));
    JobRecord job{};
    job.alwaysKept(4) = 77;  // what an earlier fill left beyond the count goes
    ASSERT_TRUE(FillJobRecord(job, state, RunFiles{"/s", "/w", "/w/chem.inp", "", "", ""}).ok);
    EXPECT_EQ(job.alwaysKept(0), 3);
    EXPECT_EQ(job.alwaysKept(3), 3);
    EXPECT_EQ(job.alwaysKept(4), 0);
    EXPECT_EQ(job.mixIndex(1, 1), 4);  // the mixtures' rows are untouched: CH4 is the fourth marked

    input.alwaysKept.assign(51, "N2");
    EXPECT_EQ(Read(), kBadAlwaysKept);
    EXPECT_EQ(sink.lines.back(), "<E> At most 50 species can be always kept; 51 are named.");
}

TEST_F(RunSettings, TheInjectedParserReadsEveryNumber) {
    // A user's locale with a decimal comma; the list cells keep their comma separators.
    LocaleNumbers comma;
    comma.parse = [](std::string_view text) {
        std::string s(text);
        for (char& c : s)
            if (c == ';') c = '.';
        return ParseCLocaleNumber(s);
    };
    SetValue(kRowThreshold, "0;5");
    SetValue(kRowPressure, "1;5,2");
    input.mixtureLines = {"CH4 0;25, O2 2"};
    ASSERT_EQ(state.GetReactDat(input, EngineMethod::Ecf, comma, sink), kSettingsOk);
    EXPECT_EQ(state.v_THD, 0.5);
    EXPECT_EQ(state.Ps[1], 1.5);
    EXPECT_EQ(state.Xmols[1][1], 0.25);
    EXPECT_EQ(state.n_PNT, 20);  // integers stay plain decimal
}

TEST(NumberText, CLocaleParserAcceptsDecimalsOnly) {
    for (const char* good : {"1", " 2.5 ", "+1", "-0.5", ".5", "1.", "1.0E+10", "1e-8"})
        EXPECT_TRUE(ParseCLocaleNumber(good).has_value()) << good;
    for (const char* bad : {"", " ", "inf", "nan", "0x10", "1e", "1.0.0", "1e999", "1,5", "+-1", "--1"})
        EXPECT_FALSE(ParseCLocaleNumber(bad).has_value()) << bad;
    EXPECT_EQ(ParseDecimalInteger(" +20 "), 20);
    EXPECT_EQ(ParseDecimalInteger("-3"), -3);
    EXPECT_FALSE(ParseDecimalInteger("+-3").has_value());
    EXPECT_FALSE(ParseDecimalInteger("2e1").has_value());
}

TEST(NumberText, DisplayPatternsRoundHalvesAwayFromZero) {
    EXPECT_EQ(FormatWholeNumber(37.4), "37");
    EXPECT_EQ(FormatWholeNumber(37.5), "38");
    EXPECT_EQ(FormatWholeNumber(-0.2), "0");
    EXPECT_EQ(FormatThreeDecimals(1.5, '.'), "1.500");
    EXPECT_EQ(FormatThreeDecimals(0.0125, ','), "0,013");
}

}  // namespace
}  // namespace vantor
