// DRG and DRGEP on a branch computed by hand, the user's target list, and their bad input.
//
// S1 => S2 and S1 => S3 at equal rates q, S3 => S4 at q/2 ([S3] = [S1] / 2), S1 the only initial
// species. DRG: r(S1,S2) = r(S1,S3) = 1/2, r(S3,S4) = (q/2) / (q + q/2) = 1/3.
// DRGEP: the same direct coefficients from S1, r(S3,S4) = (q/2) / max(q, q/2) = 1/2, so the
// path S1 -> S3 -> S4 gives R = 1/4.

#include <gtest/gtest.h>

#include "engine/common/engine_status.h"
#include "engine_test_support.h"

namespace vantor::engine {
namespace {

using namespace testing;

class TargetSearch : public ::testing::Test {
protected:
    void SetUp() override {
        mech_ = CompileIsomerMechanism(dir_, {"S1", "S2", "S3", "S4"}, {"S1=>S2", "S1=>S3", "S3=>S4"});
        StandardData(mech_).Case(1).Initial({1}).Point(1013250.0, 1200.0, {0.4, 0.1, 0.2, 0.3}).End().Write(
            dir_.Path("SAVE.dat"));
        WriteFile(dir_.Path("SP.TRM"), "old\r\n");
    }
    EngineRun Run(Engine engine, double threshold) { return RunEngine(engine, MakeJob(dir_, threshold, 0.0)); }
    // The kept species of the one state ("" when the run failed).
    std::string Kept(Engine engine, double threshold) {
        if (Run(engine, threshold).result != 10208) return "";
        for (const std::string& line : Lines(Listing()))
            if (line.rfind("Line", 0) == 0) return line.substr(18);
        return "";
    }
    std::string Listing() const { return ReadFile(dir_.Path("Out.dat")); }

    TempDir dir_;
    CompiledMechanism mech_;
};

TEST_F(TargetSearch, DrgFollowsEveryEdgeAboveTheThresholdDrgepThePathProducts) {
    EXPECT_EQ(Kept(Engine::Brena, 0.3), "    1    2    3    4");  // 1/3 > 0.3
    EXPECT_EQ(Kept(Engine::Tovik, 0.3), "    1    2    3");       // 1/4 < 0.3
    EXPECT_EQ(Kept(Engine::Brena, 0.4), "    1    2    3");
    EXPECT_EQ(Kept(Engine::Tovik, 0.2), "    1    2    3    4");
    EXPECT_EQ(Kept(Engine::Brena, 0.5), "    1");  // strictly above for DRG
    EXPECT_EQ(Kept(Engine::Tovik, 0.5), "    1    2    3");  // DRGEP keeps what reaches it
    EXPECT_EQ(ReadFile(dir_.Path("SP.TRM")), "NOTE: Original SP#=    4  Trim SP#=    1  Keep SP#=    3\r\n    4\r\n");
    // Every coefficient reaches a threshold of 0.
    EXPECT_EQ(Kept(Engine::Tovik, 0.0), "    1    2    3    4");
}

TEST_F(TargetSearch, UserTargetsJoinTheStartAndTheListingNamesThem) {
    WriteFile(dir_.Path("SP.TGT"), "s4 ! a product to keep\r\n\r\n");
    EXPECT_EQ(Kept(Engine::Tovik, 0.3), "    1    2    3    4");
    EXPECT_NE(Listing().find(" Target species of case 2: S1 S4\r\n"), std::string::npos) << Listing();
    // From S4, r(S4,S3) = 1: DRG follows it, DRGEP scales it by S4's share of the element flux
    // made at the state (S2 q, S3 q/2, S4 q/2), (q/2) / 2q = 1/4.
    EXPECT_EQ(Kept(Engine::Brena, 0.6), "    1    3    4");
    EXPECT_EQ(Kept(Engine::Tovik, 0.6), "    1    4");
}

TEST_F(TargetSearch, BadThresholdOrTargetFailsAndKeepsTheTrimmedFile) {
    struct Case {
        Engine engine;
        double threshold;
        std::string targets;
        int32_t EngineStatusCodes::*status;
        std::string text;
    };
    const Case cases[] = {
        {Engine::Brena, 1.5, "", &EngineStatusCodes::thresholdRange, "* ERROR: Threshold 1.5 is outside 0 to 1."},
        {Engine::Tovik, -0.01, "", &EngineStatusCodes::thresholdRange, "* ERROR: Threshold -0.01 is outside 0 to 1."},
        {Engine::Tovik, 0.1, "S1\r\nS2, CH4\r\n", &EngineStatusCodes::unknownTarget,
         "* ERROR: target species CH4 (" + dir_.Path("SP.TGT") + ", line 2) is not in the mechanism."},
    };
    for (const Case& c : cases) {
        WriteFile(dir_.Path("SP.TGT"), c.targets);
        const EngineRun run = Run(c.engine, c.threshold);
        const EngineStatusCodes& codes = c.engine == Engine::Brena ? kBrenaStatus : kTovikStatus;
        EXPECT_EQ(run.status, codes.*c.status) << Listing();
        EXPECT_EQ(run.result, 0);
        EXPECT_NE(Listing().find(c.text), std::string::npos) << Listing();
        EXPECT_EQ(ReadFile(dir_.Path("SP.TRM")), "old\r\n");
    }
}

}  // namespace
}  // namespace vantor::engine
