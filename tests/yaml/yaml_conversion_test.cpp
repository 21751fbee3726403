// The YAML form of every reaction type the binary holds, the refusals of both directions, bad
// YAML input, Cantera's default SI units, and the reduced mechanism's YAML copy.

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/core/mechanism/mechanism_reader.h"
#include "app/core/mechanism/project_file.h"
#include "app/core/yaml/mechanism_conversion.h"
#include "chemlib/compiled_mechanism.h"
#include "yaml/round_trip.h"

using namespace vantor;
using chem::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

const std::string kData = std::string(VANTOR_TEST_DATA_DIR) + "/gri30/";

const char* const kEveryType = R"(ELEMENTS H O C N AR END
SPECIES H O OH H2 O2 H2O HO2 H2O2 CH3 CH4 CO CO2 CH2O N2 AR END
REACTIONS
2O+M<=>O2+M      1.2E+17 -1.000 .00
H2/2.4/ H2O/15.4/ AR/.83/
H+O2(+M)<=>HO2(+M)   4.65E12 0.44 0.0
LOW/ 1.737E19 -1.23 0.0/
TROE/ 0.67 1.0E-30 1.0E30 1.0E30/
H2O/10.0/
H+CH3(+M)<=>CH4(+M)  1.27E16 -0.63 383.
LOW / 2.477E33 -4.76 2440./
SRI / 0.45 797. 979. 1.0 0.0 /
CO+O(+AR)<=>CO2(+AR)  1.8E10 0 2385.
LOW/ 6.02E14 0 3000./
CH3+OH(+M)<=>CH2O+H2(+M)  1.0E12 0.5 100.
HIGH/ 3.0E10 0.1 300./
H+HO2<=>O2+H2  1.0E13 0 1000.
PLOG/ 1.0 1.0E13 0 1000./
PLOG/ 1.0 2.0E12 0.5 500./
PLOG/ 10.0 3.0E13 0 1200./
OH+H2<=>H+H2O 2.16E8 1.51 3430.
DUPLICATE
OH+H2<=>H+H2O 1.0E7 1.0 3000.
DUPLICATE
0.5H2O2+0.5H2=>H2O  1.0E10 0 0
CH4+O2<=>CH3+HO2  2.0E13 0 57000.
REV / 1.0E12 0 0. /
FORD / CH4 0.8 /
FORD / H2O 0.1 /
END
)";

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// A species of GRI-Mech 3.0 as Cantera writes it, for the hand-written YAML files below.
std::string Species(const std::string& name, const std::string& composition, const std::string& model = "NASA7") {
    return "- name: " + name + "\n  composition: " + composition + "\n  thermo:\n    model: " + model +
           "\n    temperature-ranges: [200.0, 1000.0, 3500.0]\n    data:\n"
           "    - [2.34433112, 0.00798052075, -1.9478151e-05, 2.01572094e-08, -7.37611761e-12, -917.935173, "
           "0.683010238]\n"
           "    - [3.3372792, -4.94024731e-05, 4.99456778e-07, -1.79566394e-10, 2.00255376e-14, -950.158922, "
           "-3.20502331]\n";
}

const std::string kGasPhase =
    "phases:\n- name: gas\n  thermo: ideal-gas\n  elements: [H]\n  species: [H, H2]\n  kinetics: gas\n";

}  // namespace

