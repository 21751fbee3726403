#include "outside/pellor/diffusion_fits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "common/entry_abi.h"

namespace vantor::pellor {
namespace {

// Share of the progress for the fits of the distinct potentials; the rest fills the pairs.
constexpr double kPotentialShare = 90.0;

// Index of the distinct potential of each species, with one species standing for each.
struct PotentialGroups {
    std::vector<size_t> groupOf;
    std::vector<size_t> representative;
};

// The parameters CombinedPotential reads: species equal in all of them combine alike with any other.
PotentialGroups GroupByPotential(const std::vector<SpeciesTransport>& species) {
    PotentialGroups groups;
    std::map<std::array<double, 4>, size_t> index;
    for (size_t k = 0; k < species.size(); ++k) {
        const auto& p = species[k].parameters;
        const auto [it, added] = index.try_emplace(
            {p.wellDepth, p.collisionDiameter, p.dipoleMoment, p.polarizability}, groups.representative.size());
        if (added) groups.representative.push_back(k);
        groups.groupOf.push_back(it->second);
    }
    return groups;
}

size_t PairIndex(size_t a, size_t b) {
    if (a > b) std::swap(a, b);
    return b * (b + 1) / 2 + a;
}

}  // namespace

DiffusionFits FitBinaryDiffusion(const std::vector<SpeciesTransport>& species, const std::vector<double>& temperatures,
                                 const LogPolynomialFitter& fitter, double pressure, double* progress) {
    const auto no = static_cast<size_t>(fitter.Count());
    const size_t kk = species.size();
    const PotentialGroups groups = GroupByPotential(species);
    const size_t count = groups.representative.size();

    // Fits of -ln(sigma^2 Omega) for every pair of distinct potentials.
    DiffusionFits fits;
    std::vector<double> potentialFits(no * count * (count + 1) / 2);
    std::vector<double> logs(temperatures.size());
    for (size_t b = 0; b < count; ++b) {
        const auto& pb = species[groups.representative[b]].parameters;
        for (size_t a = 0; a <= b; ++a) {
            const PairPotential pair = CombinedPotential(species[groups.representative[a]].parameters, pb);
            for (size_t i = 0; i < temperatures.size(); ++i) {
                logs[i] = -std::log(DiffusionCrossSection(pair, temperatures[i]));
            }
            double* c = &potentialFits[no * PairIndex(a, b)];
            fitter.FitLogs(logs.data(), c);
            fits.largestDeviation = std::max(fits.largestDeviation, fitter.LargestDeviation(logs.data(), c));
        }
        if (progress) {
            StoreProgress(progress, kPotentialShare * static_cast<double>((b + 1) * (b + 2)) / (count * (count + 1.0)));
        }
    }

    // Every pair both ways, so that the (large) array is written in order.
    fits.coefficients.reserve(no * kk * kk);
    for (size_t k = 0; k < kk; ++k) {
        for (size_t j = 0; j < kk; ++j) {
            const double* c = &potentialFits[no * PairIndex(groups.groupOf[j], groups.groupOf[k])];
            fits.coefficients.push_back(c[0] + std::log(DiffusionMassFactor(species[j], species[k], pressure)));
            fits.coefficients.push_back(c[1] + 1.5);
            fits.coefficients.insert(fits.coefficients.end(), c + 2, c + no);
        }
        if (progress) StoreProgress(progress, kPotentialShare + (100.0 - kPotentialShare) * (k + 1.0) / kk);
    }
    return fits;
}

}  // namespace vantor::pellor
