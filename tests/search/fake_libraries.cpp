#include "fake_libraries.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/core/mechanism/mechanism_reader.h"
#include "common/path_field.h"

namespace vantor::searchtest {

const char* const kMechanism =
    "ELEMENTS\nH O\nEND\nSPECIES\nH2 O2 H2O H O OH HO2 H2O2 X1 X2\nEND\nREACTIONS\n"
    "H2+O2=H+HO2      1.0E13 0.0 0.0\nH+O2=O+OH        1.0E13 0.0 0.0\nO+H2=H+OH        1.0E13 0.0 0.0\n"
    "OH+H2=H+H2O      1.0E13 0.0 0.0\nHO2+HO2=H2O2+O2  1.0E13 0.0 0.0\nH2O2=OH+OH       1.0E13 0.0 0.0\n"
    "X1+H=X2+H        1.0E13 0.0 0.0\nX2+O=X1+O        1.0E13 0.0 0.0\nEND\n";

namespace {

const char* const kNames[kSpecies] = {"H2", "O2", "H2O", "H", "O", "OH", "HO2", "H2O2", "X1", "X2"};
// Percent a delay grows by when the species is missing (H: no ignition at all).
const double kWeight[kSpecies] = {0, 0, 0, -1, 3, 20, 2, 1, 0.5, 0.5};
// Recorded states (of 10) at which the engine keeps the species.
const int kUse[kSpecies] = {10, 10, 1, 10, 8, 9, 5, 4, 2, 3};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

int32_t FakeTolmar(JobRecord* job, int32_t* status, double* progress) {
    ++Counters().compiles;
    Write(DecodePathField(job->MechBinFile), Read(DecodePathField(job->InpFile)));
    *status = 0;
    *progress = 9999.0;
    return 10308;
}

// The species the "binary" (a copy of the input) keeps: the species section's lines that are
// not commented out.
std::vector<bool> KeptSpecies(const std::string& text) {
    std::vector<bool> kept(kSpecies, false);
    std::istringstream in(text);
    bool inSpecies = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("SPECIES", 0) == 0)
            inSpecies = true;
        else if (inSpecies && line.rfind("END", 0) == 0)
            break;
        else if (inSpecies && line.find("!RD->") == std::string::npos) {
            std::istringstream names(line);
            for (std::string name; names >> name;)
                for (int k = 0; k < kSpecies; ++k)
                    if (name == kNames[k]) kept[static_cast<size_t>(k)] = true;
        }
    }
    return kept;
}

int32_t FakeSenkin(JobRecord* job, int32_t* status, double* progress) {
    ++Counters().ignitionCalls;
    const std::vector<bool> kept = KeptSpecies(Read(DecodePathField(job->MechBinFile)));
    bool all = true;
    for (const bool k : kept) all = all && k;
    if (all && Counters().failDetailedIgnition) {
        *status = 4105;
        return 0;
    }
    if (Counters().failReducedTest && DecodePathField(job->SaveFile).ends_with("New_SAVE.dat")) {
        *status = 4106;
        return 0;
    }
    double growth = 0.0;
    bool ignites = true;
    for (int k = 0; k < kSpecies; ++k) {
        if (kept[static_cast<size_t>(k)]) continue;
        if (kWeight[k] < 0)
            ignites = false;
        else
            growth += kWeight[k];
    }
    std::string out = "! Var#=    17  SP fake\r\n";
    for (int m = 1; m <= job->NMix; ++m)
        for (int p = 0; p < job->NPress; ++p)
            for (int t = 0; t < job->NTemp; ++t) {
                ++Counters().ignitionCases;
                char block[512];
                const double delay =
                    ignites ? 1e3 / (job->Press[p] * job->Temp[t]) * (1.0 + growth / 100.0) : job->MaxTime;
                std::snprintf(
                    block, sizeof block,
                    "TAU0 1 %g %g\r\nINI P(atm)= %g\r\nINI T(K)=   %g\r\n%sDTAUi(s)= %.17g\r\nDTMAX(K)= %g\r\n",
                    job->Press[p], job->Temp[t], job->Press[p], job->Temp[t],
                    ignites ? "" : "! no ignition: the temperature rose by less than 50 K\r\n", delay,
                    ignites ? 1500.0 : 1.0);
                out += block;
            }
    Write(DecodePathField(job->SaveFile), out + "END\r\n");
    *status = 0;
    *progress = 9999.0;
    return 10108;
}

// Keeps H2, O2 and then species 3.. up to 2 + ceil(8 t) (PFA: the job's threshold is 2 - 2 t).
int32_t FakeEngine(JobRecord* job, int32_t* status, double* progress) {
    ++Counters().engineCalls;
    const double t = 1.0 - job->Threshold / 2.0;
    const int keep = std::min(Counters().maxKept.load(), 2 + static_cast<int>(std::ceil(8.0 * t - 1e-9)));
    std::string trim = "NOTE: fake\r\n", listing;
    for (int k = keep + 1; k <= kSpecies; ++k) trim.append(1, ' ').append(std::to_string(k));
    for (int point = 1; point <= 10; ++point) {
        char head[32];
        std::snprintf(head, sizeof head, "Line%3d/21 [%4d]:", point, 0);
        listing += head;
        for (int k = 1; k <= keep; ++k)
            if (kUse[k - 1] >= point) listing.append(4, ' ').append(std::to_string(k));
        listing += "\r\n";
    }
    Write(DecodePathField(job->TrimFile), trim + "\r\n");
    Write(DecodePathField(job->OutFile), listing);
    *status = 0;
    *progress = 9999.0;
    return 10208;
}

}  // namespace

FakeCounters& Counters() {
    static FakeCounters counters;
    return counters;
}

void ResetCounters() {
    Counters().compiles = 0;
    Counters().ignitionCalls = 0;
    Counters().ignitionCases = 0;
    Counters().engineCalls = 0;
    Counters().failDetailedIgnition = false;
    Counters().failReducedTest = false;
    Counters().maxKept = kSpecies;
}

search::SearchEntries FakeEntries() { return {&FakeTolmar, &FakeSenkin, &FakeEngine}; }

search::TargetSearchInput FakeInput(const std::string& folder) {
    Write(folder + "/chem.inp", kMechanism);
    Write(folder + "/therm.dat", "");
    search::TargetSearchInput input;
    OpenMechanism(input.model, folder + "/chem.inp");
    input.settings.grid[kRowPressure][kValueColumn] = "1.0,2.0";
    input.settings.grid[kRowTemperature][kValueColumn] = "1000,1100,1200";
    input.settings.grid[kRowMaxTime][kValueColumn] = "10";
    input.settings.mixtureLines = {"H2 2, O2 1"};
    input.settings.speciesNames = input.model.SpeciesNames();
    input.files = RunFiles{folder, folder, input.model.MechanismPath, ""};
    return input;
}

}  // namespace vantor::searchtest
