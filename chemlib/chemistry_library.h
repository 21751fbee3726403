#pragma once
// The chemistry library: loads a compiled mechanism ("Chem.bin") into caller-owned work arrays
// and evaluates thermodynamic functions and rates of progress from them.
//
// The state that the classic routines keep library-wide (the layout table, the pressure tables,
// the current pressure, scratch terms) lives in a ChemistryLibrary object, so several mechanisms
// can be evaluated side by side in one process (one object per thread). The free functions in
// chemistry_routines.h work on one process-wide instance, as the engines expect.
//
// Array conventions: every array argument is a plain C++ array indexed from 0, so species k
// (numbered from 1 in the mechanism) is element k-1. Values stored in the work arrays keep their
// 1-based meaning (a slot's species index 0 means "empty"). Units are cgs: dyn/cm2, K, mol/cm3,
// erg/mol, mol/(cm3 s).

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "chemlib/mechanism_layout.h"
#include "chemlib/rate_constant_cache.h"
#include "chemlib/reaction_tables.h"
#include "common/record_io.h"

namespace vantor::chem {

// ErrFlag values of ReadMechanismBinary.
enum LoadError : int32_t {
    kLoadOk = 0,
    kLoadHeader = 1,
    kLoadElements = 2,
    kLoadSpecies = 3,
    kLoadReactions = 4,
    kLoadReverse = 5,
    kLoadFallOff = 6,
    kLoadThirdBody = 7,
    kLoadLandauTeller = 8,
    kLoadRevLandauTeller = 9,
    kLoadWavelength = 10,
    kLoadElectronImpact = 11,
    kLoadJlep = 12,
    kLoadFit1 = 13,
    kLoadExcitation = 14,
    kLoadRealStoich = 15,
    kLoadOrders = 16,
    kLoadPressureTables = 17,   // pressure-table records damaged (not a clean end of file)
    kLoadWorkArrayShort = 20,
    kLoadNameLength = 21,
};

// Failures of a rate evaluation: where the classic library stopped the process, the call fails
// with one of these and writes a line to the message stream.
enum RateStatus : int32_t {
    kRateOk = 0,
    kRateTemperatureArray = 22,  // NT < 2
    kRateStateRange = 23,        // pressure below 1e-30 or temperature below 0.02 K
    kRateTableOverflow = 24,     // a pressure-table rate constant beyond +-1e30
    kRateTemperatureIndex = 25,  // an electron-impact temperature index beyond NT
};

// The temperature-only terms of one fall-off reaction: the other limit's rate constant and the
// broadening terms that do not depend on the reduced pressure.
struct FallOffTemperatureTerms {
    double limit = 0.0, a = 0.0, b = 0.0, c = 0.0;
};

class ChemistryLibrary {
public:
    // ---- mechanism binary ----------------------------------------------------------------
    // Rewinds `mech`, checks the version record and reads the three required work-array
    // lengths (left unchanged when the check fails), rewinds again.
    void CheckMechanismBinaryHeader(RecordReader& mech, std::ostream& msg, int32_t& needInt,
                                    int32_t& needReal, int32_t& needName);

    // Loads the mechanism into the work arrays. `errFlag` must be 0 on entry; afterwards 0 means
    // loaded, otherwise a LoadError. Messages go to `msg`, one per line. The declared lengths
    // are the capacities of the three arrays (CCKWRK holds nameWorkLen names of
    // `nameElementLength` characters each). A failed header check stops the load with
    // kLoadHeader (the check's own messages say why).
    void ReadMechanismBinary(int32_t intWorkLen, int32_t realWorkLen, int32_t nameWorkLen, RecordReader& mech,
                             std::ostream& msg, int32_t* ickwrk, double* rckwrk, char* cckwrk,
                             int32_t nameElementLength, int32_t& errFlag);

    // Counts and array positions of the last load (all zero before the first).
    const MechanismLayout& Layout() const { return layout_; }

