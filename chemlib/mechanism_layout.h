#pragma once
// The counts of a compiled mechanism and where each array starts in the three work arrays.
// The mechanism binary writer and the reader both derive the work-array lengths from here, so
// the lengths a binary declares always match what the reader lays out.
//
// Positions are 0-based offsets into ICKWRK (integers), RCKWRK (reals) and CCKWRK (16-character
// names). Two-index arrays are stored first index fastest.

#include <cstdint>

namespace vantor::chem {

inline constexpr int kNameLength = 16;

struct MechanismCounts {
    int32_t MM = 0;        // elements
    int32_t KK = 0;        // species
    int32_t II = 0;        // reactions
    // Species slots per reaction: reactants 1-3, products 4-6, and in binaries of lumped
    // reactions (MXSP above 6) further slots 7..MXSP, a reactant or product by the sign of the
    // coefficient. Production rates, reaction enthalpies and the equilibrium constants (its
    // coefficient sums included) take every slot; the concentration products of the rates of
    // progress take slots 1-3 and 4-6 only, so a reaction with a species beyond slot 6 (or
    // products in reactant slots) carries changed-order entries for all its species.
    int32_t MXSP = 0;
    int32_t MXTHIRD = 0;   // enhanced third bodies per third-body reaction
    int32_t MXTEMP = 0;    // fit temperatures per species
    int32_t NPOLY = 0;     // polynomial coefficients per range before the two constants
    int32_t NPARAM = 0;    // Arrhenius parameters per reaction
    int32_t NLTPAR = 0;    // Landau-Teller parameters per reaction
    int32_t NFALPAR = 0;   // fall-off parameters per reaction
    int32_t NREVPAR = 0;   // reactions with explicit reverse parameters
    int32_t NFALLOFF = 0;  // fall-off reactions
    int32_t NTHIRD = 0;    // third-body reactions
    int32_t NLT = 0;       // Landau-Teller reactions
    int32_t NREVLT = 0;    // reverse Landau-Teller reactions
    int32_t NWAVE = 0;     // radiation-wavelength reactions
    int32_t NSPARE = 0;    // stored, not used (the binary writer puts the number of pressure-table reactions here)
    int32_t NEIMP = 0;     // electron-impact reactions
    int32_t NJLEPPAR = 0;  // Janev-Langer-Evans-Post parameters per reaction
    int32_t NJLEP = 0;     // Janev-Langer-Evans-Post reactions
    int32_t NFIT1PAR = 0;  // Fit # 1 parameters per reaction
    int32_t NFIT1 = 0;     // Fit # 1 reactions
    int32_t NEXCIT = 0;    // excitation reactions
    int32_t NREALNU = 0;   // reactions with real stoichiometric coefficients
    int32_t NORDER = 0;    // reactions with changed orders
    int32_t MXORDER = 0;   // order entries per such reaction
    double COEFMIN = 0.0;  // real coefficients not above this are left out of enthalpy sums
};

struct MechanismLayout : MechanismCounts {
    // ICKWRK
    int64_t iOne = 0;              // ICKWRK(1), set to 1
    int64_t iElementCounts = 0;    // (MM, KK)
    int64_t iPhase = 0;            // (KK)
    int64_t iCharge = 0;           // (KK)
    int64_t iFitTempCount = 0;     // (KK)
    int64_t iStoich = 0;           // (MXSP, II) negative reactants, positive products
    int64_t iSlotSpecies = 0;      // (MXSP, II) 0 = empty slot
    int64_t iSpeciesCount = 0;     // (II) > 0 reversible, < 0 irreversible
    int64_t iReactantCount = 0;    // (II)
    int64_t iLandauTeller = 0;     // (NLT) reaction numbers
    int64_t iRevLandauTeller = 0;  // (NREVLT)
    int64_t iFallOff = 0;          // (NFALLOFF) reaction numbers
    int64_t iFallOffForm = 0;      // (NFALLOFF) 1 Lindemann, 2 SRI, 3/4 Troe
    int64_t iFallOffBath = 0;      // (NFALLOFF) 0 = mixture, k = species k
    int64_t iThirdBody = 0;        // (NTHIRD) reaction numbers
    int64_t iThirdBodyCount = 0;   // (NTHIRD) enhanced species per reaction
    int64_t iThirdBodySpecies = 0; // (MXTHIRD, NTHIRD)
    int64_t iReverse = 0;          // (NREVPAR) reaction numbers
    int64_t iWave = 0;             // (NWAVE)
    int64_t iElectronImpact = 0;   // (NEIMP)
    int64_t iElectronTempIndex = 0;// (NEIMP)
    int64_t iJlep = 0;             // (NJLEP)
    int64_t iFit1 = 0;             // (NFIT1)
    int64_t iExcite = 0;           // (NEXCIT)
    int64_t iRealNu = 0;           // (NREALNU) reaction numbers
    int64_t iOrder = 0;            // (NORDER) reaction numbers
    int64_t iOrderSpecies = 0;     // (MXORDER, NORDER) -k forward, +k reverse, 0 empty
    int64_t intLength = 0;

