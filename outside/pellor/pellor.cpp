#include "outside/pellor/pellor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "chemlib/mechanism.h"
#include "chemlib/mechanism_layout.h"
#include "common/atomic_file.h"
#include "common/entry_abi.h"
#include "common/path_field.h"
#include "outside/pellor/diffusion_fits.h"
#include "outside/pellor/log_polynomial_fit.h"
#include "outside/pellor/species_transport.h"

namespace vantor::pellor {
namespace {

std::string Number(double value, const char* format = "%.6g") {
    char buf[48];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// The listing collects everything and is written once, also when the run fails.
class Listing {
public:
    explicit Listing(std::string path) : path_(std::move(path)) {}
    // A text of several lines (a reader's messages) becomes several listing lines.
    void Add(const std::string& text) {
        std::istringstream lines(text);
        std::string line;
        bool any = false;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() && any) continue;
            text_ += " " + line + "\r\n";
            any = true;
        }
        if (!any) text_ += " \r\n";
    }
    void Error(const std::string& text) { Add("* ERROR: " + text); }
    bool Write(std::string& error) const { return path_.empty() || WriteFileAtomically(path_, text_, &error); }

private:
    std::string path_;
    std::string text_;
};

std::vector<double> FitTemperatures() {
    std::vector<double> t;
    for (int i = 0; i < kFitTemperatures; ++i) {
        t.push_back(kFitMinTemperature + (kFitMaxTemperature - kFitMinTemperature) * i / (kFitTemperatures - 1));
    }
    return t;
}

// Fits `values` and keeps the largest relative deviation of the fit.
void AppendFit(const LogPolynomialFitter& fitter, const std::vector<double>& values, std::vector<double>& out,
               double& worst) {
    std::vector<double> logs(values.size()), coefficients(static_cast<size_t>(fitter.Count()));
    for (size_t i = 0; i < values.size(); ++i) logs[i] = std::log(values[i]);
    fitter.FitLogs(logs.data(), coefficients.data());
    worst = std::max(worst, fitter.LargestDeviation(logs.data(), coefficients.data()));
    out.insert(out.end(), coefficients.begin(), coefficients.end());
}

// The species' entries, in the mechanism's order. The failure names every species without a
// usable entry in one message: the bad lines first (their status wins), then the missing names.
bool MatchSpecies(const chem::Mechanism& mechanism, const TransportData& data, const std::string& file,
                  std::vector<SpeciesTransport>& species, Listing& listing, PellorReport& report) {
    std::map<std::string, const TransportLineProblem*> problems;
    for (const auto& p : data.problems) problems.emplace(UpperCase(p.name), &p);
    std::vector<std::string> missing, bad;
    for (int32_t k = 1; k <= mechanism.KK(); ++k) {
        const std::string name = mechanism.SpeciesName(k);
        const auto entry = data.entries.find(UpperCase(name));
        if (entry != data.entries.end()) {
            species.push_back({entry->second, mechanism.MolecularWeight(k)});
            continue;
        }
        const auto problem = problems.find(UpperCase(name));
        if (problem != problems.end()) {
            const auto& p = *problem->second;
            listing.Error(file + ", line " + std::to_string(p.line) + ": " + p.reason + ": \"" + p.text + "\"");
            bad.push_back("line " + std::to_string(p.line) + ": " + p.reason);
            continue;
        }
        listing.Error("species " + name + " has no transport data in " + file);
        missing.push_back(name);
    }
    if (!bad.empty()) {
        report.status = kPellorTransportDataBad;
        report.message = file;
        for (size_t n = 0; n < bad.size(); ++n) report.message += (n == 0 ? ", " : "; ") + bad[n];
    }
    if (!missing.empty()) {
        if (report.status == kPellorOk) report.status = kPellorSpeciesMissing;
        report.message += std::string(bad.empty() ? "" : "; ") + "no transport data in " + file + " for";
        for (const auto& name : missing) report.message += " " + name;
    }
    return report.status == kPellorOk;
}

void ComputeFits(chem::Mechanism& mechanism, const std::vector<SpeciesTransport>& species, TransportFits& fits,
                 Listing& listing, double* progress) {
    const auto temperatures = FitTemperatures();
    const size_t kk = species.size();
    std::vector<std::vector<double>> heatCapacities(temperatures.size(), std::vector<double>(kk));
    for (size_t i = 0; i < temperatures.size(); ++i) {
        mechanism.HeatCapacities(temperatures[i], heatCapacities[i].data());
    }

    static_assert(kFitCoefficients >= 2, "the diffusion fits need a term in ln T");
    const LogPolynomialFitter fitter(temperatures, kFitCoefficients);
    double worstViscosity = 0.0, worstConductivity = 0.0;
    std::vector<double> mu(temperatures.size()), lambda(temperatures.size());
    for (size_t k = 0; k < kk; ++k) {
        for (size_t i = 0; i < temperatures.size(); ++i) {
            mu[i] = Viscosity(species[k], temperatures[i]);
            lambda[i] = Conductivity(species[k], temperatures[i], heatCapacities[i][k]);
        }
        AppendFit(fitter, mu, fits.viscosity, worstViscosity);
        AppendFit(fitter, lambda, fits.conductivity, worstConductivity);
    }
    DiffusionFits diffusion = FitBinaryDiffusion(species, temperatures, fitter, fits.referencePressure, progress);
    fits.diffusion = std::move(diffusion.coefficients);
    const double worstDiffusion = diffusion.largestDeviation;
    listing.Add("Largest deviation of a fit from the computed values: viscosity " +
                Number(100 * worstViscosity, "%.3f") + " %, conductivity " + Number(100 * worstConductivity, "%.3f") +
                " %, diffusion " + Number(100 * worstDiffusion, "%.3f") + " %");
}

void ListSpecies(const std::vector<SpeciesTransport>& species, const std::vector<double>& cpAt1000, Listing& listing) {
    listing.Add("");
    listing.Add("  k  name              geom    eps/k K  sigma A  dipole D  polar A3     Zrot   mu(1000 K) g/(cm s)"
                "  lambda(1000 K) erg/(cm s K)");
    for (size_t k = 0; k < species.size(); ++k) {
        const auto& s = species[k];
        const auto& p = s.parameters;
        char row[256];
        std::snprintf(row, sizeof row, "%3zu  %-16s %5d %10.3f %8.3f %9.3f %9.3f %8.3f %14.6E %14.6E", k + 1,
                      p.name.c_str(), p.geometry, p.wellDepth, p.collisionDiameter, p.dipoleMoment, p.polarizability,
                      p.rotationalRelaxation, Viscosity(s, 1000.0), Conductivity(s, 1000.0, cpAt1000[k]));
        listing.Add(row);
    }
}

std::string ReadWhole(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    ok = static_cast<bool>(in) || in.eof();
    return s.str();
}

PellorReport Finish(PellorReport report, Listing& listing, int32_t status, const std::string& message) {
    if (status != kPellorOk) {
        report.status = status;
        report.message = message;
        listing.Error(message);
    }
    std::string error;
    if (!listing.Write(error) && report.status == kPellorOk) {
        report.status = kPellorListingNotWritable;
        report.message = "the run listing cannot be written: " + error;
    }
    return report;
}

}  // namespace

