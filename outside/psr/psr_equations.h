#pragma once
// The steady stirred-reactor equations in the form the Newton iteration solves: the unknowns are
// the mass fractions and one more value, the temperature (residence time given) or ln tau
// (temperature given); the residuals are
//   G_k = Y_k,in - Y_k + tau wdot_k W_k / rho        (mass-fraction units)
//   G_T = (h_in - h(T, Y)) / cp_in                   (K)
// The Jacobian is a forward-difference one, dense: the species' slopes at trace amounts and the
// density's dependence on the composition are all in it, which the turning point needs.

#include <string>
#include <vector>

#include "outside/senkin/constant_pressure_reactor.h"

namespace vantor::psr {

// Which value the last unknown is.
enum class LastUnknown { kTemperature, kLogResidenceTime };

struct ReactorState {
    std::vector<double> massFractions;  // KK
    double temperature = 0.0;           // K
    double logResidenceTime = 0.0;      // ln(tau / s)
};

class StirredReactorEquations {
public:
    StirredReactorEquations(chem::Mechanism& mechanism, double pressure, const std::vector<double>& inletMassFractions,
                            double inletTemperature);

    int SpeciesCount() const { return kk_; }
    int Size() const { return kk_ + 1; }
    const std::vector<double>& InletMassFractions() const { return inletY_; }
    double InletTemperature() const { return inletT_; }
    double InletEnthalpy() const { return inletH_; }  // erg/g

    // Mass-specific enthalpy of (T, Y), erg/g, and its heat capacity, erg/(g K).
    double Enthalpy(const double* Y, double T, double* cp = nullptr);

    // The residuals (Size() values) of `state`. False when the rates cannot be evaluated; Error() says why.
    bool Residuals(const ReactorState& state, double* G);
    // The Jacobian of the residuals with respect to the unknowns (mass fractions, then `last`),
    // row-major Size() x Size(); G holds the residuals at `state`.
    bool Jacobian(const ReactorState& state, LastUnknown last, const double* G, double* J);

    const std::string& Error() const { return reactor_.Error(); }

private:
    senkin::ConstantPressureReactor reactor_;
    chem::Mechanism& mech_;
    int kk_;
    std::vector<double> inletY_;
    double inletT_, inletH_ = 0.0, inletCp_ = 0.0;
    std::vector<double> y_, ydot_, h_, cpR_, shiftedG_;
    ReactorState shifted_;
};

}  // namespace vantor::psr
