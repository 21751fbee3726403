#pragma once
// The temperature-only results of the last rate-constant step (forward and reverse rate constants,
// S/R - H/RT), kept with the exact temperatures, pressure and work array they came from. An
// evaluation at the same state of the same array (the ignition Jacobian, the states of one
// temperature) takes them from here instead of recomputing: the same bits, so no result can tell.
// Every evaluation reads its rate constants from here, so the effective constants it leaves in
// the work array never feed the next one.

#include <cstdint>
#include <vector>

namespace vantor::chem {

class RateConstantCache {
public:
    // Forgets the kept values (a new load, changed pressure tables).
    void Clear() { array_ = nullptr; }
    // Room for a mechanism of II reactions and KK species, so that storing allocates nothing.
    void Reserve(int32_t II, int32_t KK);

    // True, with SMH (KK) filled, when the last stored state is this one.
    bool Restore(const double* rckwrk, int32_t NT, const double* T, double P, double* SMH) const;
    void Store(const double* rckwrk, int32_t NT, const double* T, double P, int32_t II, int32_t KK,
               const double* RKF, const double* RKR, const double* SMH);
    // The forward and reverse rate constants (II each) of the last stored state.
    const double* Forward() const { return forward_.data(); }
    const double* Reverse() const { return reverse_.data(); }

private:
    const double* array_ = nullptr;
    std::vector<double> temperatures_;
    double pressure_ = 0.0;
    std::vector<double> forward_, reverse_, smh_;
};

}  // namespace vantor::chem
