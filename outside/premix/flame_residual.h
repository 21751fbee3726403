#pragma once
// The discretised steady flame equations on a non-uniform grid. Unknowns per point, in order:
// T, Y_1..Y_KK, M (block size KK+2). Convection upwind, diffusion central and conservative with
// midpoint properties; the transport coefficients are lagged (UpdateTransport) so a Jacobian's
// many evaluations cost only the chemistry of the points that changed.

#include <sstream>
#include <string>
#include <vector>

#include "chemlib/mechanism.h"
#include "outside/mixture/mixture_transport.h"

namespace vantor::premix {

// What the chemistry gives at one point.
struct PointSource {
    std::vector<double> massRate;  // wdot_k W_k, g/(cm3 s)
    std::vector<double> cpSpecies; // erg/(g K)
    double heat = 0.0;             // sum wdot_k h_k, erg/(cm3 s) (negative when heat is released)
    double cp = 0.0;               // mixture, erg/(g K)
    double density = 0.0;          // g/cm3
};

class FlameResidual {
public:
    FlameResidual(chem::Mechanism& mechanism, const mixture::MixtureTransport& transport, double pressure,
                  double unburnedTemperature, std::vector<double> unburnedMassFractions, bool thermalDiffusion);

    int Species() const { return kk_; }
    int BlockSize() const { return kk_ + 2; }
    int Points() const { return static_cast<int>(x_.size()); }
    const std::vector<double>& Grid() const { return x_; }
    double Pressure() const { return pressure_; }
    double UnburnedTemperature() const { return tu_; }
    const std::vector<double>& UnburnedMassFractions() const { return yu_; }
    double MolecularWeight(int k) const { return w_[static_cast<size_t>(k)]; }

    // The grid and the index of the point whose temperature is held at `fixedTemperature`.
    void SetGrid(std::vector<double> x, int fixedPoint, double fixedTemperature);
    int FixedPoint() const { return fixedPoint_; }
    double FixedTemperature() const { return fixedTemperature_; }

    // Energy off: T held at `profile` and M at `massFlux` (the first stage from a rough guess).
    void HoldTemperature(std::vector<double> profile, double massFlux);
    void SolveEnergy() {
        holdTemperature_ = false;
        ++version_;
    }
    // Backward Euler terms rho (u - old)/dt on the interior rows; dt <= 0 removes them.
    void SetTimeStep(double dt, const std::vector<double>& old);
    double TimeStep() const { return dt_; }
    // Changes with the grid and the equations (not with the time step), so a Jacobian knows it is stale.
    int Version() const { return version_; }

    // Midpoint conductivities and diffusion coefficients from the state `u`.
    void UpdateTransport(const std::vector<double>& u);

    // Chemistry at point j of `u` into `source`; false (with Error()) when the rates fail.
    bool Source(const std::vector<double>& u, int j, PointSource& source);
    // Residual from per-point sources (sources[j] for point j).
    void Assemble(const std::vector<double>& u, const std::vector<const PointSource*>& sources,
                  std::vector<double>& f);
    // Full evaluation, sources computed for every point (kept in BaseSources()).
    bool Evaluate(const std::vector<double>& u, std::vector<double>& f);
    const std::vector<PointSource>& BaseSources() const { return base_; }

    double Density(const double* point) const;  // T, Y at one point
    const std::string& Error() const { return error_; }

private:
    double MeanWeight(const double* y) const;

    chem::Mechanism& mech_;
    const mixture::MixtureTransport& transport_;
    int kk_;
    double pressure_, tu_;
    std::vector<double> yu_, w_;
    bool thermalDiffusion_;
    std::vector<double> x_;
    int fixedPoint_ = 0;
    double fixedTemperature_ = 0.0;
    bool holdTemperature_ = false;
    std::vector<double> heldT_;
    double heldM_ = 0.0;
    double dt_ = 0.0;
    std::vector<double> old_;
    int version_ = 0;
    // Lagged transport per interval: conductivity, rho-free D_km (and D_km Theta_k).
    std::vector<double> lambda_, diff_, thermal_;
    // Work
    std::vector<PointSource> base_;
    std::vector<const PointSource*> basePointers_;
    std::vector<double> xm_, flux_, wbar_, h_, cpR_, wdot_, qf_, qr_, xmid_, dwork_, twork_;
    std::ostringstream messages_;
    std::string error_;
};

}  // namespace vantor::premix
