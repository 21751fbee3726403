// The bundled mechanisms compile, and what the binary holds agrees with independent reference
// values (molecular weights, rate constants and enthalpies from another kinetics code).

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "common/fixed_format.h"
#include "outside/tolmar/tolmar.h"
#include "tolmar/tolmar_test_support.h"

namespace vantor::tolmar::testing {
namespace {

struct Compiled {
    int32_t status = -1;
    BinaryImage image;
    std::string listing;
};

Compiled CompileData(const std::string& folder, bool withThermo) {
    TempDir dir;
    Compiled c;
    const std::string bin = dir.Path("Chem.bin"), out = dir.Path("Out.dat");
    c.status = CompileMechanismFiles(DataPath(folder + "/chem.inp"), withThermo ? DataPath(folder + "/therm.dat") : "",
                                     bin, out);
    c.listing = ReadFileText(out);
    std::string error;
    EXPECT_TRUE(ReadBinaryImage(bin, c.image, error)) << error << "\n" << c.listing;
    return c;
}

const Compiled& Gri30() {
    static const Compiled c = CompileData("gri30", true);
    return c;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(TolmarMechanisms, Gri30CompilesWithItsCounts) {
    const Compiled& c = Gri30();
    ASSERT_EQ(c.status, 0) << c.listing;
    EXPECT_TRUE(c.image.atCleanEnd);
    EXPECT_EQ(c.image.version, "3.9             ");
    EXPECT_EQ(c.image.precision.substr(0, 6), "DOUBLE");
    EXPECT_FALSE(c.image.errorMarker);
    EXPECT_EQ(c.image.MM(), 5);
    EXPECT_EQ(c.image.KK(), 53);
    EXPECT_EQ(c.image.II(), 325);
    EXPECT_EQ(c.image.Dim("MXSP"), 6);
    EXPECT_EQ(c.image.Dim("MXTEMP"), 3);
    EXPECT_EQ(c.image.Dim("NPOLY"), 5);
    EXPECT_EQ(c.image.Dim("NFALLOFF"), 29);
    EXPECT_EQ(c.image.Dim("NREVPAR"), 0);
    EXPECT_EQ(c.image.coefMin, -1.0e30);
    // every "+M" and "(+M)" reaction is a third-body reaction
    EXPECT_EQ(c.image.Dim("NTHIRD"), 12 + 29);
    EXPECT_EQ(c.image.elements, (std::vector<std::string>{"O", "H", "C", "N", "AR"}));
    EXPECT_EQ(c.image.atomicWeights, (std::vector<double>{15.999, 1.008, 12.011, 14.007, 39.95}));
    EXPECT_EQ(c.image.pressureIndex1.size(), 326u);
    EXPECT_EQ(c.image.pressureIndex1[0], 0);
}

TEST(TolmarMechanisms, Gri30ReactionsAsWritten) {
    const BinaryImage& im = Gri30().image;
    const int32_t O = im.SpeciesIndex("O"), O2 = im.SpeciesIndex("O2");
    // 1: 2O+M<=>O2+M, one slot with -2
    const ImageReaction& r1 = im.reactions[0];
    EXPECT_EQ(r1.species[0], O);
    EXPECT_EQ(r1.coefficients[0], -2);
    EXPECT_EQ(r1.species[1], 0);
    EXPECT_EQ(r1.species[3], O2);
    EXPECT_EQ(r1.coefficients[3], 1);
    EXPECT_EQ(r1.speciesCount, 2);
    EXPECT_EQ(r1.reactantCount, 1);
    ASSERT_TRUE(im.thirdBody.count(1));
    EXPECT_EQ(im.thirdBody.at(1).ints[0], 7);  // H2 H2O CH4 CO CO2 C2H6 AR
    EXPECT_EQ(im.thirdBody.at(1).ints[1], im.SpeciesIndex("H2"));
    EXPECT_EQ(im.thirdBody.at(1).reals[0], 2.4);
    // 12: O+CO(+M)<=>CO2(+M), Lindemann, LOW in rows 1-3, bath 0
    ASSERT_TRUE(im.fallOff.count(12));
    EXPECT_EQ(im.fallOff.at(12).ints, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(im.fallOff.at(12).reals[0], 6.02e14);
    EXPECT_DOUBLE_EQ(im.fallOff.at(12).reals[2], 3000.0 * 4.184e7 / 83145100.0);
    EXPECT_TRUE(im.thirdBody.count(12));
    // 50: H+CH2(+M)<=>CH3(+M) with a four-parameter TROE
    ASSERT_TRUE(im.fallOff.count(50));
    EXPECT_EQ(im.fallOff.at(50).ints[0], 4);
    EXPECT_EQ((std::vector<double>(im.fallOff.at(50).reals.begin() + 3, im.fallOff.at(50).reals.end())),
              (std::vector<double>{0.5620, 91.0, 5836.0, 8552.0, 0.0}));
    // 324: HO2+C3H7=>OH+C2H5+CH2O is irreversible with five occupied slots; 325: ...<=>2C2H5
    EXPECT_EQ(im.reactions[323].speciesCount, -5);
    EXPECT_EQ(im.reactions[324].coefficients[3], 2);
    EXPECT_EQ(im.reactions[0].arrhenius[0], 1.2e17);
}

// The reference file lists species weights and per state the forward rate constants.
struct Reference {
    std::map<std::string, double> weights;
    std::map<int, std::string> types;
    struct State {
        double T = 0.0;
        std::map<int, double> kf;
        std::map<std::string, double> H;
    };
    std::vector<State> states;
};

Reference ReadReference() {
    Reference ref;
    std::ifstream in(DataPath("reference/gri30_rates.txt"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string tag;
        s >> tag;
        if (tag == "SP") {
            int k;
            std::string name;
            double w;
            s >> k >> name >> w;
            ref.weights[name] = w;
        } else if (tag == "RX") {
            int i, f, r;
            std::string type;
            s >> i >> f >> r >> type;
            ref.types[i] = type;
        } else if (tag == "STATE") {
            std::string key;
            int n;
            Reference::State st;
            s >> n >> key >> st.T;
            ref.states.push_back(st);
        } else if (tag == "S" && !ref.states.empty()) {
            int k;
            std::string name;
            double x, c, wdot, h;
            s >> k >> name >> x >> c >> wdot >> h;
            ref.states.back().H[name] = h;
        } else if (tag == "R" && !ref.states.empty()) {
            int i;
            double qf, qr, qn, kf;
            s >> i >> qf >> qr >> qn >> kf;
            ref.states.back().kf[i] = kf;
        }
    }
    return ref;
}

TEST(TolmarMechanisms, Gri30MolecularWeightsMatchReference) {
    const BinaryImage& im = Gri30().image;
    const Reference ref = ReadReference();
    ASSERT_EQ(ref.weights.size(), 53u);
    for (const ImageSpecies& s : im.species) {
        ASSERT_TRUE(ref.weights.count(s.name)) << s.name;
        EXPECT_NEAR(s.weight, ref.weights.at(s.name), 1e-12 * s.weight) << s.name;
    }
}

TEST(TolmarMechanisms, Gri30ArrheniusConstantsMatchReference) {
    const BinaryImage& im = Gri30().image;
    const Reference ref = ReadReference();
    ASSERT_EQ(ref.states.size(), 6u);
    int compared = 0;
    for (const auto& state : ref.states) {
        for (const auto& [i, type] : ref.types) {
            // plain Arrhenius and "+M" reactions (whose reference constant excludes [M])
            if (type != "Arrhenius" && type != "three-body-Arrhenius") continue;
            const auto& p = im.reactions.at(static_cast<size_t>(i - 1)).arrhenius;
            const double k = p[0] * std::exp(p[1] * std::log(state.T) - p[2] / state.T);
            EXPECT_NEAR(k, state.kf.at(i), 1e-11 * std::abs(state.kf.at(i))) << "reaction " << i << " T " << state.T;
            ++compared;
        }
    }
    EXPECT_GT(compared, 6 * 250);
}

TEST(TolmarMechanisms, Gri30ThermoRangesMatchReferenceEnthalpies) {
    const BinaryImage& im = Gri30().image;
    const Reference ref = ReadReference();
    for (const auto& state : ref.states) {
        const double T = state.T;
        for (const ImageSpecies& s : im.species) {
            // range 1 (the low range) up to the common temperature
            const auto& a = T <= s.temperatures[1] ? s.low : s.high;
            const double h =
                83145100.0 * T *
                (a[0] + a[1] * T / 2 + a[2] * T * T / 3 + a[3] * T * T * T / 4 + a[4] * T * T * T * T / 5 + a[5] / T);
            EXPECT_NEAR(h, state.H.at(s.name), 1e-9 * std::abs(state.H.at(s.name)) + 1e-3) << s.name << " T " << T;
        }
    }
}

TEST(TolmarMechanisms, H2LiUsesItsOwnThermoWithoutAFile) {
    const Compiled c = CompileData("h2_li", false);
    ASSERT_EQ(c.status, 0) << c.listing;
    EXPECT_EQ(c.image.KK(), 9);
    EXPECT_EQ(c.image.II(), 21);  // the three DUPLICATE pairs count separately
    EXPECT_EQ(c.image.Dim("NFALLOFF"), 2);
    EXPECT_EQ(c.image.Dim("NTHIRD"), 6);
    // HO2 takes the section's entry: 200 / 1000 / 3500 K
    const ImageSpecies& ho2 = c.image.species.at(static_cast<size_t>(c.image.SpeciesIndex("HO2") - 1));
    EXPECT_EQ(ho2.temperatures, (std::array<double, 3>{200.0, 1000.0, 3500.0}));
    EXPECT_EQ(ho2.high[0], 4.01721090);
    EXPECT_EQ(ho2.low[0], 4.30179801);
    EXPECT_EQ(ho2.low[6], 3.71666245);
    EXPECT_NE(c.listing.find("THERMO ALL section"), std::string::npos);
}

TEST(TolmarMechanisms, NHeptaneCompilesWithWarningsForRepeatedDeclarations) {
    const Compiled c = CompileData("nc7_llnl", true);
    ASSERT_EQ(c.status, 0) << c.listing.substr(c.listing.find(" WARNINGS"));
    EXPECT_EQ(c.image.KK(), 631);
    EXPECT_EQ(c.image.II(), 2827);
    EXPECT_EQ(c.image.Dim("NREVPAR"), 2431);
    EXPECT_EQ(c.image.Dim("NFALLOFF"), 35);
    EXPECT_EQ(Count(c.listing, " declared again; the first declaration is kept"), 4u);
    EXPECT_EQ(Count(c.listing, "another thermo entry of "), 80u);
    EXPECT_NE(c.listing.find("species CH2O2H declared again"), std::string::npos);
    // first of two entries: C5H11O-1 at line 1002 of therm.dat wins over line 1038
    EXPECT_NE(c.listing.find("another thermo entry of C5H11O-1 ignored; the entry of " +
                             DataPath("nc7_llnl/therm.dat") + ", line 1002 is kept"),
              std::string::npos);
    // H+O2<=>O+OH with its explicit REV
    ASSERT_TRUE(c.image.reverse.count(1));
    EXPECT_EQ(c.image.reverse.at(1).reals[0], 1.027e13);
    EXPECT_DOUBLE_EQ(c.image.reverse.at(1).reals[2], -133.0 * 4.184e7 / 83145100.0);
}

TEST(TolmarMechanisms, NHeptaneFiveProductDecompositionKeepsEverySpecies) {
    const Compiled c = CompileData("nc7_llnl", true);
    ASSERT_EQ(c.status, 0);
    const BinaryImage& im = c.image;
    // NC6D1KET36=>OH+C2H3+CO+CH2O+C2H4: the fourth and fifth product in reactant slots 2 and 3,
    // the forward rate from an order entry on the reactant alone.
    size_t i = 0;
    while (i < im.reactions.size() && im.reactions[i].species[0] != im.SpeciesIndex("NC6D1KET36")) ++i;
    ASSERT_LT(i, im.reactions.size());
    const ImageReaction& r = im.reactions[i];
    EXPECT_EQ(r.speciesCount, -6);
    EXPECT_EQ(r.coefficients, (std::array<int32_t, 6>{-1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(r.species[1], im.SpeciesIndex("CH2O"));
    EXPECT_EQ(r.species[2], im.SpeciesIndex("C2H4"));
    EXPECT_EQ(r.species[3], im.SpeciesIndex("OH"));
    const auto number = static_cast<int32_t>(i + 1);
    ASSERT_TRUE(im.orders.count(number));
    EXPECT_EQ(im.orders.at(number).ints[0], -im.SpeciesIndex("NC6D1KET36"));
    EXPECT_EQ(im.orders.at(number).reals[0], 1.0);
    // every reaction conserves mass with the slots as written
    for (const ImageReaction& reaction : im.reactions) {
        double mass = 0.0;
        for (int n = 0; n < 6; ++n)
            if (reaction.species[n]) mass += reaction.coefficients[n] * im.species[reaction.species[n] - 1].weight;
        EXPECT_NEAR(mass, 0.0, 1e-9);
    }
}

TEST(TolmarMechanisms, ListingSummarisesWithCrLfLineEnds) {
    const std::string& listing = Gri30().listing;
    EXPECT_NE(listing.find(" ELEMENTS (5)"), std::string::npos);
    EXPECT_NE(listing.find(" SPECIES (53)"), std::string::npos);
    EXPECT_NE(listing.find(" REACTIONS (325)"), std::string::npos);
    EXPECT_NE(listing.find("fall-off Troe (4), bath M"), std::string::npos);
    EXPECT_NE(listing.find("Status 0 (success)"), std::string::npos);
    // full precision: E/R of O+H2<=>H+OH (6260 cal/mol)
    EXPECT_NE(listing.find(FormatFull(6260.0 * 4.184e7 / 83145100.0)), std::string::npos);
    size_t lf = 0, crlf = 0;
    for (size_t n = 0; n < listing.size(); ++n)
        if (listing[n] == '\n') ++lf, crlf += n > 0 && listing[n - 1] == '\r';
    EXPECT_GT(lf, 400u);
    EXPECT_EQ(lf, crlf);
}

// Binaries of mechanisms whose reactions fit six slots stay byte for byte what earlier versions
// wrote (FNV-1a digests of those files), so existing binaries and their users see no change.
TEST(TolmarMechanisms, SixSlotMechanismsCompileToTheSameBytes) {
    const struct {
        const char* folder;
        bool withThermo;
        uint64_t digest;
        size_t size;
    } cases[] = {{"gri30", true, 0xe7264aba9bc6446cULL, 48200},
                 {"h2_li", false, 0x63873ca46af23b56ULL, 4396},
                 {"nc7_llnl", true, 0xb2ab832d2452fafdULL, 471768}};
    for (const auto& c : cases) {
        TempDir dir;
        const std::string bin = dir.Path("Chem.bin");
        ASSERT_EQ(CompileMechanismFiles(DataPath(std::string(c.folder) + "/chem.inp"),
                                        c.withThermo ? DataPath(std::string(c.folder) + "/therm.dat") : "", bin,
                                        dir.Path("Out.dat")),
                  0)
            << c.folder;
        const std::string bytes = ReadFileText(bin);
        uint64_t digest = 0xcbf29ce484222325ULL;
        for (const char b : bytes) digest = (digest ^ static_cast<unsigned char>(b)) * 0x100000001b3ULL;
        EXPECT_EQ(bytes.size(), c.size) << c.folder;
        EXPECT_EQ(digest, c.digest) << c.folder;
    }
}

// The butanol mechanism of Sarathy et al. (2012): six chemically activated reactions (HIGH, with
// Troe and SRI forms) and two emissions "...+hv". Its thermo file writes two exponents with a blank
// for the sign, which the copy here spells out so that this test sees the reactions alone.
TEST(TolmarMechanisms, ButanolKeepsItsChemicallyActivatedReactions) {
    const std::string folder = DataPath("corpus/butanol_sarathy2012/");
    std::string thermo = ReadFileText(folder + "1-s2.0-S0010218011004263-mmc6.txt");
    for (size_t at = 0; (at = thermo.find("e 0", at)) != std::string::npos; ++at) thermo[at + 1] = '+';
    TempDir dir;
    const std::string bin = dir.Path("Chem.bin"), out = dir.Path("Out.dat");
    ASSERT_EQ(CompileMechanismFiles(folder + "1-s2.0-S0010218011004263-mmc3.txt", dir.Write("therm.dat", thermo), bin,
                                    out),
              0)
        << ReadFileText(out);
    BinaryImage im;
    std::string error;
    ASSERT_TRUE(ReadBinaryImage(bin, im, error)) << error;
    int activated = 0;
    for (const auto& [reaction, entry] : im.fallOff) activated += entry.ints[0] > 10;
    EXPECT_EQ(activated, 6);
    const std::string listing = ReadFileText(out);
    EXPECT_EQ(Count(listing, "chemically activated "), 6u);
    EXPECT_EQ(Count(listing, "the radiation term HV of "), 2u);
}

}  // namespace
}  // namespace vantor::tolmar::testing
