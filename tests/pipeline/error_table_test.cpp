// The comparison's error table: rows with every digit, quoted mixtures, and group summaries
// that a case igniting with one mechanism only turns into "fails".

#include <gtest/gtest.h>

#include "app/core/pipeline/error_table.h"
#include "common/fixed_format.h"

namespace vantor {
namespace {

CaseResult Case(double p, double t, std::optional<double> delay) {
    CaseResult c;
    c.pressureAtm = p;
    c.temperatureK = t;
    c.delay = delay;
    c.ignited = delay.has_value();
    return c;
}

TEST(ErrorTable, RowsThenWorstAndMeanPerPressureAndMixture) {
    // Two mixtures of two cases each (one pressure, two temperatures), then a second pressure's cases.
    const std::vector<CaseResult> detailed = {Case(1, 1000, 0.1), Case(1, 1200, 0.2), Case(2.5, 1000, 0.4),
                                              Case(2.5, 1200, std::nullopt)};
    const std::vector<CaseResult> reduced = {Case(1, 1000, 0.11), Case(1, 1200, 0.19), Case(2.5, 1000, 0.4),
                                             Case(2.5, 1200, 1e-3)};
    const std::string text = ErrorTableText(detailed, reduced, {"CH4 1, O2 2", "H2 \"lean\""}, 2);
    const double e1 = (0.11 - 0.1) / 0.1 * 100.0, e2 = (0.19 - 0.2) / 0.2 * 100.0;
    const std::string d1 = FormatFull(e1), d2 = FormatFull(e2), mean = FormatFull((e1 - e2) / 2);
    ASSERT_GT(d1.size(), 10u);  // all the digits, not a rounded 10
    EXPECT_EQ(text, "case,mixture,P atm,T K,detailed delay s,reduced delay s,difference %\n"
                    "1,\"CH4 1, O2 2\",1,1000,0.1,0.11," + d1 + "\n"
                    "2,\"CH4 1, O2 2\",1,1200,0.2,0.19," + d2 + "\n"
                    "3,\"H2 \"\"lean\"\"\",2.5,1000,0.4,0.4,0\n"
                    "4,\"H2 \"\"lean\"\"\",2.5,1200,no ignition,0.001,fails\n"
                    "\ngroup,value,worst |difference| %,mean |difference| %\n"
                    "P atm,1," + d1 + "," + mean + "\n"
                    "P atm,2.5,fails,fails\n"
                    "mixture,\"CH4 1, O2 2\"," + d1 + "," + mean + "\n"
                    "mixture,\"H2 \"\"lean\"\"\",fails,fails\n");
}

}  // namespace
}  // namespace vantor
