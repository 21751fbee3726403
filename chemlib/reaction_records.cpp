// The optional reaction records of a mechanism binary: reverse parameters, fall-off, third
// bodies, Landau-Teller, wavelengths, electron impact, Janev-Langer-Evans-Post, Fit # 1,
// excitation, real coefficients and orders. Each is present only when its count is at least 1.

#include <cstdlib>
#include <string>

#include "chemlib/binary_load.h"

namespace vantor::chem {
namespace {

// Fall-off parameters each form reads: low-pressure (or, chemically activated, high-pressure)
// A, b, E/R and the form's own.
int32_t FallOffParametersNeeded(int32_t form) {
    switch (form) {
        case 1: return 3;   // Lindemann
        case 2: return 8;   // SRI: a, b, c, d, e
        case 3: return 6;   // Troe: a, T***, T*
        default: return 7;  // Troe: a, T***, T*, T**
    }
}

std::string Entry(int32_t l) { return "entry " + std::to_string(l + 1) + ": "; }

}  // namespace

std::string MechanismBinaryLoad::ReactionNumber(RecordCursor& c, int32_t l, int64_t store) {
    const int32_t i = c.Int();
    const int32_t II = lib_.layout_.II;
    if (i < 1 || i > II) {
        return Entry(l) + "reaction number " + std::to_string(i) + " outside 1.." + std::to_string(II);
    }
    ick_[store + l] = i;
    return {};
}

int32_t MechanismBinaryLoad::ReadEntries(LoadError flag, int32_t count, int64_t entryBytes, const EntryReader& entry) {
    if (count < 1) return kLoadOk;
    if (mech_.Next(record_) != RecordStatus::Ok) return Fail(flag, "the record cannot be read");
    const int64_t expected = entryBytes * count;
    if (int64_t(record_.size()) < expected) return Fail(flag, ShortRecord(expected));
    RecordCursor c(record_);
    for (int32_t l = 0; l < count; ++l) {
        if (const std::string problem = entry(c, l); !problem.empty()) return Fail(flag, problem);
    }
    return kLoadOk;
}

int32_t MechanismBinaryLoad::ReadOptionalRecords() {
    const MechanismLayout& L = lib_.layout_;
    // Reaction number, then `reals` values into the block at `values` with rows of `row`.
    const auto numbersAndReals = [this](int64_t numbers, int64_t values, int64_t row, int32_t reals) {
        return [this, numbers, values, row, reals](RecordCursor& c, int32_t l) {
            std::string problem = ReactionNumber(c, l, numbers);
            for (int32_t j = 0; j < reals; ++j) rck_[values + l * row + j] = c.Real();
            return problem;
        };
    };
    const int64_t arrheniusRow = int64_t(L.NPARAM) + 1;

    int32_t flag = ReadEntries(kLoadReverse, L.NREVPAR, 4 + 8 * int64_t(L.NPARAM),
                               numbersAndReals(L.iReverse, L.rReverse, arrheniusRow, L.NPARAM));
    if (flag != kLoadOk) return flag;

    flag = ReadEntries(kLoadFallOff, L.NFALLOFF, 12 + 8 * int64_t(L.NFALPAR), [&](RecordCursor& c, int32_t l) {
        if (std::string problem = ReactionNumber(c, l, L.iFallOff); !problem.empty()) return problem;
        const int32_t form = c.Int(), bath = c.Int();
        const int32_t base = form > kChemicallyActivatedForm ? form - kChemicallyActivatedForm : form;
        if (base < 1 || base > 4) {
            return Entry(l) + "fall-off form " + std::to_string(form) + " outside 1..4 and 11..14";
        }
        if (L.NFALPAR < FallOffParametersNeeded(base)) {
            return Entry(l) + "fall-off form " + std::to_string(form) + " needs " +
                   std::to_string(FallOffParametersNeeded(base)) + " parameters, NFALPAR is " +
                   std::to_string(L.NFALPAR);
        }
        if (bath < 0 || bath > L.KK) {
            return Entry(l) + "bath species " + std::to_string(bath) + " outside 0.." + std::to_string(L.KK);
        }
        ick_[L.iFallOffForm + l] = form;
        ick_[L.iFallOffBath + l] = bath;
        for (int32_t j = 0; j < L.NFALPAR; ++j) rck_[L.rFallOff + int64_t(l) * L.NFALPAR + j] = c.Real();
        return std::string();
    });
    if (flag != kLoadOk) return flag;

    flag = ReadEntries(kLoadThirdBody, L.NTHIRD, 8 + 12 * int64_t(L.MXTHIRD), [&](RecordCursor& c, int32_t l) {
        if (std::string problem = ReactionNumber(c, l, L.iThirdBody); !problem.empty()) return problem;
        const int32_t count = c.Int();
        if (count < 0 || count > L.MXTHIRD) {
            return Entry(l) + std::to_string(count) + " enhanced third bodies, outside 0.." + std::to_string(L.MXTHIRD);
        }
        ick_[L.iThirdBodyCount + l] = count;
        for (int32_t j = 0; j < L.MXTHIRD; ++j) {
            const int64_t at = int64_t(l) * L.MXTHIRD + j;
            const int32_t k = c.Int();
            const int32_t lowest = j < count ? 1 : 0;  // an enhanced species must be named
            if (k < lowest || k > L.KK) {
                return Entry(l) + "third-body species " + std::to_string(k) + " outside " + std::to_string(lowest) +
                       ".." + std::to_string(L.KK);
            }
            ick_[L.iThirdBodySpecies + at] = k;
            rck_[L.rThirdBodyEff + at] = c.Real();
        }
        return std::string();
    });
    if (flag != kLoadOk) return flag;

    flag = ReadEntries(kLoadLandauTeller, L.NLT, 4 + 8 * int64_t(L.NLTPAR),
                       numbersAndReals(L.iLandauTeller, L.rLandauTeller, L.NLTPAR, L.NLTPAR));
    if (flag != kLoadOk) return flag;
    flag = ReadEntries(kLoadRevLandauTeller, L.NREVLT, 4 + 8 * int64_t(L.NLTPAR),
                       numbersAndReals(L.iRevLandauTeller, L.rRevLandauTeller, L.NLTPAR, L.NLTPAR));
    if (flag != kLoadOk) return flag;
    flag = ReadEntries(kLoadWavelength, L.NWAVE, 12, numbersAndReals(L.iWave, L.rWave, 1, 1));
    if (flag != kLoadOk) return flag;

    flag = ReadEntries(kLoadElectronImpact, L.NEIMP, 8, [&](RecordCursor& c, int32_t l) {
        if (std::string problem = ReactionNumber(c, l, L.iElectronImpact); !problem.empty()) return problem;
        const int32_t index = c.Int();
        if (index < 1) return Entry(l) + "temperature index " + std::to_string(index) + " below 1";
        ick_[L.iElectronTempIndex + l] = index;
        return std::string();
    });
    if (flag != kLoadOk) return flag;

    flag = ReadEntries(kLoadJlep, L.NJLEP, 4 + 8 * int64_t(L.NJLEPPAR),
                       numbersAndReals(L.iJlep, L.rJlep, L.NJLEPPAR, L.NJLEPPAR));
    if (flag != kLoadOk) return flag;
    flag = ReadEntries(kLoadFit1, L.NFIT1, 4 + 8 * int64_t(L.NFIT1PAR),
                       numbersAndReals(L.iFit1, L.rFit1, L.NFIT1PAR, L.NFIT1PAR));
    if (flag != kLoadOk) return flag;
    flag = ReadEntries(kLoadExcitation, L.NEXCIT, 12, numbersAndReals(L.iExcite, L.rExcite, 1, 1));
    if (flag != kLoadOk) return flag;
    flag = ReadEntries(kLoadRealStoich, L.NREALNU, 4 + 8 * int64_t(L.MXSP),
                       numbersAndReals(L.iRealNu, L.rRealNu, L.MXSP, L.MXSP));
    if (flag != kLoadOk) return flag;

    return ReadEntries(kLoadOrders, L.NORDER, 4 + 12 * int64_t(L.MXORDER), [&](RecordCursor& c, int32_t l) {
        if (std::string problem = ReactionNumber(c, l, L.iOrder); !problem.empty()) return problem;
        for (int32_t j = 0; j < L.MXORDER; ++j) {
            const int64_t at = int64_t(l) * L.MXORDER + j;
            const int32_t q = c.Int();
            if (std::llabs(q) > L.KK) {
                return Entry(l) + "order species " + std::to_string(q) + " outside -" + std::to_string(L.KK) + ".." +
                       std::to_string(L.KK);
            }
            ick_[L.iOrderSpecies + at] = q;
            rck_[L.rOrderValues + at] = c.Real();
        }
        return std::string();
    });
}

}  // namespace vantor::chem
