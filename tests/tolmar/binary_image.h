#pragma once
// Reads a mechanism binary back, record by record, into plain structures so tests can check
// every value the interpreter wrote (independently of the chemistry library's reader).

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vantor::tolmar::testing {

struct ImageSpecies {
    std::string name;
    std::vector<int32_t> composition;
    int32_t phase = 0, charge = 0, fitTemperatureCount = 0;
    double weight = 0.0;
    std::array<double, 3> temperatures{};
    std::array<double, 7> low{}, high{};
};

struct ImageReaction {
    int32_t speciesCount = 0, reactantCount = 0;
    std::array<double, 3> arrhenius{};
    std::array<int32_t, 6> coefficients{}, species{};
    std::vector<int32_t> laterCoefficients, laterSpecies;  // slots 7..MXSP of a lumped-reaction binary
};

// Per-reaction entries of an optional record: reaction number -> integers and reals of the entry.
struct ImageEntry {
    std::vector<int32_t> ints;
    std::vector<double> reals;
};
using ImageRecord = std::map<int32_t, ImageEntry>;

struct BinaryImage {
    std::string version, precision;
    bool errorMarker = true;
    std::vector<int32_t> dims;  // the 29 integers of the dimension record
    double coefMin = 0.0;
    std::vector<std::string> elements;
    std::vector<double> atomicWeights;
    std::vector<ImageSpecies> species;
    std::vector<ImageReaction> reactions;
    ImageRecord reverse, fallOff, thirdBody, landauTeller, reverseLandauTeller, wavelength, electronImpact, jan, fit1,
        excitation, realCoefficients, orders;
    std::vector<int32_t> pressureIndex1, pressureIndex2;
    std::vector<std::vector<double>> pressureTables;
    bool atCleanEnd = false;  // every record consumed, nothing left over

    int32_t MM() const { return dims.at(3); }
    int32_t KK() const { return dims.at(4); }
    int32_t II() const { return dims.at(5); }
    int32_t Dim(const char* name) const;
    int32_t SpeciesIndex(const std::string& name) const;  // 1-based, 0 when absent
};

// Reads the file; returns false with a reason when a record is missing or malformed.
bool ReadBinaryImage(const std::string& path, BinaryImage& image, std::string& error);
bool ReadBinaryImage(const std::vector<uint8_t>& bytes, BinaryImage& image, std::string& error);

}  // namespace vantor::tolmar::testing