    // RCKWRK
    int64_t rAtomicWeights = 0;    // (MM)
    int64_t rMolecularWeights = 0; // (KK)
    int64_t rFitTemps = 0;         // (MXTEMP, KK)
    int64_t rPolynomials = 0;      // (NPOLY+2, MXTEMP-1, KK)
    int64_t rArrhenius = 0;        // (NPARAM+1, II), row NPARAM+1 the perturbation factor
    int64_t rReverse = 0;          // (NPARAM+1, NREVPAR)
    int64_t rLandauTeller = 0;     // (NLTPAR, NLT)
    int64_t rRevLandauTeller = 0;  // (NLTPAR, NREVLT)
    int64_t rFallOff = 0;          // (NFALPAR, NFALLOFF)
    int64_t rThirdBodyEff = 0;     // (MXTHIRD, NTHIRD)
    int64_t rWave = 0;             // (NWAVE)
    int64_t rJlep = 0;             // (NJLEPPAR, NJLEP)
    int64_t rFit1 = 0;             // (NFIT1PAR, NFIT1)
    int64_t rExcite = 0;           // (NEXCIT)
    int64_t rRealNu = 0;           // (MXSP, NREALNU)
    int64_t rOrderValues = 0;      // (MXORDER, NORDER)
    int64_t rGasConstant = 0;      // 83145100.0 erg/(mol K)
    int64_t rGasConstantCal = 0;   // 1.9872155831739962 cal/(mol K)
    int64_t rAtmosphere = 0;       // 1013250.0 dyn/cm2
    int64_t rForwardConstants = 0; // (II)
    int64_t rReverseConstants = 0; // (II)
    int64_t rSpeciesScratch[4] = {};   // (KK) each; the first holds the concentrations
    int64_t rReactionScratch[4] = {};  // (II) each; forward / reverse rates of progress, third-body factors
    int64_t realLength = 0;

    // CCKWRK
    int64_t cElementNames = 0;     // (MM)
    int64_t cSpeciesNames = 0;     // (KK)
    int64_t nameLength = 0;

    // Positions and total lengths for the given counts. Counts must be non-negative and
    // MXTEMP >= 1; lengths are 64-bit so that absurd counts cannot wrap.
    static MechanismLayout Compute(const MechanismCounts& counts);
};

// Fall-off form codes 11-14 of the fall-off record are the chemically activated variants of
// forms 1-4 (HIGH instead of LOW): their parameter rows 1-3 hold the high-pressure limit kinf,
// the reaction's own Arrhenius parameters are the low-pressure limit k0, and the rate constant
// is k0 F / (1 + PR) with PR = k0 [M] / kinf and the broadening F of the base form.
inline constexpr int32_t kChemicallyActivatedForm = 10;  // added to the base form code

inline constexpr double kGasConstant = 83145100.0;           // erg/(mol K)
inline constexpr double kGasConstantCal = 1.9872155831739962; // cal/(mol K)
inline constexpr double kAtmosphere = 1013250.0;             // dyn/cm2

}  // namespace vantor::chem