    // Pressure tables of the last load: index entry 0 is NPMAX, entries 1..II flag the reactions
    // with a table, entries II+1..2II the terms summed at one pressure; data holds per reaction
    // NPMAX groups of (pressure dyn/cm2, A, b, E cal/mol).
    const std::vector<int32_t>& PressureTableIndex() const { return pressureTableIndex_; }
    const std::vector<double>& PressureTableData() const { return pressureTableData_; }
    void ReleasePressureTables();

    // ---- thermodynamics -----------------------------------------------------------------
    void SpeciesEnthalpies(double T, const int32_t* ickwrk, const double* rckwrk, double* H);        // erg/mol
    void EntropyMinusEnthalpy(double T, const int32_t* ickwrk, const double* rckwrk, double* SMH);   // S/R - H/RT
    void SpeciesHeatCapacities(double T, const int32_t* ickwrk, const double* rckwrk, double* CpOverR);
    // Enthalpy change of reaction I (1-based) from species enthalpies H.
    void ReactionEnthalpyChange(int32_t I, const double* H, const int32_t* ickwrk, const double* rckwrk,
                                double& DH) const;
    void MoleToMassFractions(const double* X, const int32_t* ickwrk, const double* rckwrk, double* Y) const;
    // Only T[0] is used.
    void MassFractionsToConcentrations(double P, const double* T, const double* Y, const int32_t* ickwrk,
                                       const double* rckwrk, double* C) const;

    // ---- rates of progress ---------------------------------------------------------------
    // Forward and reverse rates of progress QF, QR (II each) and production rates WDOT (KK) at
    // pressure P, temperatures T[0..NT-1] (T[0] the gas temperature) and mass fractions Y.
    // Uses RCKWRK's scratch blocks; allocates nothing. Returns a RateStatus; on failure the
    // outputs are unspecified and one line is written to `msg`.
    int32_t ComputeProductionRates(std::ostream& msg, int32_t NT, double P, const double* T, const double* Y,
                                   const int32_t* ickwrk, double* rckwrk, double* WDOT, double* QF, double* QR);

    double CurrentPressure = 0.0;

private:
    friend class MechanismBinaryLoad;

    // Header check; true when the version record passed and the lengths were read.
    bool CheckHeader(RecordReader& mech, std::ostream& msg, int32_t& needInt, int32_t& needReal, int32_t& needName);
    int32_t ComputeRateConstants(std::ostream& msg, int32_t NT, const double* T, const int32_t* ickwrk, double* rckwrk);
    int32_t ApplyPressureTables(std::ostream& msg, double T1, double* rckwrk) const;
    // `sameTemperature`: the fall-off terms of the previous call still hold. baseF, baseR: the rate
    // constants of the rate-constant step; RF, RR (II) receive the rates of progress.
    void ComputeRatesOfProgress(double T1, double* rckwrk, bool sameTemperature, const double* baseF,
                                const double* baseR, double* RF, double* RR);
    void BuildTemperatureTerms(double T, bool entropy);
    // Installs the index tables and sizes the per-species scratch to match.
    void SetTables(ReactionTables tables);

    MechanismLayout layout_{};
    ReactionTables tables_;                             // index tables of the last load, checked against the counts
    std::vector<double> terms_;                         // temperature terms of the polynomial routines (NPOLY)
    std::vector<double> speciesScratch_ = {1.0};        // KK per-species values and a constant 1.0
    std::vector<double> ratioScratch_;  // per ratio-form equilibrium constant: two scratch values and a 1.0
    std::vector<double> netRates_ = {0.0};              // II net rates of progress and a constant 0.0
    std::vector<double> exponents_;  // forward, then reverse exponentials, each with their b and E
    std::vector<int32_t> pressureTableIndex_;
    std::vector<double> pressureTableData_;
    RateConstantCache rateConstants_;  // the last state's rate constants
    std::vector<FallOffTemperatureTerms> fallOffTerms_;  // per fall-off entry, at the last state
    std::vector<double> fallOffScratch_;                 // five values per fall-off entry
};

}  // namespace vantor::chem