TEST(YamlConversion, EveryReactionTypeIsWrittenAsCanteraHoldsIt) {
    const TempFolder dir;
    const std::string inp = Write(dir.Path() + "/types.inp", kEveryType), yamlPath = dir.Path() + "/types.yaml";
    std::string error;
    ASSERT_TRUE(yaml::ConvertChemkinToYaml({inp, kData + "therm.dat", kData + "tran.dat"}, yamlPath, &error)) << error;
    const std::string text = Read(yamlPath);
    for (const char* expected :
         {"units: {length: cm, time: s, quantity: mol, activation-energy: cal/mol}", "  transport: mixture-averaged",
          "- equation: 2 O + M <=> O2 + M\n  type: three-body\n  rate-constant: {A: 1.2e+17, b: -1.0, Ea: 0.0}\n"
          "  efficiencies: {H2: 2.4, H2O: 15.4, AR: 0.83}",
          "  Troe: {A: 0.67, T3: 1.0e-30, T1: 1.0e+30, T2: 1.0e+30}",
          "  SRI: {A: 0.45, B: 797.0, C: 979.0, D: 1.0, E: 0.0}",
          "- equation: CO + O (+AR) <=> CO2 (+AR)\n  type: falloff",
          "  type: chemically-activated\n  low-P-rate-constant: {A: 1.0e+12, b: 0.5, Ea: 100.0}\n"
          "  high-P-rate-constant: {A: 3.0e+10, b: 0.1, Ea: 300.0}",
          "  - {P: 1.0 atm, A: 1.0e+13, b: 0.0, Ea: 1000.0}\n  - {P: 1.0 atm, A: 2.0e+12, b: 0.5, Ea: 500.0}",
          "  duplicate: true", "- equation: 0.5 H2O2 + 0.5 H2 => H2O",
          "- equation: CH4 + O2 => CH3 + HO2\n  rate-constant: {A: 2.0e+13, b: 0.0, Ea: 57000.0}\n"
          "  orders: {CH4: 0.8, H2O: 0.1}\n  nonreactant-orders: true\n  note: ",
          "- equation: CH3 + HO2 => CH4 + O2\n  rate-constant: {A: 1.0e+12, b: 0.0, Ea: 0.0}",
          "    geometry: nonlinear\n    well-depth: 572.4\n    diameter: 2.605\n    dipole: 1.844\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n--- in ---\n" << text;
    const YAML::Node root = YAML::LoadFile(yamlPath);
    EXPECT_EQ(root["phases"][0]["species"].size(), 15u);
    EXPECT_EQ(root["reactions"].size(), 11u);
    EXPECT_EQ(root["phases"][0]["elements"][4].as<std::string>(), "Ar");
    // Back in CHEMKIN the two halves are one reaction with REV again, and the rates agree.
    yaml::testing::RoundTrip(inp, kData + "therm.dat", kData + "tran.dat", {});
}

TEST(YamlConversion, ReactionsCanteraCannotHoldAreRefusedByName) {
    const TempFolder dir;
    const std::string head = "ELEMENTS H O END\nSPECIES H O OH H2 O2 H2O END\nREACTIONS\nH+O2<=>O+OH 1.0E13 0 0\n";
    const struct {
        const char* aux;
        const char* expected;
    } cases[] = {{"LT / 1.0 2.0 /\n", "reaction 1 H+O2<=>O+OH (line 4) has Landau-Teller parameters (LT/RLT)"},
                 {"FORD / H 1.5 /\n", "FORD/RORD orders on a reversible reaction"}};
    for (const auto& c : cases) {
        const std::string inp = Write(dir.Path() + "/refused.inp", head + c.aux + "END\n");
        std::string error;
        EXPECT_FALSE(yaml::ConvertChemkinToYaml({inp, kData + "therm.dat", ""}, dir.Path() + "/refused.yaml", &error));
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(dir.Path() + "/refused.yaml"));
    }
}

TEST(YamlConversion, BadYamlNamesFileLineColumnAndWritesNothing) {
    const std::string h = Species("H", "{H: 1}"), h2 = Species("H2", "{H: 2}");
    const std::string reaction = "reactions:\n- equation: 2 H <=> H2\n  rate-constant: {A: 1.0e+12, b: 0.0, Ea: 0.0}\n";
    const struct {
        std::string text;
        const char* expected;
    } cases[] = {
        {"phases: [{name: gas\nspecies: x\n", ", line 2, column 8: end of map flow not found"},
        {kGasPhase + "species:\n" + h + reaction, ", line 5, column 16: species H2 has no entry"},
        {kGasPhase + "species:\n" + h + "- name: H2\n  thermo: {model: NASA7}\n" + reaction,
         ", line 16, column 3: species H2 has no \"composition\""},
        {kGasPhase + "species:\n" + h + Species("H2", "{H: 2}", "NASA9") + reaction,
         ", line 19, column 12: species H2 has thermo model NASA9, which the mechanism binary cannot hold"},
        {kGasPhase + "species:\n" + h + h2 +
             "reactions:\n- equation: 2 H <=> H2\n  type: Chebyshev\n  temperature-range: [290.0, 3000.0]\n",
         "reaction 1 (2 H <=> H2) is of type Chebyshev, which the mechanism binary cannot hold"},
        {kGasPhase + "- name: surf\n  thermo: ideal-surface\n  species: [H]\nspecies:\n" + h + h2,
         "phase surf has thermo ideal-surface (a surface or other non-gas phase)"},
        {kGasPhase + "species:\n" + h + h2 +
             "reactions:\n- equation: 2 H <=> H3\n  rate-constant: {A: 1, b: 0, Ea: 0}\n",
         "names H3, which is not a species of the phase"},
    };
    for (const auto& c : cases) {
        const TempFolder dir;
        const std::string yamlPath = Write(dir.Path() + "/bad.yaml", c.text);
        yaml::ChemkinPaths written;
        std::string error;
        EXPECT_FALSE(yaml::ConvertYamlToChemkin(yamlPath, dir.Path(), written, &error));
        EXPECT_EQ(error.rfind(yamlPath, 0), 0u) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        EXPECT_NE(error.find("; expected "), std::string::npos) << error;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    }
}

TEST(YamlConversion, CanteraDefaultUnitsAreConvertedToChemkinUnits) {
    const TempFolder dir;
    const std::string yamlPath = Write(
        dir.Path() + "/si.yaml", kGasPhase + "  transport: mixture-averaged\nspecies:\n" + Species("H", "{H: 1}") +
                                     Species("H2", "{H: 2}") +
                                     "reactions:\n- equation: 2 H + M <=> H2 + M\n  type: three-body\n"
                                     "  rate-constant: {A: 1.0e+12, b: -1.0, Ea: 4.184e+06}\n"
                                     "  default-efficiency: 0.5\n  efficiencies: {H2: 2.0}\n"
                                     "- {equation: H2 => 2 H, rate-constant: {A: 2.0e+10, b: 0.0, Ea: 10 kcal/mol}}\n");
    yaml::ChemkinPaths written;
    std::string error;
    ASSERT_TRUE(yaml::ConvertYamlToChemkin(yamlPath, dir.Path(), written, &error)) << error;
    EXPECT_EQ(written.mechanism, dir.Path() + "/si.inp");
    EXPECT_TRUE(written.transport.empty());  // no species has transport data
    const std::string inp = Read(written.mechanism);
    EXPECT_EQ(inp.rfind("! Converted by Vantor from " + yamlPath, 0), 0u) << inp;
    EXPECT_NE(inp.find("REACTIONS CAL/MOLE MOLES\r\n"), std::string::npos) << inp;
    EXPECT_NE(inp.find("\r\nH/0.5/ H2/2.0/\r\n"), std::string::npos) << inp;
    EXPECT_NE(inp.find("\r\nH2=>2H  2.0e+10 0.0 10000.0\r\n"), std::string::npos) << inp;
    double A = 0, b = 0, E = 0;
    std::istringstream(inp.substr(inp.find("2H+M<=>H2+M") + 11)) >> A >> b >> E;
    EXPECT_DOUBLE_EQ(A, 1e18);  // (m^3/kmol)^2/s to (cm^3/mol)^2/s
    EXPECT_DOUBLE_EQ(E, 1000.0);
    const auto m = chem::testing::CompileAndLoad(written.mechanism, written.thermo, dir.Path());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->II(), 2);
}

