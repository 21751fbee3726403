#include "outside/pellor/species_transport.h"

#include <cmath>
#include <numbers>

#include "chemlib/mechanism_layout.h"
#include "outside/pellor/collision_integrals.h"

namespace vantor::pellor {
namespace {

using std::numbers::pi;

constexpr double kAvogadro = 6.0221367e23;                       // 1/mol, with the library's gas constant
constexpr double kBoltzmann = chem::kGasConstant / kAvogadro;    // erg/K
constexpr double kAngstrom = 1e-8;                               // cm
constexpr double kDebye = 1e-18;                                 // statC cm

double Mass(const SpeciesTransport& s) { return s.molecularWeight / kAvogadro; }
double Sigma(const TransportParameters& p) { return p.collisionDiameter * kAngstrom; }
double Epsilon(const TransportParameters& p) { return p.wellDepth * kBoltzmann; }

// delta* = mu^2 / (2 eps sigma^3)
double ReducedDipole(double dipole, double epsilon, double sigma) {
    const double mu = dipole * kDebye;
    return mu * mu / (2.0 * epsilon * sigma * sigma * sigma);
}

double ParkerFactor(double wellDepth, double T) {
    const double r = wellDepth / T;
    const double pi32 = std::pow(pi, 1.5);
    return 1.0 + 0.5 * pi32 * std::sqrt(r) + (0.25 * pi * pi + 2.0) * r + pi32 * r * std::sqrt(r);
}

}  // namespace

PairPotential CombinedPotential(const TransportParameters& a, const TransportParameters& b) {
    PairPotential pair;
    pair.sigma = 0.5 * (Sigma(a) + Sigma(b));
    pair.epsilon = std::sqrt(Epsilon(a) * Epsilon(b));
    const bool polarA = a.dipoleMoment > 0.0, polarB = b.dipoleMoment > 0.0;
    if (polarA == polarB) {
        pair.reducedDipole = ReducedDipole(std::sqrt(a.dipoleMoment * b.dipoleMoment), pair.epsilon, pair.sigma);
        return pair;
    }
    const TransportParameters& p = polarA ? a : b;
    const TransportParameters& n = polarA ? b : a;
    const double sigmaP = Sigma(p), sigmaN = Sigma(n);
    const double alphaN = n.polarizability * kAngstrom * kAngstrom * kAngstrom / (sigmaN * sigmaN * sigmaN);
    const double mu = p.dipoleMoment * kDebye;
    const double muP2 = mu * mu / (Epsilon(p) * sigmaP * sigmaP * sigmaP);
    const double xi = 1.0 + 0.25 * alphaN * muP2 * std::sqrt(Epsilon(p) / Epsilon(n));
    pair.epsilon *= xi * xi;
    pair.sigma *= std::pow(xi, -1.0 / 6.0);
    return pair;
}

double Viscosity(const SpeciesTransport& s, double T) {
    const auto& p = s.parameters;
    const double sigma = Sigma(p);
    const double omega = ViscosityCollisionIntegral(T / p.wellDepth, ReducedDipole(p.dipoleMoment, Epsilon(p), sigma));
    return 5.0 / 16.0 * std::sqrt(pi * Mass(s) * kBoltzmann * T) / (pi * sigma * sigma * omega);
}

double DiffusionMassFactor(const SpeciesTransport& a, const SpeciesTransport& b, double pressure) {
    const double reducedMass = Mass(a) * Mass(b) / (Mass(a) + Mass(b));
    return 3.0 / 16.0 * std::sqrt(2.0 * pi * kBoltzmann * kBoltzmann * kBoltzmann / reducedMass) / (pressure * pi);
}

double DiffusionCrossSection(const PairPotential& pair, double T) {
    return pair.sigma * pair.sigma * DiffusionCollisionIntegral(kBoltzmann * T / pair.epsilon, pair.reducedDipole);
}

double BinaryDiffusion(const SpeciesTransport& a, const SpeciesTransport& b, double T, double pressure) {
    return DiffusionMassFactor(a, b, pressure) * T * std::sqrt(T) /
           DiffusionCrossSection(CombinedPotential(a.parameters, b.parameters), T);
}

double Conductivity(const SpeciesTransport& s, double T, double heatCapacity) {
    const auto& p = s.parameters;
    const double mu = Viscosity(s, T);
    const double pressure = chem::kAtmosphere;  // rho D does not depend on it
    const double density = pressure * s.molecularWeight / (chem::kGasConstant * T);
    const double diffusionRatio = density * BinaryDiffusion(s, s, T, pressure) / mu;

    const double cvTrans = 1.5;  // all heat capacities in units of R
    const double cvRot = p.geometry == 0 ? 0.0 : (p.geometry == 1 ? 1.0 : 1.5);
    const double cvVib = heatCapacity - 1.0 - cvTrans - cvRot;
    const double zRot = p.rotationalRelaxation * ParkerFactor(p.wellDepth, 298.0) / ParkerFactor(p.wellDepth, T);
    const double a = 2.5 - diffusionRatio;
    const double b = zRot + 2.0 / pi * (5.0 / 3.0 * cvRot + diffusionRatio);
    const double fTrans = cvRot > 0.0 ? 2.5 * (1.0 - 2.0 / pi * (cvRot / cvTrans) * (a / b)) : 2.5;
    const double fRot = cvRot > 0.0 ? diffusionRatio * (1.0 + 2.0 / pi * a / b) : 0.0;
    const double fVib = diffusionRatio;
    return mu / s.molecularWeight * chem::kGasConstant * (fTrans * cvTrans + fRot * cvRot + fVib * cvVib);
}

}  // namespace vantor::pellor
