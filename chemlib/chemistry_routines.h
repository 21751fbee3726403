#pragma once
// The library's routines under their classic names, working on one process-wide
// ChemistryLibrary instance (one load and one evaluation at a time per process).

#include "chemlib/chemistry_library.h"

namespace vantor::chem {

ChemistryLibrary& ProcessChemistryLibrary();

inline void ReadMechanismBinary(int32_t intWorkLen, int32_t realWorkLen, int32_t nameWorkLen, RecordReader& mech,
                                std::ostream& msg, int32_t* ickwrk, double* rckwrk, char* cckwrk,
                                int32_t nameElementLength, int32_t& errFlag) {
    ProcessChemistryLibrary().ReadMechanismBinary(intWorkLen, realWorkLen, nameWorkLen, mech, msg, ickwrk, rckwrk,
                                                  cckwrk, nameElementLength, errFlag);
}
inline void CheckMechanismBinaryHeader(RecordReader& mech, std::ostream& msg, int32_t& needInt, int32_t& needReal,
                                       int32_t& needName) {
    ProcessChemistryLibrary().CheckMechanismBinaryHeader(mech, msg, needInt, needReal, needName);
}
inline void SpeciesEnthalpies(double T, const int32_t* ickwrk, const double* rckwrk, double* H) {
    ProcessChemistryLibrary().SpeciesEnthalpies(T, ickwrk, rckwrk, H);
}
inline void EntropyMinusEnthalpy(double T, const int32_t* ickwrk, const double* rckwrk, double* SMH) {
    ProcessChemistryLibrary().EntropyMinusEnthalpy(T, ickwrk, rckwrk, SMH);
}
inline void ReactionEnthalpyChange(int32_t I, const double* H, const int32_t* ickwrk, const double* rckwrk,
                                   double& DH) {
    ProcessChemistryLibrary().ReactionEnthalpyChange(I, H, ickwrk, rckwrk, DH);
}
inline void MoleToMassFractions(const double* X, const int32_t* ickwrk, const double* rckwrk, double* Y) {
    ProcessChemistryLibrary().MoleToMassFractions(X, ickwrk, rckwrk, Y);
}
inline void MassFractionsToConcentrations(double P, const double* T, const double* Y, const int32_t* ickwrk,
                                          const double* rckwrk, double* C) {
    ProcessChemistryLibrary().MassFractionsToConcentrations(P, T, Y, ickwrk, rckwrk, C);
}
inline int32_t ComputeProductionRates(std::ostream& msg, int32_t NT, double P, const double* T, const double* Y,
                                      const int32_t* ickwrk, double* rckwrk, double* WDOT, double* QF, double* QR) {
    return ProcessChemistryLibrary().ComputeProductionRates(msg, NT, P, T, Y, ickwrk, rckwrk, WDOT, QF, QR);
}

}  // namespace vantor::chem
