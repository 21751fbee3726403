#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "chemlib/mechanism.h"
#include "common/fixed_format.h"
#include "common/path_field.h"
#include "engine/kelda/kelda_entry.h"
#include "engine/brena/brena_entry.h"
#include "engine/morva/morva_entry.h"
#include "engine/tovik/tovik_entry.h"
#include "outside/tolmar/tolmar.h"

namespace vantor::engine::testing {
namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "vantor_engine_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a temporary folder";
    root_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(root_, ec);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

CompiledMechanism CompileMechanism(const TempDir& dir, const std::string& inpPath, const std::string& thermPath) {
    CompiledMechanism out;
    out.binPath = dir.Path("Chem.bin");
    const int32_t status = tolmar::CompileMechanismFiles(inpPath, thermPath, out.binPath, dir.Path("tolmar.lst"));
    EXPECT_EQ(status, 0) << ReadFile(dir.Path("tolmar.lst"));
    chem::Mechanism mech;
    std::ostringstream msg;
    EXPECT_EQ(mech.Load(out.binPath, msg), 0) << msg.str();
    out.KK = mech.KK();
    out.II = mech.II();
    out.intWorkLength = mech.IntWorkLength();
    out.realWorkLength = mech.RealWorkLength();
    out.nameWorkLength = mech.NameWorkLength();
    return out;
}

namespace {

// One NASA 7-coefficient entry (both ranges alike): constant cp = 4 R, the given a6.
std::string ThermoEntry(const std::string& name, double a6) {
    char line[4][128];
    std::snprintf(line[0], sizeof line[0], "%-18s%-6s%-2s%3d%-2s%3d%-10s%c%10.3f%10.3f%8.2f%6s1", name.c_str(), "TEST",
                  "C", 1, "H", 4, "", 'G', 300.0, 5000.0, 1000.0, "");
    const auto e = [](double v) { return FormatE(v, 15, 8); };
    const std::string a = e(4.0) + e(0.0) + e(0.0) + e(0.0) + e(0.0);
    std::snprintf(line[1], sizeof line[1], "%s    2", a.c_str());
    const std::string b = e(a6) + e(2.0) + e(4.0) + e(0.0) + e(0.0);
    std::snprintf(line[2], sizeof line[2], "%s    3", b.c_str());
    const std::string c = e(0.0) + e(0.0) + e(a6) + e(2.0);
    std::snprintf(line[3], sizeof line[3], "%s                   4", c.c_str());
    return std::string(line[0]) + "\n" + line[1] + "\n" + line[2] + "\n" + line[3] + "\n";
}

}  // namespace

CompiledMechanism CompileIsomerMechanism(const TempDir& dir, const std::vector<std::string>& species,
                                         const std::vector<std::string>& reactions) {
    std::string inp = "ELEMENTS\nC H\nEND\nSPECIES\n";
    for (const auto& s : species) inp += s + "\n";
    inp += "END\nREACTIONS\n";
    for (const auto& r : reactions) inp += r + (r.find(' ') == std::string::npos ? "   1.0E13 0.0 0.0" : "") + "\n";
    inp += "END\n";
    std::string therm = "THERMO\n   300.000  1000.000  5000.000\n";
    for (size_t k = 0; k < species.size(); ++k) therm += ThermoEntry(species[k], -1000.0 * double(k + 1));
    therm += "END\n";
    WriteFile(dir.Path("chem.inp"), inp);
    WriteFile(dir.Path("therm.dat"), therm);
    return CompileMechanism(dir, dir.Path("chem.inp"), dir.Path("therm.dat"));
}

CompiledMechanism CompileGriMech(const TempDir& dir) {
    const std::string data = std::string(VANTOR_TEST_DATA_DIR) + "/gri30/";
    return CompileMechanism(dir, data + "chem.inp", data + "therm.dat");
}

StandardData::StandardData(const CompiledMechanism& mech, int cases) : ns_(mech.KK) {
    Line("! Var#=" + FormatI(mech.KK + 7, 6) + "  SP chem.inp");
    std::string dims = "M DIMENSIONS";
    dims.resize(19, ' ');
    for (const long long v : {static_cast<long long>(cases), static_cast<long long>(mech.KK),
                              static_cast<long long>(mech.II), static_cast<long long>(mech.intWorkLength),
                              static_cast<long long>(mech.realWorkLength), static_cast<long long>(mech.nameWorkLength)})
        dims.append(" ").append(std::to_string(v));
    Line(dims);
}

StandardData& StandardData::Line(const std::string& text) {
    text_ += text + "\r\n";
    return *this;
}

StandardData& StandardData::Case(int number, double pAtm, double tK) {
    return Line("TAU0 " + std::to_string(number) + " " + FormatFull(pAtm) + " " + FormatFull(tK))
        .Line("INI P(atm)= " + FormatFull(pAtm))
        .Line("INI T(K)=   " + FormatFull(tK));
}

StandardData& StandardData::Initial(const std::vector<int>& species) {
    std::string idx = "INI SP IDX ";
    for (const int k : species) idx.append(" ").append(std::to_string(k));
    return Line(idx).Line("INI SP MOL  1.0");
}

StandardData& StandardData::Point(double pDyn, double tK, const std::vector<double>& moleFractions) {
    std::string line = " 1.0E-05 " + FormatFull(pDyn) + " 0.0 0.0 0.0 0.0 " + FormatFull(tK);
    for (const double x : moleFractions) line.append(" ").append(FormatFull(x));
    return Line(line);
}

StandardData& StandardData::End() { return Line("DTAUi(s)= 1.0E-3").Line("DTMAX(K)= 1000.0").Line("END"); }

std::vector<double> Spread(int32_t NS, const std::vector<std::pair<int, double>>& major, double floor) {
    std::vector<double> x(static_cast<size_t>(NS), floor);
    for (const auto& [k, amount] : major) x[static_cast<size_t>(k) - 1] = amount;
    double sum = 0.0;
    for (const double v : x) sum += v;
    for (double& v : x) v /= sum;
    return x;
}

void SetPath(JobRecord& job, PathField JobRecord::*field, const std::string& path) {
    EXPECT_TRUE(EncodePathField(path, job.*field)) << path;
}

JobRecord MakeJob(const TempDir& dir, double threshold, double heatKeptRatio) {
    JobRecord job{};
    for (PathField* f : {&job.StartDir, &job.MechBinFile, &job.OutFile, &job.TrimFile, &job.SaveFile, &job.TmpFile,
                         &job.InpFile, &job.ThermFile, &job.TranDatFile, &job.TranspBinFile})
        ClearPathField(*f);
    SetPath(job, &JobRecord::MechBinFile, dir.Path("Chem.bin"));
    SetPath(job, &JobRecord::OutFile, dir.Path("Out.dat"));
    SetPath(job, &JobRecord::TrimFile, dir.Path("SP.TRM"));
    SetPath(job, &JobRecord::SaveFile, dir.Path("SAVE.dat"));
    job.NPress = 1;
    job.NTemp = 1;
    job.NMix = 1;
    job.NPoints = 20;
    job.Threshold = threshold;
    job.HeatKeptRatio = heatKeptRatio;
    job.Marker = 99;
    return job;
}

EntryBody EntryOf(Engine engine) {
    constexpr EntryBody kBodies[] = {&RunKelda, &RunMorva, &RunBrena, &RunTovik};
    return kBodies[static_cast<int>(engine)];
}

EngineRun RunEngine(Engine engine, const JobRecord& job) {
    EngineRun run;
    JobRecord copy = job;
    run.result = EntryOf(engine)(&copy, &run.status, &run.progress);
    EXPECT_EQ(0, std::memcmp(&copy, &job, sizeof(JobRecord))) << "the engine wrote into the caller's job record";
    return run;
}

}  // namespace vantor::engine::testing
