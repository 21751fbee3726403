#include "cli/reaction_text.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "common/fixed_format.h"

namespace vantor::cli {
namespace {

// Position of reaction i in a list of reaction numbers, or -1.
int64_t ListIndex(const int32_t* numbers, int32_t count, int32_t i) {
    for (int32_t n = 0; n < count; ++n)
        if (numbers[n] == i) return n;
    return -1;
}

std::string CoefficientText(double nu) {
    const double value = std::abs(nu);
    return value == 1.0 ? "" : FormatFull(value);
}

}  // namespace

std::string ReactionEquationText(const chem::Mechanism& mechanism, int32_t i) {
    const auto& L = mechanism.Layout();
    const int32_t* ick = mechanism.Ickwrk();
    const double* rck = mechanism.Rckwrk();
    const int64_t column = int64_t(i - 1) * L.MXSP;
    const int64_t real = ListIndex(ick + L.iRealNu, L.NREALNU, i);
    const auto coefficient = [&](int n) {
        return real >= 0 ? rck[L.rRealNu + real * L.MXSP + n] : double(ick[L.iStoich + column + n]);
    };

    // A side keeps its own three slots, then borrows the other side's, then the slots after the
    // sixth, so that order gives back the order of the equation.
    std::vector<std::pair<int, int>> order[2];  // (rank, slot)
    for (int n = 0; n < L.MXSP; ++n) {
        if (ick[L.iSlotSpecies + column + n] == 0) continue;
        const int side = coefficient(n) < 0.0 ? 0 : 1;
        const int rank = n >= 6 ? 2 : ((n < 3) == (side == 0) ? 0 : 1);
        order[side].emplace_back(rank, n);
    }
    std::string marker;
    if (const int64_t f = ListIndex(ick + L.iFallOff, L.NFALLOFF, i); f >= 0) {
        const int32_t bath = ick[L.iFallOffBath + f];
        marker = "(+" + (bath > 0 ? mechanism.SpeciesName(bath) : std::string("M")) + ")";
    } else if (ListIndex(ick + L.iThirdBody, L.NTHIRD, i) >= 0) {
        marker = "+M";
    }
    std::string sides[2];
    for (int side = 0; side < 2; ++side) {
        std::sort(order[side].begin(), order[side].end());
        for (const auto& [rank, n] : order[side]) {
            if (!sides[side].empty()) sides[side] += "+";
            sides[side] += CoefficientText(coefficient(n)) + mechanism.SpeciesName(ick[L.iSlotSpecies + column + n]);
        }
        sides[side] += marker;
    }
    const bool reversible = ick[L.iSpeciesCount + i - 1] > 0;
    return sides[0] + (reversible ? "<=>" : "=>") + sides[1];
}

}  // namespace vantor::cli