PellorReport FitTransport(const PellorFiles& files, double* progress) {
    PellorReport report;
    if (progress) StoreProgress(progress, 0.0);
    Listing listing(files.listing);
    listing.Add("Pellor: transport fitting");
    listing.Add("Mechanism binary: " + files.mechanismBinary);
    listing.Add("Transport data:   " + files.transportData);

    if (!std::filesystem::exists(files.mechanismBinary)) {
        return Finish(std::move(report), listing, kPellorMechanismMissing,
                      "FILE " + files.mechanismBinary + " not found.");
    }
    chem::Mechanism mechanism;
    std::ostringstream messages;
    if (const int32_t loaded = mechanism.Load(files.mechanismBinary, messages); loaded != 0) {
        return Finish(std::move(report), listing, kPellorMechanismUnreadable,
                      "the mechanism binary " + files.mechanismBinary + " cannot be read (reader status " +
                          std::to_string(loaded) + "): " + messages.str());
    }
    if (!std::filesystem::exists(files.transportData)) {
        return Finish(std::move(report), listing, kPellorTransportDataMissing,
                      "FILE " + files.transportData + " not found.");
    }
    bool readOk = false;
    const TransportData data = ParseTransportData(ReadWhole(files.transportData, readOk));
    if (!readOk) {
        return Finish(std::move(report), listing, kPellorTransportDataMissing,
                      "the transport data " + files.transportData + " cannot be read");
    }
    for (const auto& p : data.problems) {
        listing.Add("> " + files.transportData + ", line " + std::to_string(p.line) + " left out (" + p.reason + ")");
    }
    for (const auto& p : data.repeated) {
        listing.Add("> " + files.transportData + ", line " + std::to_string(p.line) + ": another entry of " + p.name +
                    " left out; the first one is kept");
    }
    std::vector<SpeciesTransport> species;
    if (!MatchSpecies(mechanism, data, files.transportData, species, listing, report)) {
        const int32_t status = report.status;
        const std::string message = report.message + "; no transport binary written";
        return Finish(std::move(report), listing, status, message);
    }

    // A record's 4-byte count would wrap past this and leave a binary no reader can frame.
    const double diffusionBytes = 8.0 * kFitCoefficients * static_cast<double>(species.size()) * species.size();
    if (diffusionBytes > 4294967295.0) {
        return Finish(std::move(report), listing, kPellorBinaryNotWritable,
                      "the transport binary cannot be written: the diffusion fits of " +
                          std::to_string(species.size()) + " species take " + Number(diffusionBytes, "%.0f") +
                          " bytes, more than one record holds (4294967295)");
    }
    TransportFits& fits = report.fits;
    fits.coefficients = kFitCoefficients;
    fits.temperatures = kFitTemperatures;
    fits.minTemperature = kFitMinTemperature;
    fits.maxTemperature = kFitMaxTemperature;
    fits.referencePressure = chem::kAtmosphere;
    for (const auto& s : species) {
        fits.names.push_back(s.parameters.name);
        fits.weights.push_back(s.molecularWeight);
        fits.parameters.push_back(s.parameters);
    }
    listing.Add("Species: " + std::to_string(species.size()) + ", fits ln(property) = sum a_n (ln T)^n, n = 0.." +
                std::to_string(kFitCoefficients - 1) + ", over " + Number(kFitMinTemperature) + " to " +
                Number(kFitMaxTemperature) + " K at " + std::to_string(kFitTemperatures) + " temperatures");
    std::vector<double> cpAt1000(species.size());
    mechanism.HeatCapacities(1000.0, cpAt1000.data());
    ListSpecies(species, cpAt1000, listing);
    ComputeFits(mechanism, species, fits, listing, progress);

    std::string error;
    if (!WriteTransportBinary(files.transportBinary, fits, error)) {
        return Finish(std::move(report), listing, kPellorBinaryNotWritable,
                      "the transport binary cannot be written: " + error);
    }
    listing.Add("Transport binary written to " + files.transportBinary);
    return Finish(std::move(report), listing, kPellorOk, {});
}

int32_t RunPellor(const JobRecord& jobRecord, int32_t* status, double* progress) {
    StoreStatus(status, 0);
    StoreProgress(progress, 0.0);
    const JobRecord job = jobRecord;
    PellorFiles files{DecodePathField(job.MechBinFile), DecodePathField(job.TranDatFile),
                      DecodePathField(job.TranspBinFile), DecodePathField(job.OutFile)};
    if (files.listing.empty()) {
        StoreStatus(status, kPellorListingNotWritable);
        return 0;
    }
    if (files.transportBinary.empty()) {
        Listing listing(files.listing);
        listing.Error("job record: TranspBinFile names no file");
        std::string error;
        listing.Write(error);
        StoreStatus(status, kPellorBadJobRecord);
        return 0;
    }
    const PellorReport report = FitTransport(files, progress);
    StoreStatus(status, report.status);
    if (report.status != kPellorOk) return 0;
    StoreProgress(progress, kProgressFinished);
    return kPellorSuccessResult;
}

}  // namespace vantor::pellor
