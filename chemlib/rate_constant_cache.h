#pragma once
// The temperature-only results of the last rate-constant step (forward and reverse rate constants,
// S/R - H/RT), kept with the exact temperatures, pressure and work array they came from. An
// evaluation at the same state of the same array (the ignition Jacobian, the states of one
// temperature) copies them back instead of recomputing: the same bits, so no result can tell.

#include <cstdint>
#include <vector>

namespace vantor::chem {

class RateConstantCache {
public:
    // Forgets the kept values (a new load, changed pressure tables).
    void Clear() { array_ = nullptr; }
    // Room for a mechanism of II reactions and KK species, so that storing allocates nothing.
    void Reserve(int32_t II, int32_t KK);

    // True, with RKF, RKR (II) and SMH (KK) filled, when the last stored state is this one.
    bool Restore(const double* rckwrk, int32_t NT, const double* T, double P, double* RKF, double* RKR,
                 double* SMH) const;
    void Store(const double* rckwrk, int32_t NT, const double* T, double P, int32_t II, int32_t KK,
               const double* RKF, const double* RKR, const double* SMH);

private:
    const double* array_ = nullptr;
    std::vector<double> temperatures_;
    double pressure_ = 0.0;
    std::vector<double> forward_, reverse_, smh_;
};

}  // namespace vantor::chem
