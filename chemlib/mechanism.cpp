#include "chemlib/mechanism.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>

#include "chemlib/library_constants.h"

namespace vantor::chem {
namespace {

// Work arrays beyond this many elements are not allocated for a binary's declaration.
constexpr int32_t kMaxWorkLength = 1 << 26;

std::string TrimmedName(const std::vector<char>& names, int64_t slot) {
    const auto begin = names.begin() + slot * kNameLength;
    std::string name(begin, begin + kNameLength);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace

int32_t Mechanism::Load(const std::string& path, std::ostream& msg) {
    *this = Mechanism{};  // nothing of an earlier load survives a failed one
    RecordReader reader;
    if (!reader.Open(path)) {
        msg << " Cannot open the mechanism binary " << path << kLineEnd;
        return kLoadHeader;
    }
    // The reader repeats the header check and reports a failure itself.
    int32_t need[3] = {0, 0, 0};
    std::ostringstream headerMessages;
    lib_.CheckMechanismBinaryHeader(reader, headerMessages, need[0], need[1], need[2]);
    for (const int32_t length : need) {
        if (length > kMaxWorkLength) {
            msg << " " << path << " declares a work array of " << length << " elements, more than " << kMaxWorkLength
                << kLineEnd;
            return kLoadHeader;
        }
    }
    ickwrk_.assign(size_t(std::max(need[0], 0)), 0);
    rckwrk_.assign(size_t(std::max(need[1], 0)), 0.0);
    cckwrk_.assign(size_t(std::max(need[2], 0)) * kNameLength, ' ');
    int32_t errFlag = 0;
    lib_.ReadMechanismBinary(need[0], need[1], need[2], reader, msg, ickwrk_.data(), rckwrk_.data(), cckwrk_.data(),
                             kNameLength, errFlag);
    if (errFlag == 0) {
        needInt_ = need[0];
        needReal_ = need[1];
        needName_ = need[2];
    }
    return errFlag;
}

std::string Mechanism::ElementName(int32_t m) const {
    if (m < 1 || m > MM()) return {};
    return TrimmedName(cckwrk_, Layout().cElementNames + m - 1);
}

std::string Mechanism::SpeciesName(int32_t k) const {
    if (k < 1 || k > KK()) return {};
    return TrimmedName(cckwrk_, Layout().cSpeciesNames + k - 1);
}

int32_t Mechanism::SpeciesIndex(std::string_view name) const {
    for (int32_t k = 1; k <= KK(); ++k) {
        if (SameNameIgnoringCase(SpeciesName(k), name)) return k;
    }
    return 0;
}

double Mechanism::MolecularWeight(int32_t k) const {
    if (k < 1 || k > KK()) return 0.0;
    return rckwrk_[Layout().rMolecularWeights + k - 1];
}

void Mechanism::Enthalpies(double T, double* H) { lib_.SpeciesEnthalpies(T, ickwrk_.data(), rckwrk_.data(), H); }

void Mechanism::HeatCapacities(double T, double* CpOverR) {
    lib_.SpeciesHeatCapacities(T, ickwrk_.data(), rckwrk_.data(), CpOverR);
}

void Mechanism::MoleToMassFractions(const double* X, double* Y) const {
    lib_.MoleToMassFractions(X, ickwrk_.data(), rckwrk_.data(), Y);
}

int32_t Mechanism::ProductionRates(std::ostream& msg, double P, double T, const double* Y, double* WDOT, double* QF,
                                   double* QR) {
    const double temperatures[4] = {T, T, T, T};  // gas, electron and ion temperatures alike
    return lib_.ComputeProductionRates(msg, 4, P, temperatures, Y, ickwrk_.data(), rckwrk_.data(), WDOT, QF, QR);
}

}  // namespace vantor::chem