TEST(YamlConversion, ReducedMechanismGetsItsYamlBesideIt) {
    const TempFolder dir;
    Write(dir.Path() + "/NEW_Chem.inp", "!RD-> header\n" + Read(kData + "chem.inp"));
    Write(dir.Path() + "/NEW_Therm.dat", Read(kData + "therm.dat"));
    std::string error;
    ASSERT_TRUE(yaml::WriteReducedYaml(dir.Path(), &error)) << error;
    const YAML::Node root = YAML::LoadFile(dir.Path() + "/NEW_Chem.yaml");
    EXPECT_EQ(root["phases"][0]["species"].size(), 53u);
    EXPECT_FALSE(root["phases"][0]["transport"]);  // no NEW_Tran.dat: no transport file was used
    // A mechanism that cannot be written takes the earlier YAML with it.
    Write(dir.Path() + "/NEW_Therm.dat", "THERMO\nEND\n");
    EXPECT_FALSE(yaml::WriteReducedYaml(dir.Path(), &error));
    EXPECT_FALSE(fs::exists(dir.Path() + "/NEW_Chem.yaml"));
}

TEST(YamlConversion, ProjectWithYamlMechanismOpensItsChemkinFiles) {
    const TempFolder dir;
    std::string error;
    ASSERT_TRUE(yaml::ConvertChemkinToYaml({kData + "chem.inp", kData + "therm.dat", kData + "tran.dat"},
                                           dir.Path() + "/gri.yaml", &error))
        << error;
    std::string project = Read(std::string(VANTOR_TEST_DATA_DIR) + "/../../examples/gri30/gri30.PRJ");
    project.replace(project.find("chem.inp"), 8, "gri.yaml");
    MechanismModel model;
    const ProjectOpenResult opened = OpenProject(model, Write(dir.Path() + "/gri.PRJ", project));
    ASSERT_TRUE(opened.mechanism.ok) << opened.mechanism.error;
    EXPECT_EQ(model.MechanismPath, dir.Path() + "/gri.inp");
    EXPECT_EQ(model.MechanismBinaryPath, dir.Path() + "/gri.bin");
    EXPECT_EQ(model.ThermoPath, dir.Path() + "/gri_therm.dat");
    EXPECT_EQ(model.TransportPath, dir.Path() + "/gri_tran.dat");
    EXPECT_EQ(model.Species.size(), 53u);
    EXPECT_EQ(model.DetailedReactionCount, 325);
    ASSERT_FALSE(opened.mechanism.messages.empty());
    EXPECT_EQ(opened.mechanism.messages[0].rfind("> " + dir.Path() + "/gri.yaml converted to ", 0), 0u);

    Write(dir.Path() + "/gri.yaml", "phases: [");
    EXPECT_FALSE(OpenMechanism(model, dir.Path() + "/gri.yaml").ok);
    EXPECT_TRUE(model.Species.empty());
}
