// What the runs select: search semantics on mechanisms written for the purpose, agreement with
// the reference evaluation, repeatability, and the shared libraries' entries.

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <random>
#include <set>
#include <sstream>

#include "chemlib/mechanism.h"
#include "common/entry_abi.h"
#include "engine/common/mechanism_tables.h"
#include "engine/common/reduction_run.h"
#include "engine/kelda/pfa_coefficients.h"
#include "engine_test_support.h"
#include "reference_evaluation.h"

namespace vantor::engine {
namespace {

using namespace testing;

// S1 = S2 links two species; in S3 + S4 = S3 + S5 species S3 stands on both sides and is linked
// to nothing.
class SearchSemantics : public ::testing::Test {
protected:
    void SetUp() override { mech_ = CompileIsomerMechanism(dir_, {"S1", "S2", "S3", "S4", "S5"}, {"S1=S2", "S3+S4=S3+S5"}); }

    // One state; returns the kept species of its "Line" record ("" when the run failed).
    std::string Kept(Engine engine, double threshold, double ratio, const std::vector<int>& initial) {
        StandardData data(mech_);
        data.Case(1);
        if (!initial.empty()) data.Initial(initial);
        data.Point(kP, kT, kX).End().Write(dir_.Path("SAVE.dat"));
        if (RunEngine(engine, MakeJob(dir_, threshold, ratio)).result != 10208) return "";
        for (const std::string& line : Lines(Listing())) {
            if (line.rfind("Line", 0) == 0) return line.substr(18);
        }
        return "";
    }
    std::string Listing() const { return ReadFile(dir_.Path("Out.dat")); }
    std::string Trimmed() const { return ReadFile(dir_.Path("SP.TRM")); }

    // R(S1, S2) at the state: |q| / (|q| + epsilon) of the one reaction, from the library's rates.
    double R12() {
        chem::Mechanism mech;
        std::ostringstream msg;
        EXPECT_EQ(mech.Load(mech_.binPath, msg), 0);
        std::vector<double> y(5), wdot(5), qf(2), qr(2);
        mech.MoleToMassFractions(kX.data(), y.data());
        EXPECT_EQ(mech.ProductionRates(msg, kP, kT, y.data(), wdot.data(), qf.data(), qr.data()), 0);
        const double q = std::fabs(qf[0] - qr[0]);
        EXPECT_GT(q, 0.0);
        return q / (q + kEpsilonSource);
    }

