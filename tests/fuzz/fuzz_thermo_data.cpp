// Fuzz target of the thermo data reader: arbitrary bytes as the thermo file of a fixed mechanism
// whose species are those of the seeds. Whatever the input, the interpreter must not crash, a
// binary must exist exactly when the status is success, and every entry it accepts must hold
// whole element counts, positive fit temperatures, finite coefficients and a finite weight.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "outside/tolmar/mechanism_compiler.h"

namespace {

constexpr std::string_view kMechanism =
    "ELEMENTS C H O N AR HE E END\n"
    "SPECIES H2 N2 AR HE HOCO H2CC CH2OH CH2CHOH CH3CHOCH2 HCCOH SAXC4H7 IC4H7 C388H144 END\n"
    "REACTIONS\nEND\n";

bool Finite(double v) {
    return std::isfinite(v);
}

void CheckSpecies(const vantor::tolmar::Species& s) {
    if (!s.hasThermo) return;
    const auto& f = s.fit;
    if (!(f.tLow > 0.0) || !(f.tCommon > 0.0) || !(f.tHigh > 0.0) || !Finite(f.tLow) || !Finite(f.tCommon) ||
        !Finite(f.tHigh) || !Finite(s.weight))
        std::abort();
    for (size_t j = 0; j < 7; ++j)
        if (!Finite(f.low[j]) || !Finite(f.high[j])) std::abort();
    bool anyAtom = false;
    for (const int32_t count : s.composition) anyAtom = anyAtom || count != 0;
    if (!anyAtom) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vantor::tolmar::CompileInput input;
    input.mechanismText = kMechanism;
    input.mechanismName = "fuzz.inp";
    input.thermoText = std::string_view(reinterpret_cast<const char*>(data), size);
    input.thermoName = "fuzz.dat";
    vantor::tolmar::CompileOutput output;
    vantor::tolmar::CompileMechanism(input, output);
    if ((output.Status() == 0) != !output.binary.empty()) std::abort();
    for (const auto& s : output.mechanism.species) CheckSpecies(s);
    return 0;
}
