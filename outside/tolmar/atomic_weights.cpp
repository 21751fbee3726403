#include "outside/tolmar/atomic_weights.h"

#include <array>
#include <utility>

#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {
namespace {

// Standard atomic weights; elements without stable isotopes carry the mass number of their
// longest-lived isotope.
constexpr std::array<std::pair<std::string_view, double>, 97> kWeights{{
    {"H", 1.008},        {"HE", 4.002602},     {"LI", 6.94},       {"BE", 9.0121831},   {"B", 10.81},
    {"C", 12.011},       {"N", 14.007},        {"O", 15.999},      {"F", 18.998403163}, {"NE", 20.1797},
    {"NA", 22.98976928}, {"MG", 24.305},       {"AL", 26.9815384}, {"SI", 28.085},      {"P", 30.973761998},
    {"S", 32.06},        {"CL", 35.45},        {"AR", 39.95},      {"K", 39.0983},      {"CA", 40.078},
    {"SC", 44.955908},   {"TI", 47.867},       {"V", 50.9415},     {"CR", 51.9961},     {"MN", 54.938043},
    {"FE", 55.845},      {"CO", 58.933194},    {"NI", 58.6934},    {"CU", 63.546},      {"ZN", 65.38},
    {"GA", 69.723},      {"GE", 72.630},       {"AS", 74.921595},  {"SE", 78.971},      {"BR", 79.904},
    {"KR", 83.798},      {"RB", 85.4678},      {"SR", 87.62},      {"Y", 88.90584},     {"ZR", 91.224},
    {"NB", 92.90637},    {"MO", 95.95},        {"TC", 97.0},       {"RU", 101.07},      {"RH", 102.90549},
    {"PD", 106.42},      {"AG", 107.8682},     {"CD", 112.414},    {"IN", 114.818},     {"SN", 118.710},
    {"SB", 121.760},     {"TE", 127.60},       {"I", 126.90447},   {"XE", 131.293},     {"CS", 132.90545196},
    {"BA", 137.327},     {"LA", 138.90547},    {"CE", 140.116},    {"PR", 140.90766},   {"ND", 144.242},
    {"PM", 145.0},       {"SM", 150.36},       {"EU", 151.964},    {"GD", 157.25},      {"TB", 158.925354},
    {"DY", 162.500},     {"HO", 164.930328},   {"ER", 167.259},    {"TM", 168.934218},  {"YB", 173.045},
    {"LU", 174.9668},    {"HF", 178.49},       {"TA", 180.94788},  {"W", 183.84},       {"RE", 186.207},
    {"OS", 190.23},      {"IR", 192.217},      {"PT", 195.084},    {"AU", 196.966570},  {"HG", 200.592},
    {"TL", 204.38},      {"PB", 207.2},        {"BI", 208.98040},  {"PO", 209.0},       {"AT", 210.0},
    {"RN", 222.0},       {"FR", 223.0},        {"RA", 226.0},      {"AC", 227.0},       {"TH", 232.0377},
    {"PA", 231.03588},   {"U", 238.02891},     {"NP", 237.0},      {"PU", 244.0},       {"D", 2.01410178},
    {"T", 3.0160492},    {"E", 5.48579909e-4},
}};

}  // namespace

std::optional<double> BuiltInAtomicWeight(std::string_view symbol) {
    const std::string key = ToUpper(symbol);
    for (const auto& [name, weight] : kWeights)
        if (name == key) return weight;
    return std::nullopt;
}

}  // namespace vantor::tolmar