    static constexpr double kP = 1013250.0, kT = 1200.0;
    const std::vector<double> kX = {0.5, 0.1, 0.2, 0.1, 0.1};
    TempDir dir_;
    CompiledMechanism mech_;
};

TEST_F(SearchSemantics, ChainsFromTheStartSpeciesAboveTheThreshold) {
    EXPECT_EQ(Kept(Engine::Kelda, 0.5, 0.0, {1, 3}), "    1    2    3");
    EXPECT_EQ(Trimmed(), "NOTE: Original SP#=    5  Trim SP#=    2  Keep SP#=    3\r\n    4    5\r\n");
    EXPECT_EQ(Kept(Engine::Morva, 0.98, 0.0, {1, 3}), "    1    2    3");
    // A threshold of 0: PFA keeps every coefficient above 0; ECF accepts no neighbour at all.
    EXPECT_EQ(Kept(Engine::Kelda, 0.0, 0.0, {1, 3}), "    1    2    3");
    EXPECT_EQ(Kept(Engine::Morva, 0.0, 0.0, {1, 3}), "    1    3");
    // No coefficient above the threshold: exactly the start set, and the rest is trimmed.
    EXPECT_EQ(Kept(Engine::Kelda, 10.0, 0.0, {1, 2, 3, 4, 5}), "    1    2    3    4    5");
    EXPECT_EQ(Trimmed(), "NOTE: Original SP#=    5  Trim SP#=    0  Keep SP#=    5\r\n\r\n");
}

TEST_F(SearchSemantics, ACoefficientEqualToTheThresholdDoesNotKeep) {
    const double r = R12();
    EXPECT_EQ(Kept(Engine::Kelda, r, 0.0, {1}), "    1");
    EXPECT_EQ(Kept(Engine::Kelda, std::nextafter(r, 0.0), 0.0, {1}), "    1    2");
}

TEST_F(SearchSemantics, HeatReleasePreselection) {
    // Nothing to start from: nothing is kept and every species is trimmed.
    EXPECT_EQ(Kept(Engine::Kelda, 0.5, 0.0, {}), "");
    EXPECT_NE(Listing().find(" ---Path Flux Calulation,HRRPreselcted F F F F F\r\n"
                             "---Run PFA, Presel #=       0 ,THRESHOLD=    0.500000E+00 ,HRR Ratio=    0.000000E+00\r\n"
                             "Line  1/21 [   0]:\r\n"),
              std::string::npos)
        << Listing();
    EXPECT_EQ(Trimmed(), "NOTE: Original SP#=    5  Trim SP#=    5  Keep SP#=    0\r\n    1    2    3    4    5\r\n");
    // Both reactions carry reaction enthalpy; with the whole share every slot species is marked.
    EXPECT_EQ(Kept(Engine::Kelda, 0.5, 1.5, {}), "    1    2    3    4    5");
    EXPECT_NE(Listing().find("HRRPreselcted T T T T T\r\n---Run PFA, Presel #=       5"), std::string::npos);
    EXPECT_NE(Listing().find(",HRR Ratio=    0.100000E+01\r\n"), std::string::npos);
}

// A reduction method on the reference evaluation, for comparing whole runs.
class ReferenceMethod : public ReductionMethod {
public:
    explicit ReferenceMethod(Engine engine) : engine_(engine) {}
    const EngineStatusCodes& Codes() const override { return engine_ == Engine::Kelda ? kKeldaStatus : kMorvaStatus; }
    std::unique_ptr<NeighbourSelector> MakeSelector(const MechanismTables&, double threshold) const override {
        if (engine_ == Engine::Kelda) return std::make_unique<ReferencePfaSelector>(threshold);
        return std::make_unique<ReferenceEcfSelector>(threshold);
    }

private:
    Engine engine_;
};

// A mechanism of 12 isomers with 24 different random reactions of one or two species a side.
CompiledMechanism RandomIsomerMechanism(const TempDir& dir) {
    std::mt19937 rng(31);
    std::uniform_int_distribution<int> species(1, 12), two(1, 2), exponent(8, 14), activation(0, 30000);
    std::vector<std::string> names, reactions;
    for (int k = 1; k <= 12; ++k) names.push_back(std::string("S").append(std::to_string(k)));
    std::set<std::set<std::multiset<int>>> seen;
    while (reactions.size() < 24) {
        const int n = two(rng);
        std::multiset<int> left, right;
        for (int j = 0; j < n; ++j) left.insert(species(rng)), right.insert(species(rng));
        if (left == right || !seen.insert({left, right}).second) continue;
        std::string equation;
        for (const int k : left) equation += (equation.empty() ? "" : "+") + names[static_cast<size_t>(k) - 1];
        equation += "=";
        for (const int k : right) equation += (equation.back() == '=' ? "" : "+") + names[static_cast<size_t>(k) - 1];
        reactions.push_back(equation + "   1.0E" + std::to_string(exponent(rng)) + " 0.0 " + std::to_string(activation(rng)));
    }
    return CompileIsomerMechanism(dir, names, reactions);
}

struct RunFiles {
    std::string listing, trimmed;
};

RunFiles RunWith(const TempDir& dir, const JobRecord& job, const ReductionMethod* reference, Engine engine) {
    int32_t status = 0;
    double progress = 0.0;
    const int32_t result = reference ? RunReduction(&job, &status, &progress, *reference)
                                     : EntryOf(engine)(&job, &status, &progress);
    EXPECT_EQ(result, 10208) << ReadFile(dir.Path("Out.dat"));
    return {ReadFile(dir.Path("Out.dat")), ReadFile(dir.Path("SP.TRM"))};
}

void ExpectSparseEqualsReference(const TempDir& dir, const CompiledMechanism& mech, Engine engine,
                                 const std::vector<double>& thresholds) {
    StandardData data(mech, 2);
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> amount(0.01, 1.0);
    for (int c = 1; c <= 2; ++c) {
        data.Case(c).Initial({1, 2});
        for (int p = 0; p < 4; ++p) {
            std::vector<double> x(static_cast<size_t>(mech.KK));
            for (double& v : x) v = amount(rng) * (amount(rng) < 0.3 ? 1e-6 : 1.0);
            data.Point(1013250.0 * c, 900.0 + 300.0 * p, x);
        }
    }
    data.End().Write(dir.Path("SAVE.dat"));
    const ReferenceMethod reference(engine);
    for (const double threshold : thresholds) {
        const JobRecord job = MakeJob(dir, threshold, 0.3);
        RunWith(dir, job, nullptr, engine);  // settles the "MXSP=" carried from the run before
        const RunFiles sparse = RunWith(dir, job, nullptr, engine);
        const RunFiles again = RunWith(dir, job, nullptr, engine);
        const RunFiles full = RunWith(dir, job, &reference, engine);
        EXPECT_EQ(sparse.listing, again.listing) << "threshold " << threshold;
        EXPECT_EQ(sparse.trimmed, again.trimmed) << "threshold " << threshold;
        EXPECT_EQ(sparse.listing, full.listing) << "threshold " << threshold;
        EXPECT_EQ(sparse.trimmed, full.trimmed) << "threshold " << threshold;
    }
}

TEST(ReferenceAgreement, RunsWriteTheSameFilesAsTheFullSums) {
    TempDir dir;
    const CompiledMechanism isomers = RandomIsomerMechanism(dir);
    ExpectSparseEqualsReference(dir, isomers, Engine::Kelda, {0.0, 1e-6, 1e-3, 0.04});
    ExpectSparseEqualsReference(dir, isomers, Engine::Morva, {0.0, 0.5, 0.98, 0.999999});
}

// The shared libraries as the task runner loads them: each with its own chemistry library, whose
// "MXSP=" of the previous run in the process shows in the next run's listing.
TEST(SharedLibraries, ExportTheEntriesAndCarryMxspFromRunToRun) {
    TempDir dir;
    const CompiledMechanism mech = CompileIsomerMechanism(dir, {"S1", "S2"}, {"S1=S2"});
    StandardData(mech).Case(1).Initial({1}).Point(1013250.0, 1000.0, {0.5, 0.5}).End().Write(dir.Path("SAVE.dat"));
    const JobRecord job = MakeJob(dir, 0.5, 0.0);
    for (const char* name : {"KELDA", "MORVA", "BRENA", "TOVIK"}) {
        void* library = ::dlopen((std::string(VANTOR_BIN_DIR) + "/lib" + name + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << ::dlerror();
        const auto entry = reinterpret_cast<EntryFunction>(::dlsym(library, name));
        ASSERT_NE(entry, nullptr) << name;
        for (const char* mxsp : {" MXSP= 0", " MXSP= 6"}) {
            JobRecord copy = job;
            int32_t status = -1;
            double progress = -1.0;
            EXPECT_EQ(entry(&copy, &status, &progress), 10208) << name;
            EXPECT_EQ(status, 0);
            EXPECT_EQ(progress, 9999.0);
            EXPECT_EQ(Lines(ReadFile(dir.Path("Out.dat")))[0], mxsp) << name;
        }
        ::dlclose(library);
    }
}

// A lumped reaction (real coefficients, eight species, so slots after the sixth) is in the
// tables with its real net coefficients: every species of it shares fluxes with the others.
TEST(MechanismTables, LumpedReactionLinksEverySpeciesWithItsRealCoefficients) {
    TempDir dir;
    const std::vector<std::string> names = {"S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8"};
    const CompiledMechanism compiled =
        CompileIsomerMechanism(dir, names, {"S1+S2=>0.4S3+0.3S4+0.3S5+0.25S6+0.25S7+0.5S8", "S1=S2"});
    chem::Mechanism mech;
    std::ostringstream msg;
    ASSERT_EQ(mech.Load(compiled.binPath, msg), 0) << msg.str();
    ASSERT_EQ(mech.Layout().MXSP, 8);
    MechanismTables tables;
    tables.Build(mech.Ickwrk(), mech.Rckwrk(), mech.Layout(), 8, 2);
    const double expected[] = {-1, -1, 0.4, 0.3, 0.3, 0.25, 0.25, 0.5};
    for (int32_t k = 1; k <= 8; ++k) {
        EXPECT_EQ(tables.StoichMatrix(k, 1), expected[k - 1]) << names[static_cast<size_t>(k) - 1];
        EXPECT_EQ(tables.SpeciesReactions(k).front().index, 1);
    }
    EXPECT_EQ(tables.Neighbours(8).size(), 7u);
    EXPECT_EQ(tables.SlotSpecies(1).size(), 8u);  // what the heat-release preselection marks
    EXPECT_EQ(tables.StoichMatrix(2, 2), 1.0);
}

}  // namespace
}  // namespace vantor::engine
