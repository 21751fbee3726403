#include "chemlib/mechanism_layout.h"

namespace vantor::chem {

MechanismLayout MechanismLayout::Compute(const MechanismCounts& counts) {
    MechanismLayout L;
    static_cast<MechanismCounts&>(L) = counts;
    using I = int64_t;
    const I MM = counts.MM, KK = counts.KK, II = counts.II, MXSP = counts.MXSP;

    I at = 0;
    const auto take = [&at](I n) {
        const I start = at;
        at += n;
        return start;
    };
    L.iOne = take(1);
    L.iElementCounts = take(MM * KK);
    L.iPhase = take(KK);
    L.iCharge = take(KK);
    L.iFitTempCount = take(KK);
    L.iStoich = take(MXSP * II);
    L.iSlotSpecies = take(MXSP * II);
    L.iSpeciesCount = take(II);
    L.iReactantCount = take(II);
    L.iLandauTeller = take(counts.NLT);
    L.iRevLandauTeller = take(counts.NREVLT);
    L.iFallOff = take(counts.NFALLOFF);
    L.iFallOffForm = take(counts.NFALLOFF);
    L.iFallOffBath = take(counts.NFALLOFF);
    L.iThirdBody = take(counts.NTHIRD);
    L.iThirdBodyCount = take(counts.NTHIRD);
    L.iThirdBodySpecies = take(I(counts.MXTHIRD) * counts.NTHIRD);
    L.iReverse = take(counts.NREVPAR);
    L.iWave = take(counts.NWAVE);
    L.iElectronImpact = take(counts.NEIMP);
    L.iElectronTempIndex = take(counts.NEIMP);
    L.iJlep = take(counts.NJLEP);
    L.iFit1 = take(counts.NFIT1);
    L.iExcite = take(counts.NEXCIT);
    L.iRealNu = take(counts.NREALNU);
    L.iOrder = take(counts.NORDER);
    L.iOrderSpecies = take(I(counts.MXORDER) * counts.NORDER);
    L.intLength = at;

    at = 0;
    const I ranges = counts.MXTEMP > 0 ? counts.MXTEMP - 1 : 0;
    L.rAtomicWeights = take(MM);
    L.rMolecularWeights = take(KK);
    L.rFitTemps = take(I(counts.MXTEMP) * KK);
    L.rPolynomials = take((I(counts.NPOLY) + 2) * ranges * KK);
    L.rArrhenius = take((I(counts.NPARAM) + 1) * II);
    L.rReverse = take((I(counts.NPARAM) + 1) * counts.NREVPAR);
    L.rLandauTeller = take(I(counts.NLTPAR) * counts.NLT);
    L.rRevLandauTeller = take(I(counts.NLTPAR) * counts.NREVLT);
    L.rFallOff = take(I(counts.NFALPAR) * counts.NFALLOFF);
    L.rThirdBodyEff = take(I(counts.MXTHIRD) * counts.NTHIRD);
    L.rWave = take(counts.NWAVE);
    L.rJlep = take(I(counts.NJLEPPAR) * counts.NJLEP);
    L.rFit1 = take(I(counts.NFIT1PAR) * counts.NFIT1);
    L.rExcite = take(counts.NEXCIT);
    L.rRealNu = take(MXSP * counts.NREALNU);
    L.rOrderValues = take(I(counts.MXORDER) * counts.NORDER);
    L.rGasConstant = take(1);
    L.rGasConstantCal = take(1);
    L.rAtmosphere = take(1);
    L.rForwardConstants = take(II);
    L.rReverseConstants = take(II);
    for (auto& block : L.rSpeciesScratch) block = take(KK);
    for (auto& block : L.rReactionScratch) block = take(II);
    L.realLength = at;

    at = 0;
    L.cElementNames = take(MM);
    L.cSpeciesNames = take(KK);
    L.nameLength = at;
    return L;
}

}  // namespace vantor::chem
