// Thermodynamic functions from the species' polynomial fits, composition conversions and the
// enthalpy change of a reaction.

#include <cmath>

#include "chemlib/chemistry_library.h"

namespace vantor::chem {
namespace {

// The coefficients a1 ... a(NPOLY+2) of species k's range for temperature T: one range above
// the first for every interior fit temperature below T, so T equal to a fit temperature takes the
// lower range.
const double* RangeCoefficients(const MechanismLayout& L, const int32_t* ickwrk, const double* rckwrk, int32_t k,
                                double T) {
    const int32_t fitTemps = ickwrk[L.iFitTempCount + k];
    const double* fit = rckwrk + L.rFitTemps + int64_t(k) * L.MXTEMP;
    int64_t range = 0;
    for (int32_t j = 1; j < fitTemps - 1; ++j) {
        if (T > fit[j]) ++range;
    }
    return rckwrk + L.rPolynomials + (int64_t(k) * (L.MXTEMP - 1) + range) * (int64_t(L.NPOLY) + 2);
}

}  // namespace

void ChemistryLibrary::BuildTemperatureTerms(double T, bool entropy) {
    double power = 1.0;  // T^(j-1)
    for (size_t j = 1; j <= terms_.size(); ++j) {
        if (j == 1) {
            terms_[0] = entropy ? std::log(T) - 1.0 : 1.0;
        } else {
            power *= T;
            const double jd = static_cast<double>(j);
            terms_[j - 1] = entropy ? power / (jd * (jd - 1.0)) : power / jd;
        }
    }
}

void ChemistryLibrary::SpeciesEnthalpies(double T, const int32_t* ickwrk, const double* rckwrk, double* H) {
    BuildTemperatureTerms(T, false);
    const MechanismLayout& L = layout_;
    const double RUT = kGasConstant * T;
    for (int32_t k = 0; k < tables_.KK; ++k) {
        const double* a = RangeCoefficients(L, ickwrk, rckwrk, k, T);
        double sum = 0.0;
        for (int32_t j = 0; j < L.NPOLY; ++j) sum += a[j] * terms_[j];
        H[k] = RUT * (sum + a[L.NPOLY] / T);
    }
}

void ChemistryLibrary::EntropyMinusEnthalpy(double T, const int32_t* ickwrk, const double* rckwrk, double* SMH) {
    BuildTemperatureTerms(T, true);
    const MechanismLayout& L = layout_;
    // a6/T as a6 (1/T): one division instead of one per species (within an ulp of the quotient).
    const double inverseT = 1.0 / T;
    if (L.NPOLY == 5) {
        // The seven-coefficient fits with the terms in registers (the stores to SMH could otherwise
        // alias them), summed in the same order.
        const double t0 = terms_[0], t1 = terms_[1], t2 = terms_[2], t3 = terms_[3], t4 = terms_[4];
        for (int32_t k = 0; k < tables_.KK; ++k) {
            const double* a = RangeCoefficients(L, ickwrk, rckwrk, k, T);
            double sum = 0.0;
            sum += a[0] * t0;
            sum += a[1] * t1;
            sum += a[2] * t2;
            sum += a[3] * t3;
            sum += a[4] * t4;
            SMH[k] = sum + a[6] - a[5] * inverseT;
        }
        return;
    }
    for (int32_t k = 0; k < tables_.KK; ++k) {
        const double* a = RangeCoefficients(L, ickwrk, rckwrk, k, T);
        double sum = 0.0;
        for (int32_t j = 0; j < L.NPOLY; ++j) sum += a[j] * terms_[j];
        SMH[k] = sum + a[L.NPOLY + 1] - a[L.NPOLY] * inverseT;
    }
}

void ChemistryLibrary::SpeciesHeatCapacities(double T, const int32_t* ickwrk, const double* rckwrk, double* CpOverR) {
    double power = 1.0;
    for (double& term : terms_) {
        term = power;
        power *= T;
    }
    const MechanismLayout& L = layout_;
    for (int32_t k = 0; k < tables_.KK; ++k) {
        const double* a = RangeCoefficients(L, ickwrk, rckwrk, k, T);
        double sum = 0.0;
        for (int32_t j = 0; j < L.NPOLY; ++j) sum += a[j] * terms_[j];
        CpOverR[k] = sum;
    }
}

void ChemistryLibrary::ReactionEnthalpyChange(int32_t I, const double* H, const int32_t*, const double* rckwrk,
                                              double& DH) const {
    DH = 0.0;
    if (I < 1 || I > tables_.II) return;
    const int32_t i = I - 1;
    for (int32_t s = tables_.slotBegin[i]; s < tables_.slotBegin[i + 1]; ++s) {
        DH += tables_.slotCoefficients[s] * H[tables_.slotSpecies[s]];
    }
    for (const RealStoichEntry& entry : tables_.realStoich) {
        if (entry.reaction != i) continue;
        for (int32_t s = entry.begin; s < entry.end; ++s) {
            const SlotSpecies& slot = tables_.realSlots[s];
            const double nu = rckwrk[entry.coefficients + slot.slot];
            if (nu > layout_.COEFMIN) DH += nu * H[slot.species];
        }
    }
}

void ChemistryLibrary::MoleToMassFractions(const double* X, const int32_t*, const double* rckwrk, double* Y) const {
    const double* W = rckwrk + layout_.rMolecularWeights;
    double sum = 0.0;
    for (int32_t k = 0; k < tables_.KK; ++k) sum += X[k] * W[k];
    for (int32_t k = 0; k < tables_.KK; ++k) Y[k] = X[k] * W[k] / sum;
}

void ChemistryLibrary::MassFractionsToConcentrations(double P, const double* T, const double* Y, const int32_t*,
                                                     const double* rckwrk, double* C) const {
    const double* W = rckwrk + layout_.rMolecularWeights;
    double sum = 0.0;
    for (int32_t k = 0; k < tables_.KK; ++k) {
        C[k] = Y[k] / W[k];
        sum += C[k];
    }
    const double scale = P / (kGasConstant * T[0] * sum);
    for (int32_t k = 0; k < tables_.KK; ++k) C[k] *= scale;
}

}  // namespace vantor::chem
