#pragma once
// A loaded mechanism with its own work arrays and library state: the convenient way for the
// ignition runs, the command line and the tests to load "Chem.bin" and evaluate it. Copies are
// independent, so each thread can evaluate its own copy.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "chemlib/chemistry_library.h"

namespace vantor::chem {

class Mechanism {
public:
    // Opens and loads the binary, sizing the work arrays from its header. Returns 0 or the
    // reader's ErrFlag; a file that cannot be opened gives kLoadHeader with a message naming it.
    int32_t Load(const std::string& path, std::ostream& msg);

    int32_t MM() const { return lib_.Layout().MM; }
    int32_t KK() const { return lib_.Layout().KK; }
    int32_t II() const { return lib_.Layout().II; }
    const MechanismLayout& Layout() const { return lib_.Layout(); }

    // The three work-array lengths the binary declares (values of its dimension record).
    int32_t IntWorkLength() const { return needInt_; }
    int32_t RealWorkLength() const { return needReal_; }
    int32_t NameWorkLength() const { return needName_; }

    std::string ElementName(int32_t m) const;   // 1-based, trailing blanks removed
    std::string SpeciesName(int32_t k) const;   // 1-based, trailing blanks removed
    int32_t SpeciesIndex(std::string_view name) const;  // 1-based; 0 when absent; case-insensitive
    double MolecularWeight(int32_t k) const;   // 1-based, g/mol

    // Evaluations on this mechanism's own arrays (0-based arrays of KK or II values).
    void Enthalpies(double T, double* H);
    void HeatCapacities(double T, double* CpOverR);
    void MoleToMassFractions(const double* X, double* Y) const;
    int32_t ProductionRates(std::ostream& msg, double P, double T, const double* Y, double* WDOT, double* QF,
                            double* QR);

    ChemistryLibrary& Library() { return lib_; }
    int32_t* Ickwrk() { return ickwrk_.data(); }
    double* Rckwrk() { return rckwrk_.data(); }
    const int32_t* Ickwrk() const { return ickwrk_.data(); }
    const double* Rckwrk() const { return rckwrk_.data(); }
    const char* Cckwrk() const { return cckwrk_.data(); }

private:
    ChemistryLibrary lib_;
    std::vector<int32_t> ickwrk_;
    std::vector<double> rckwrk_;
    std::vector<char> cckwrk_;
    int32_t needInt_ = 0, needReal_ = 0, needName_ = 0;
};

}  // namespace vantor::chem
