#pragma once
// The reduction engines' benchmark states, shared by bench_engines and bench_scaling: a mechanism
// compiled into a folder of its own, a standard data file of spread compositions, and the job
// record of a run on it.
//
// The states are a composition spread over all species (every species 1e-5, the named major
// species as given, normalised) at 1 atm and temperatures spread from 700 K to 2100 K, so that
// every reaction has a non-zero rate and the search reaches far into the mechanism.

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "chemlib/mechanism.h"
#include "common/fixed_format.h"
#include "common/job_record.h"
#include "common/path_field.h"
#include "outside/tolmar/tolmar.h"

namespace enginebench {

namespace fs = std::filesystem;
using vantor::JobRecord;

// A folder of its own for one mechanism's files, removed when the program ends.
struct Workspace {
    std::string dir;
    vantor::chem::Mechanism mech;
    bool ok = false;
    ~Workspace() {
        std::error_code ec;
        if (!dir.empty()) fs::remove_all(dir, ec);
    }
};

inline std::string Data(const std::string& name) { return std::string(VANTOR_TEST_DATA_DIR) + "/" + name; }

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The mechanism binary holds at most three species a side; LLNL n-heptane has a few reactions
// with four or five products. The copy compiled here comments out the lines Tolmar names.
inline std::string WithoutOversizedReactions(const std::string& inp, const std::string& listing) {
    std::vector<size_t> drop;
    const std::string marker = "chem.inp, line ";
    for (size_t at = listing.find(marker); at != std::string::npos; at = listing.find(marker, at + 1)) {
        const size_t number = at + marker.size();
        if (listing.compare(listing.find(':', number), 23, ": more than three produ") == 0 ||
            listing.compare(listing.find(':', number), 23, ": more than three react") == 0)
            drop.push_back(std::stoul(listing.substr(number)));
    }
    std::istringstream in(inp);
    std::string out, line;
    for (size_t n = 1; std::getline(in, line); ++n) {
        if (std::find(drop.begin(), drop.end(), n) != drop.end()) out += "!";
        out += line + "\n";
    }
    return out;
}

inline std::vector<double> Spread(const vantor::chem::Mechanism& mech, const std::vector<std::pair<std::string, double>>& major) {
    std::vector<double> x(static_cast<size_t>(mech.KK()), 1e-5);
    for (const auto& [name, amount] : major) {
        const int32_t k = mech.SpeciesIndex(name);
        if (k > 0) x[static_cast<size_t>(k) - 1] = amount;
    }
    double sum = 0.0;
    for (const double v : x) sum += v;
    for (double& v : x) v /= sum;
    return x;
}

// SAVE.dat with `cases` cases of `points` states each.
inline void WriteStandardData(Workspace& w, int cases, int points, const std::vector<std::pair<std::string, double>>& major,
                       const std::vector<std::string>& start) {
    const auto& m = w.mech;
    std::ostringstream out;
    out << "! Var#=" << m.KK() + 7 << "  SP chem.inp\r\n";
    out << "M DIMENSIONS       " << cases << " " << m.KK() << " " << m.II() << " " << m.IntWorkLength() << " "
        << m.RealWorkLength() << " " << m.NameWorkLength() << "\r\n";
    const std::vector<double> x = Spread(m, major);
    for (int c = 0; c < cases; ++c) {
        out << "TAU0 " << c + 1 << " 1.0 1000.0\r\n";
        out << "INI SP IDX ";
        for (const auto& name : start) out << " " << m.SpeciesIndex(name);
        out << "\r\n";
        for (int p = 0; p < points; ++p) {
            const double T = 700.0 + 1400.0 * p / std::max(points - 1, 1) + 25.0 * c;
            out << " 0.0 1013250.0 0.0 0.0 0.0 0.0 " << vantor::FormatFull(T);
            for (const double v : x) out << " " << vantor::FormatFull(v);
            out << "\r\n";
        }
    }
    out << "END\r\n";
    std::ofstream(w.dir + "/SAVE.dat", std::ios::binary) << out.str();
}

inline JobRecord Job(const Workspace& w, double threshold, int cases, int points) {
    JobRecord job{};
    for (auto* f : {&job.StartDir, &job.TmpFile, &job.InpFile, &job.ThermFile, &job.TranDatFile, &job.TranspBinFile})
        vantor::ClearPathField(*f);
    vantor::EncodePathField(w.dir + "/Chem.bin", job.MechBinFile);
    vantor::EncodePathField(w.dir + "/Out.dat", job.OutFile);
    vantor::EncodePathField(w.dir + "/SP.TRM", job.TrimFile);
    vantor::EncodePathField(w.dir + "/SAVE.dat", job.SaveFile);
    job.NPress = 1;
    job.NTemp = static_cast<int16_t>(cases);
    job.NMix = 1;
    job.NPoints = static_cast<int16_t>(points);
    job.Threshold = threshold;
    job.HeatKeptRatio = 0.0;
    return job;
}


// Compiles `inp` with `therm` (empty: none) into w.dir/Chem.bin and loads it; a mechanism whose
// reactions have more than three species a side is compiled without those reactions.
inline bool CompileInto(Workspace& w, std::string inp, const std::string& therm) {
    std::string pattern = (fs::temp_directory_path() / "vantor_bench_XXXXXX").string();
    w.dir = ::mkdtemp(pattern.data()) ? pattern : std::string();
    if (w.dir.empty()) return false;
    const std::string bin = w.dir + "/Chem.bin";
    const std::string listing = w.dir + "/tolmar.lst";
    if (vantor::tolmar::CompileMechanismFiles(inp, therm, bin, listing) != 0) {
        const std::string trimmed = w.dir + "/chem.inp";
        std::ofstream(trimmed, std::ios::binary) << WithoutOversizedReactions(ReadText(inp), ReadText(listing));
        inp = trimmed;
        if (vantor::tolmar::CompileMechanismFiles(inp, therm, bin, listing) != 0) return false;
    }
    std::ostringstream msg;
    w.ok = w.mech.Load(bin, msg) == 0;
    return w.ok;
}

}  // namespace enginebench
