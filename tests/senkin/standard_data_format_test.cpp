#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "common/entry_abi.h"
#include "common/path_field.h"
#include "outside/senkin/ignition_run.h"
#include "outside/senkin/standard_data_writer.h"
#include "senkin_test_support.h"

using namespace vantor;
using namespace vantor::senkin;
using namespace vantor::senkin::testing;
namespace fs = std::filesystem;

namespace {

// The numbers of a line as the engines' reader takes them: a number is recognised by its last
// character (a point, or a digit from column `start` + 1 on), then read from column `start`.
std::vector<double> NumbersFrom(const std::string& line, size_t start) {
    size_t last = line.find_last_not_of(' ');
    if (last == std::string::npos) return {};
    size_t count = 1;
    for (size_t p = 2; p <= last + 1; ++p) {  // 1-based blank positions
        if (line[p - 1] != ' ') continue;
        const char before = line[p - 2];
        if (before == '.' || (std::isdigit(static_cast<unsigned char>(before)) && p >= start + 1)) ++count;
    }
    std::istringstream in(line.substr(start - 1));
    std::vector<double> values;
    double v;
    while (values.size() < count && in >> v) values.push_back(v);
    EXPECT_EQ(values.size(), count) << line.substr(0, 60);
    return values;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF at byte " << start;
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace

TEST(StandardDataValue, IsAlwaysABlankAnd14Characters) {
    EXPECT_EQ(FormatDataValue(1000.0), "  1.0000000E+03");
    EXPECT_EQ(FormatDataValue(-5.3596937e-1), " -5.3596937E-01");
    EXPECT_EQ(FormatDataValue(3.3333333333e-1), "  3.3333333E-01");
    EXPECT_EQ(FormatDataValue(0.0), "  0.0000000E+00");
    EXPECT_EQ(FormatDataValue(2.5e-120), "  0.0000000E+00");   // would need a three-digit exponent
    EXPECT_EQ(FormatDataValue(-1e-100), "  0.0000000E+00");
    EXPECT_EQ(FormatDataValue(1e-99), "  1.0000000E-99");
    EXPECT_EQ(FormatDataValue(4e105), "  9.9999999E+99");
    EXPECT_EQ(FormatDataValue(-4e105), " -9.9999999E+99");
}

TEST(StandardDataFormat, SatisfiesTheEnginesReaderAndTheComparisonReport) {
    const auto dir = FreshFolder("format");
    chem::Mechanism gri = LoadGri();
    ASSERT_GT(gri.KK(), 0);
    const int kk = gri.KK();
    const JobRecord job = MakeJob(gri, {1.0}, {1000.0, 1200.0},
                                  {{{"CH4", 1.0}, {"O2", 2.0}}, {{"H2", 2.0}, {"O2", 1.0}, {"N2", 3.76}}});
    const IgnitionFiles files{GriBinary(), (dir / "SAVE.dat").string(), (dir / "Out.dat").string(), "chem.inp"};
    const RunReport report = RunIgnitionJob(job, files, RunOptions{}, nullptr);
    ASSERT_EQ(report.status, 0) << report.message;

    const std::string text = ReadText(dir / "SAVE.dat");
    const auto lines = SplitCrLf(text);
    ASSERT_GT(lines.size(), 3u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NE(lines[i].find_first_not_of(' '), std::string::npos) << "empty line " << i + 1;
        EXPECT_EQ(lines[i].find('\n'), std::string::npos);
    }
    EXPECT_EQ(lines[0], "! Var#=    60  SP chem.inp");
    ASSERT_EQ(lines[1].rfind("M DIMENSIONS", 0), 0u);
    EXPECT_EQ(lines[1].find_first_of("0123456789"), 19u);  // numbers from column 20
    const auto dims = NumbersFrom(lines[1], 20);
    ASSERT_EQ(dims.size(), 6u);
    EXPECT_EQ(dims[0], 4);
    EXPECT_EQ(dims[1], kk);
    EXPECT_EQ(dims[2], gri.II());
    EXPECT_EQ(dims[3], gri.IntWorkLength());
    EXPECT_EQ(dims[4], gri.RealWorkLength());
    EXPECT_EQ(dims[5], gri.NameWorkLength());
    EXPECT_EQ(lines.back(), "END");

    // Per case: TAU0, the four INI lines, 20 data lines, DTAUi, DTMAX.
    const int ch4 = gri.SpeciesIndex("CH4"), o2 = gri.SpeciesIndex("O2");
    const std::vector<std::vector<int>> species = {{ch4, o2}, {gri.SpeciesIndex("H2"), o2, gri.SpeciesIndex("N2")}};
    size_t at = 2;
    for (int c = 1; c <= 4; ++c) {
        ASSERT_LT(at + 27, lines.size());
        EXPECT_EQ(lines[at].rfind("TAU0 " + std::to_string(c) + " ", 0), 0u) << lines[at];
        EXPECT_EQ(lines[at + 1].rfind("INI P(atm)= 1", 0), 0u);
        EXPECT_EQ(lines[at + 2].rfind("INI T(K)=", 0), 0u);
        ASSERT_EQ(lines[at + 3].rfind("INI SP IDX ", 0), 0u);
        const auto idx = NumbersFrom(lines[at + 3], 12);
        const auto& expected = species[static_cast<size_t>((c - 1) / 2)];
        ASSERT_EQ(idx.size(), expected.size());
        for (size_t k = 0; k < idx.size(); ++k) EXPECT_EQ(idx[k], expected[k]);
        EXPECT_EQ(lines[at + 4].rfind("INI SP MOL ", 0), 0u);
        EXPECT_EQ(lines[at + 3][7], 'I');  // the reader's initial-species line
        EXPECT_NE(lines[at + 4][7], 'I');
        double lastTime = -1.0;
        for (int p = 0; p < 20; ++p) {
            const std::string& d = lines[at + 5 + static_cast<size_t>(p)];
            ASSERT_EQ(d.size(), static_cast<size_t>(kk + 7) * 15) << "case " << c << " point " << p;
            const auto v = NumbersFrom(d, 1);
            ASSERT_EQ(v.size(), static_cast<size_t>(kk + 7));
            EXPECT_GT(v[0], lastTime);
            lastTime = v[0];
            EXPECT_DOUBLE_EQ(v[1], 1013250.0);
            EXPECT_GT(v[6], 900.0);
            EXPECT_LT(v[6], 3500.0);
            double sum = 0.0;
            for (int k = 7; k < kk + 7; ++k) {
                EXPECT_GE(v[static_cast<size_t>(k)], 0.0);
                sum += v[static_cast<size_t>(k)];
            }
            EXPECT_NEAR(sum, 1.0, 1e-5);
        }
        EXPECT_EQ(lines[at + 25].rfind("DTAUi(s)= ", 0), 0u);
        EXPECT_EQ(lines[at + 26].rfind("DTMAX(K)= ", 0), 0u);
        const double delay = std::strtod(lines[at + 25].c_str() + 10, nullptr);
        EXPECT_NEAR(delay, report.cases[static_cast<size_t>(c - 1)].outcome.ignition.delay, 1e-12);
        at += 27;
    }
    EXPECT_EQ(at + 1, lines.size());
}

TEST(StandardDataFormat, ThePfaEngineReducesFromIt) {
    const std::string library = std::string(VANTOR_BIN_DIR) + "/libKELDA.so";
    if (!fs::exists(library)) GTEST_SKIP() << "the PFA engine is not built";
    const auto dir = FreshFolder("kelda");
    const chem::Mechanism gri = LoadGri();
    JobRecord job = MakeJob(gri, {1.0, 2.0}, {1000.0, 1200.0}, {{{"CH4", 1.0}, {"O2", 2.0}}});
    job.MaxTime = 1e10;
    job.Threshold = 0.04;  // the grid's 0.98 as the PFA engine takes it
    const std::string save = (dir / "SAVE.dat").string();
    ASSERT_EQ(RunIgnitionJob(job, {GriBinary(), save, (dir / "Out.dat").string(), "chem.inp"}, RunOptions{}, nullptr)
                  .status,
              0);

    void* kelda = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(kelda, nullptr) << dlerror();
    const auto entry = reinterpret_cast<EntryFunction>(dlsym(kelda, "KELDA"));
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(EncodePathField(GriBinary(), job.MechBinFile));
    ASSERT_TRUE(EncodePathField(save, job.SaveFile));
    ASSERT_TRUE(EncodePathField((dir / "kelda.out").string(), job.OutFile));
    ASSERT_TRUE(EncodePathField((dir / "SP.TRM").string(), job.TrimFile));
    int32_t status = -1;
    double progress = -1.0;
    EXPECT_EQ(entry(&job, &status, &progress), 10208) << ReadText(dir / "kelda.out");
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fs::exists(dir / "SP.TRM"));
    dlclose(kelda);
}
