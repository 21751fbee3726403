#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "chemlib/mechanism.h"
#include "common/entry_abi.h"
#include "common/path_field.h"
#include "common/record_io.h"
#include "outside/pellor/log_polynomial_fit.h"
#include "outside/pellor/pellor.h"
#include "outside/tolmar/tolmar.h"

using namespace vantor;
using namespace vantor::pellor;
namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kGriData = std::string(VANTOR_TEST_DATA_DIR) + "/gri30/";

class PellorRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("vantor_pellor_" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        ASSERT_EQ(tolmar::CompileMechanismFiles(kGriData + "chem.inp", kGriData + "therm.dat",
                                                (folder_ / "Chem.bin").string(), (folder_ / "tolmar.out").string()),
                  0);
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    PellorFiles Files(const std::string& tranDat = kGriData + "tran.dat") const {
        return {(folder_ / "Chem.bin").string(), tranDat, (folder_ / "Tran.bin").string(),
                (folder_ / "Out.dat").string()};
    }
    // GRI-Mech's transport data with `edit` applied to its lines.
    std::string EditedTransportData(const std::function<void(std::vector<std::string>&)>& edit) const {
        std::istringstream in(ReadText(kGriData + "tran.dat"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        edit(lines);
        const std::string path = (folder_ / "edited_tran.dat").string();
        std::ofstream out(path, std::ios::binary);
        for (const auto& line : lines) out << line << "\n";
        return path;
    }

    static fs::path folder_;
};

fs::path PellorRun::folder_;

// The binary's records, read back by its documented layout.
struct BinaryContents {
    std::string name;
    int32_t kk = 0, no = 0, nt = 0;
    double tmin = 0, tmax = 0, pref = 0;
    std::vector<std::string> names;
    std::vector<double> weights, viscosity, conductivity, diffusion;
};

BinaryContents ReadBinary(const std::string& path) {
    RecordReader reader;
    EXPECT_TRUE(reader.Open(path));
    BinaryContents c;
    std::vector<uint8_t> record;
    EXPECT_EQ(reader.Next(record), RecordStatus::Ok);
    {
        RecordCursor r(record);
        c.name = r.Name(16);
        c.kk = r.Int();
        c.no = r.Int();
        c.nt = r.Int();
        c.tmin = r.Real();
        c.tmax = r.Real();
        c.pref = r.Real();
        EXPECT_FALSE(r.Failed());
    }
    const auto reals = [&](size_t count) {
        EXPECT_EQ(reader.Next(record), RecordStatus::Ok);
        RecordCursor r(record);
        std::vector<double> v(count);
        for (auto& x : v) x = r.Real();
        EXPECT_EQ(r.Remaining(), 0u);
        return v;
    };
    EXPECT_EQ(reader.Next(record), RecordStatus::Ok);
    RecordCursor names(record);
    for (int32_t k = 0; k < c.kk; ++k) c.names.push_back(names.Name(16));
    const auto kk = static_cast<size_t>(c.kk), no = static_cast<size_t>(c.no);
    c.weights = reals(kk);
    EXPECT_EQ(reader.Next(record), RecordStatus::Ok);  // geometries
    EXPECT_EQ(record.size(), 4 * kk);
    reals(5 * kk);
    c.viscosity = reals(no * kk);
    c.conductivity = reals(no * kk);
    c.diffusion = reals(no * kk * kk);
    EXPECT_EQ(reader.Next(record), RecordStatus::EndOfFile);
    return c;
}

std::vector<double> Fit(const std::vector<double>& all, size_t index, int no) {
    return {all.begin() + static_cast<long>(index) * no, all.begin() + static_cast<long>(index + 1) * no};
}

}  // namespace

TEST_F(PellorRun, EntryWritesTheDocumentedLayoutWithTabulatedViscosities) {
    void* library = dlopen((std::string(VANTOR_BIN_DIR) + "/libPellor.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto entry = reinterpret_cast<EntryFunction>(dlsym(library, "CKTRANTOBIN"));
    ASSERT_NE(entry, nullptr);
    JobRecord job{};
    const PellorFiles files = Files();
    ASSERT_TRUE(EncodePathField(files.mechanismBinary, job.MechBinFile));
    ASSERT_TRUE(EncodePathField(files.transportData, job.TranDatFile));
    ASSERT_TRUE(EncodePathField(files.transportBinary, job.TranspBinFile));
    ASSERT_TRUE(EncodePathField(files.listing, job.OutFile));
    int32_t status = -1;
    double progress = -1.0;
    EXPECT_EQ(entry(&job, &status, &progress), 10408);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(progress, 9999.0);
    dlclose(library);

    const BinaryContents c = ReadBinary(files.transportBinary);
    EXPECT_EQ(c.name, "PELLOR-TRAN 1   ");
    EXPECT_EQ(c.kk, 53);
    EXPECT_EQ(c.no, kFitCoefficients);
    EXPECT_EQ(c.nt, kFitTemperatures);
    EXPECT_EQ(c.tmin, 300.0);
    EXPECT_EQ(c.tmax, 3500.0);
    EXPECT_EQ(c.pref, 1013250.0);
    chem::Mechanism gri;
    std::ostringstream messages;
    ASSERT_EQ(gri.Load(files.mechanismBinary, messages), 0);
    for (int32_t k = 1; k <= gri.KK(); ++k) {
        EXPECT_EQ(c.names[static_cast<size_t>(k - 1)].substr(0, gri.SpeciesName(k).size()), gri.SpeciesName(k));
        EXPECT_EQ(c.weights[static_cast<size_t>(k - 1)], gri.MolecularWeight(k));
    }
    const auto n2 = static_cast<size_t>(gri.SpeciesIndex("N2") - 1);
    const auto h2o = static_cast<size_t>(gri.SpeciesIndex("H2O") - 1);
    const auto h2 = static_cast<size_t>(gri.SpeciesIndex("H2") - 1);
    // Tabulated (1 uPa s = 1e-5 g/(cm s)): N2 17.9 at 300 K (CRC Handbook) and 41.5 at 1000 K
    // (Lemmon and Jacobsen 2004); steam 37.6 at 1000 K (IAPWS 2008).
    EXPECT_NEAR(EvaluateLogPolynomial(Fit(c.viscosity, n2, c.no), 300.0) / 17.9e-5, 1.0, 0.02);
    EXPECT_NEAR(EvaluateLogPolynomial(Fit(c.viscosity, n2, c.no), 1000.0) / 41.5e-5, 1.0, 0.02);
    EXPECT_NEAR(EvaluateLogPolynomial(Fit(c.viscosity, h2o, c.no), 1000.0) / 37.6e-5, 1.0, 0.02);
    EXPECT_NEAR(EvaluateLogPolynomial(Fit(c.conductivity, n2, c.no), 300.0) / 2590.0, 1.0, 0.05);
    const auto kk = static_cast<size_t>(c.kk);
    const auto pair = [&](size_t j, size_t k) { return Fit(c.diffusion, j + kk * k, c.no); };
    EXPECT_NEAR(EvaluateLogPolynomial(pair(h2, n2), 300.0), 0.78, 0.04);
    EXPECT_EQ(pair(h2, n2), pair(n2, h2));
    EXPECT_NE(ReadText(files.listing).find("Transport binary written to"), std::string::npos);
}

TEST_F(PellorRun, MissingSpeciesAreNamedAndNoBinaryIsWritten) {
    std::ofstream(Files().transportBinary) << "earlier binary";
    const std::string tran = EditedTransportData([](std::vector<std::string>& lines) {
        std::erase_if(lines, [](const std::string& l) { return l.rfind("CH2O ", 0) == 0 || l.rfind("HCN ", 0) == 0; });
    });
    const PellorReport report = FitTransport(Files(tran), nullptr);
    EXPECT_EQ(report.status, kPellorSpeciesMissing);
    EXPECT_EQ(report.message, "no transport data in " + tran + " for CH2O HCN; no transport binary written");
    const std::string listing = ReadText(Files().listing);
    EXPECT_NE(listing.find("* ERROR: species CH2O has no transport data in " + tran), std::string::npos);
    EXPECT_NE(listing.find("* ERROR: species HCN has no transport data in " + tran), std::string::npos);
    EXPECT_EQ(ReadText(Files().transportBinary), "earlier binary");
}

TEST_F(PellorRun, BadLineFailsOnlyWhenTheMechanismNeedsIt) {
    const std::string unneeded = EditedTransportData([](std::vector<std::string>& lines) {
        lines.push_back("XYZ 2 abc 3.0 0.0 0.0 1.0");
    });
    EXPECT_EQ(FitTransport(Files(unneeded), nullptr).status, kPellorOk);
    EXPECT_NE(ReadText(Files().listing).find("left out (\"abc\" is not a number)"), std::string::npos);

    const std::string needed = EditedTransportData([](std::vector<std::string>& lines) {
        for (auto& l : lines) {
            if (l.rfind("N2 ", 0) == 0) l = "N2                 1    97.530     3.621     0.000     1.760";
        }
    });
    const PellorReport report = FitTransport(Files(needed), nullptr);
    EXPECT_EQ(report.status, kPellorTransportDataBad);
    EXPECT_NE(report.message.find(needed + ", line "), std::string::npos);
    EXPECT_NE(ReadText(Files().listing).find("expected a name and 6 numbers, found 5 values: \"N2 "),
              std::string::npos);
}

TEST_F(PellorRun, EveryUnusableEntryIsNamedInOneMessage) {
    const std::string tran = EditedTransportData([](std::vector<std::string>& lines) {
        std::erase_if(lines, [](const std::string& l) { return l.rfind("CH2O ", 0) == 0 || l.rfind("HCN ", 0) == 0; });
        for (auto& l : lines) {
            if (l.rfind("N2 ", 0) == 0 || l.rfind("AR ", 0) == 0) l.replace(l.find_first_not_of(' ', 3), 1, "x");
        }
    });
    const PellorReport report = FitTransport(Files(tran), nullptr);
    EXPECT_EQ(report.status, kPellorTransportDataBad);
    const size_t n2 = report.message.find(" is not a number; line "), missing = report.message.find("CH2O HCN");
    EXPECT_NE(n2, std::string::npos) << report.message;  // both bad lines
    EXPECT_NE(missing, std::string::npos) << report.message;
    EXPECT_EQ(report.message.rfind(tran + ", line ", 0), 0u) << report.message;
}

TEST_F(PellorRun, MissingFilesFail) {
    PellorFiles files = Files((folder_ / "none.dat").string());
    EXPECT_EQ(FitTransport(files, nullptr).status, kPellorTransportDataMissing);
    EXPECT_NE(ReadText(files.listing).find("FILE " + files.transportData + " not found."), std::string::npos);
    files = Files();
    files.mechanismBinary = (folder_ / "none.bin").string();
    EXPECT_EQ(FitTransport(files, nullptr).status, kPellorMechanismMissing);
    files = Files();
    files.transportBinary = (folder_ / "no folder" / "Tran.bin").string();
    EXPECT_EQ(FitTransport(files, nullptr).status, kPellorBinaryNotWritable);
}
