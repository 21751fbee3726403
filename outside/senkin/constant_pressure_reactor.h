#pragma once
// A homogeneous, adiabatic, constant-pressure ideal-gas reactor on a mechanism: the state is the
// mass fractions Y_1..Y_KK followed by the temperature T, and its derivatives are
//   dY_k/dt = WDOT_k W_k / rho,   dT/dt = - sum_k h_k WDOT_k / (rho cp),
// with h_k in erg/mol, cp the mixture's mass-specific heat capacity and rho = P W / (R T).

#include <sstream>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"

namespace vantor::senkin {

// What a state yields besides its derivatives; written with every recorded state.
struct StateProperties {
    double density = 0.0;            // g/cm3
    double meanMolecularWeight = 0.0;  // g/mol
    double temperatureSlope = 0.0;   // dT/dt, K/s
    double heatRelease = 0.0;        // - sum_k h_k WDOT_k, erg/(cm3 s)
};

class ConstantPressureReactor {
public:
    // `pressure` in dyn/cm2. The mechanism must outlive the reactor; one reactor per thread.
    ConstantPressureReactor(chem::Mechanism& mechanism, double pressure);

    int SpeciesCount() const { return kk_; }
    int Size() const { return kk_ + 1; }
    int TemperatureIndex() const { return kk_; }
    double Pressure() const { return pressure_; }
    chem::Mechanism& Mechanism() { return mech_; }

    // The state of mole fractions X (KK values) at temperature T.
    void InitialState(const std::vector<double>& X, double T, double* y) const;
    void MoleFractions(const double* y, double* X) const;

    // Derivatives of state y into ydot. False when the rates cannot be evaluated or are not
    // finite; Error() then says why.
    bool Derivatives(const double* y, double* ydot, StateProperties* properties = nullptr);
    const std::string& Error() const { return error_; }

    // Results of the last successful Derivatives call.
    const std::vector<double>& ForwardRates() const { return qf_; }
    const std::vector<double>& ReverseRates() const { return qr_; }
    const std::vector<double>& Enthalpies() const { return h_; }     // erg/mol
    const std::vector<double>& HeatCapacities() const { return cpR_; }  // cp/R per species
    double MixtureHeatCapacity() const { return cpMass_; }           // erg/(g K)
    double Density() const { return rho_; }
    double MolecularWeight(int k0) const { return w_[static_cast<size_t>(k0)]; }  // 0-based

private:
    chem::Mechanism& mech_;
    int kk_;
    double pressure_;
    std::vector<double> w_, invW_;
    std::vector<double> wdot_, qf_, qr_, h_, cpR_;
    double cpMass_ = 0.0, rho_ = 0.0;
    std::ostringstream rateMessages_;
    std::string error_;
};

}  // namespace vantor::senkin
