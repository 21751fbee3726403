#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "engine/common/state_fluxes.h"
#include "engine/kelda/pfa_coefficients.h"
#include "engine/morva/ecf_selection.h"
#include "reference_evaluation.h"

namespace vantor::engine {
namespace {

using testing::BuildTables;
using testing::ReferenceSums;
using Reactions = std::vector<std::vector<std::pair<int, int>>>;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Random reactions of up to three species a side, repeats and both-side species included.
Reactions RandomReactions(std::mt19937& rng, int NS, int NR) {
    std::uniform_int_distribution<int> species(1, NS), count(1, 3), coefficient(1, 2);
    Reactions reactions(static_cast<size_t>(NR));
    for (auto& slots : reactions) {
        const int reactants = count(rng), products = count(rng);
        for (int n = 0; n < 6; ++n) {
            const bool used = n < 3 ? n < reactants : n - 3 < products;
            slots.push_back(used ? std::make_pair(n < 3 ? -coefficient(rng) : coefficient(rng), species(rng))
                                 : std::make_pair(0, 0));
        }
    }
    return reactions;
}

// Net rates of many magnitudes and both signs, some exactly 0; `huge` adds overflowing ones.
std::vector<double> RandomRates(std::mt19937& rng, int NR, bool huge) {
    std::uniform_real_distribution<double> exponent(-20.0, 5.0), unit(0.0, 1.0);
    std::vector<double> qf(static_cast<size_t>(NR)), qr(static_cast<size_t>(NR), 0.0);
    for (double& q : qf) {
        const double u = unit(rng);
        q = u < 0.15 ? 0.0 : (u < 0.55 ? -1.0 : 1.0) * std::pow(10.0, exponent(rng));
        if (huge && u > 0.9) q = std::copysign(1.5e308, q);
    }
    return qf;
}

void ExpectRowsMatchReference(const Reactions& reactions, int NS, const std::vector<double>& qf) {
    const MechanismTables tables = BuildTables(NS, reactions);
    const std::vector<double> qr(qf.size(), 0.0);
    StateFluxes fluxes(tables);
    fluxes.Compute(qf.data(), qr.data());
    std::vector<double> q(qf.size() + 1, 0.0);
    for (size_t i = 0; i < qf.size(); ++i) q[i + 1] = qf[i];
    const ReferenceSums sums(tables, q);
    PfaCoefficients pfa(NS);
    pfa.BeginState(fluxes);
    for (int32_t a = 1; a <= NS; ++a) {
        pfa.ComputeInteractionCoefficients(a);
        const testing::PfaRow ref = testing::ReferencePfaRow(sums, a);
        for (int32_t b = 1; b <= NS; ++b) {
            if (b == a) continue;
            const size_t bi = static_cast<size_t>(b);
            ASSERT_TRUE(SameBits(pfa.Con1(b), ref.con1[bi]) && SameBits(pfa.Pro1(b), ref.pro1[bi]) &&
                        SameBits(pfa.Con2(b), ref.con2[bi]) && SameBits(pfa.Pro2(b), ref.pro2[bi]) &&
                        SameBits(pfa.R(b), ref.r[bi]))
                << "A=" << a << " B=" << b << " R=" << pfa.R(b) << " reference " << ref.r[bi];
        }
    }
}

std::vector<int32_t> Indices(auto entries) {
    std::vector<int32_t> out;
    for (const auto& e : entries) out.push_back(e.index);
    return out;
}

TEST(MechanismTables, NetCoefficientsDecideWhichSpeciesShareAReaction) {
    // 1: S1 + S2 = S3;  2: S1 + S3 = S1 + S4 (S1 on both sides);  3: S1 + S1 = S2;
    // 4: a slot naming species 9 of 4 is skipped.
    const MechanismTables t = BuildTables(4, {{{-1, 1}, {-1, 2}, {0, 0}, {1, 3}, {0, 0}, {0, 0}},
                                              {{-1, 1}, {-1, 3}, {0, 0}, {1, 1}, {1, 4}, {0, 0}},
                                              {{-1, 1}, {-1, 1}, {0, 0}, {1, 2}, {0, 0}, {0, 0}},
                                              {{-1, 9}, {0, 0}, {0, 0}, {1, 4}, {0, 0}, {0, 0}}});
    EXPECT_EQ(t.StoichMatrix(1, 2), 0);
    EXPECT_EQ(t.StoichMatrix(1, 3), -2);
    EXPECT_EQ(Indices(t.SpeciesReactions(1)), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(Indices(t.SpeciesReactions(4)), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(std::vector<int32_t>(t.Neighbours(1).begin(), t.Neighbours(1).end()), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(std::vector<int32_t>(t.Neighbours(4).begin(), t.Neighbours(4).end()), (std::vector<int32_t>{3}));
    EXPECT_EQ(std::vector<int32_t>(t.SlotSpecies(2).begin(), t.SlotSpecies(2).end()), (std::vector<int32_t>{1, 3, 1, 4}));
}

TEST(PfaCoefficients, SparseSumsEqualTheFullSumsBitForBit) {
    std::mt19937 rng(20240601);
    for (int trial = 0; trial < 40; ++trial) {
        const int NS = 4 + trial % 12, NR = 3 + 2 * (trial % 15);
        ExpectRowsMatchReference(RandomReactions(rng, NS, NR), NS, RandomRates(rng, NR, false));
    }
}

TEST(PfaCoefficients, OverflowingFluxesAreEvaluatedTermByTerm) {
    std::mt19937 rng(7);
    int overflowed = 0;
    for (int trial = 0; trial < 10; ++trial) {
        const Reactions reactions = RandomReactions(rng, 8, 20);
        const std::vector<double> qf = RandomRates(rng, 20, true);
        const MechanismTables tables = BuildTables(8, reactions);
        StateFluxes fluxes(tables);
        const std::vector<double> qr(qf.size(), 0.0);
        fluxes.Compute(qf.data(), qr.data());
        if (fluxes.AllFinite()) continue;
        ++overflowed;
        ExpectRowsMatchReference(reactions, 8, qf);
    }
    EXPECT_GT(overflowed, 0);
}

TEST(PfaCoefficients, TwoSpeciesAndSpeciesWithoutFlux) {
    // A = B only: the first generation is 1 up to epsilon, and there is no second generation.
    const MechanismTables ab = BuildTables(2, {{{-1, 1}, {0, 0}, {0, 0}, {1, 2}, {0, 0}, {0, 0}}});
    StateFluxes fluxes(ab);
    const double qf = 2.5e-3, qr = 0.0;
    fluxes.Compute(&qf, &qr);
    PfaCoefficients pfa(2);
    pfa.BeginState(fluxes);
    pfa.ComputeInteractionCoefficients(1);
    EXPECT_NEAR(pfa.Pro1(2) + pfa.Con1(2), 1.0, 1e-9);
    EXPECT_EQ(pfa.Pro2(2) + pfa.Con2(2), 0.0);
    // With no net rate nothing links the two species.
    const double zero = 0.0;
    fluxes.Compute(&zero, &zero);
    pfa.BeginState(fluxes);
    pfa.ComputeInteractionCoefficients(1);
    EXPECT_EQ(pfa.R(2), 0.0);
}

TEST(EcfSelection, EqualsTheSelectionSortOverAllSpecies) {
    std::mt19937 rng(99);
    for (int trial = 0; trial < 30; ++trial) {
        const int NS = 5 + trial % 10, NR = 4 + trial % 17;
        const MechanismTables tables = BuildTables(NS, RandomReactions(rng, NS, NR));
        const std::vector<double> qf = RandomRates(rng, NR, trial % 5 == 0), qr(qf.size(), 0.0);
        StateFluxes fluxes(tables);
        fluxes.Compute(qf.data(), qr.data());
        std::vector<double> q(qf.size() + 1, 0.0);
        std::copy(qf.begin(), qf.end(), q.begin() + 1);
        for (const double threshold : {-1.0, 0.0, 0.3, 0.98, 5.0}) {
            EcfSelector ecf(threshold);
            ecf.BeginState(fluxes);
            for (int32_t a = 1; a <= NS; ++a) {
                std::vector<uint8_t> kept(static_cast<size_t>(NS) + 1, 0), refKept = kept;
                kept[static_cast<size_t>(a)] = refKept[static_cast<size_t>(a)] = 1;
                std::vector<int32_t> next, refNext;
                ecf.SelectFrom(a, kept, next);
                std::vector<double> con, pro;
                testing::ReferenceEcfCoefficients(ReferenceSums(tables, q), a, con, pro);
                testing::ReferenceEcfPass(con, a, threshold, refKept, refNext);
                testing::ReferenceEcfPass(pro, a, threshold, refKept, refNext);
                ASSERT_EQ(next, refNext) << "trial " << trial << " A=" << a << " threshold " << threshold;
                if (threshold <= 0.0) {
                    EXPECT_TRUE(next.empty());
                }
            }
        }
    }
}

TEST(EcfSelection, EqualCoefficientsGoInSpeciesOrderAndTinyOnesArePassedOver) {
    // Species 1 is consumed equally towards 3 and 2, and towards 4 by a rate 1e-11 of the total.
    const MechanismTables tables = BuildTables(4, {{{-1, 1}, {0, 0}, {0, 0}, {1, 3}, {0, 0}, {0, 0}},
                                                   {{-1, 1}, {0, 0}, {0, 0}, {1, 2}, {0, 0}, {0, 0}},
                                                   {{-1, 1}, {0, 0}, {0, 0}, {1, 4}, {0, 0}, {0, 0}}});
    StateFluxes fluxes(tables);
    const double qf[3] = {1.0, 1.0, 2e-11}, qr[3] = {0.0, 0.0, 0.0};
    fluxes.Compute(qf, qr);
    const auto select = [&](double threshold) {
        EcfSelector ecf(threshold);
        ecf.BeginState(fluxes);
        std::vector<uint8_t> kept = {0, 1, 0, 0, 0};
        std::vector<int32_t> next;
        ecf.SelectFrom(1, kept, next);
        return next;
    };
    EXPECT_EQ(select(0.4), (std::vector<int32_t>{2}));        // 0.5 reaches the threshold at once
    EXPECT_EQ(select(0.6), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(select(100.0), (std::vector<int32_t>{2, 3}));  // 1e-11 of the total is passed over
}

}  // namespace
}  // namespace vantor::engine
