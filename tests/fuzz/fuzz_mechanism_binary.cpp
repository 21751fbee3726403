// Arbitrary bytes as a mechanism binary. The header check and the reader must fail cleanly, and
// after a load they accepted every evaluation routine must stay inside its arrays.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <vector>

#include "chemlib/chemistry_library.h"

namespace {

// Work arrays are sized from the header only below this many elements each.
constexpr int32_t kReasonableLength = 1 << 21;

void Evaluate(vantor::chem::ChemistryLibrary& lib, std::vector<int32_t>& ick, std::vector<double>& rck) {
    const auto& L = lib.Layout();
    const size_t KK = size_t(std::max(L.KK, 1)), II = size_t(std::max(L.II, 1));
    std::vector<double> X(KK, 1.0 / double(KK)), Y(KK), H(KK), wdot(KK), qf(II), qr(II);
    lib.MoleToMassFractions(X.data(), ick.data(), rck.data(), Y.data());
    lib.SpeciesEnthalpies(1200.0, ick.data(), rck.data(), H.data());
    lib.EntropyMinusEnthalpy(1200.0, ick.data(), rck.data(), H.data());
    lib.SpeciesHeatCapacities(1200.0, ick.data(), rck.data(), H.data());
    double DH = 0.0;
    for (int32_t i = 0; i <= L.II + 1; ++i) lib.ReactionEnthalpyChange(i, H.data(), ick.data(), rck.data(), DH);
    std::ostringstream msg;
    for (const int32_t NT : {1, 2, 4}) {
        const double T[4] = {1200.0, 1500.0, 3000.0, 1200.0};
        lib.ComputeProductionRates(msg, NT, 1.0e6, T, Y.data(), ick.data(), rck.data(), wdot.data(), qf.data(),
                                   qr.data());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vantor::RecordReader reader(std::vector<uint8_t>(data, data + size));
    vantor::chem::ChemistryLibrary lib;
    std::ostringstream msg;
    int32_t need[3] = {0, 0, 0};
    lib.CheckMechanismBinaryHeader(reader, msg, need[0], need[1], need[2]);
    for (const int32_t length : need) {
        if (length < 0 || length > kReasonableLength) return 0;
    }
    std::vector<int32_t> ick(size_t(std::max(need[0], 1)));
    std::vector<double> rck(size_t(std::max(need[1], 1)));
    std::vector<char> cck(size_t(std::max(need[2], 1)) * 16);
    int32_t flag = 0;
    lib.ReadMechanismBinary(need[0], need[1], need[2], reader, msg, ick.data(), rck.data(), cck.data(), 16, flag);
    Evaluate(lib, ick, rck);  // a failed load must leave nothing that can be misread either
    return 0;
}
