#include "outside/senkin/standard_data_writer.h"

#include <cmath>
#include <cstdio>

#include "common/fixed_format.h"

namespace vantor::senkin {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr double kSmallestWritten = 1e-99;
constexpr double kLargestWritten = 9.9999999e99;
constexpr int kDimensionColumn = 20;

}  // namespace

std::string FormatDataValue(double value) {
    double v = std::fabs(value) < kSmallestWritten ? 0.0 : value;
    v = std::fmax(-kLargestWritten, std::fmin(kLargestWritten, v));
    char buf[32];
    std::snprintf(buf, sizeof buf, " %14.7E", v);
    return buf;
}

std::string StandardDataHeader(const std::string& mechanismName, const StandardDataDimensions& d) {
    std::string out = "! Var#=" + FormatI(d.species + 7, 6) + "  SP " + mechanismName + kLineEnd;
    std::string dims = "M DIMENSIONS";
    dims.resize(kDimensionColumn - 1, ' ');
    dims += std::to_string(d.cases) + " " + std::to_string(d.species) + " " + std::to_string(d.reactions) + " " +
            std::to_string(d.intWork) + " " + std::to_string(d.realWork) + " " + std::to_string(d.nameWork);
    return out + dims + kLineEnd;
}

std::string CaseHeader(const IgnitionCase& c, const Mixture& mixture) {
    std::string out = "TAU0 ";
    out += std::to_string(c.number);
    out += " ";
    out += FormatFull(c.pressureAtm);
    out += " ";
    out += FormatFull(c.temperature);
    out += kLineEnd;
    out += "INI P(atm)= ";
    out += FormatFull(c.pressureAtm);
    out += kLineEnd;
    out += "INI T(K)=   ";
    out += FormatFull(c.temperature);
    out += kLineEnd;
    out += "INI SP IDX";
    for (const int32_t k : mixture.species) {
        out += ' ';
        out += std::to_string(k);
    }
    out += kLineEnd;
    out += "INI SP MOL";
    for (const double x : mixture.moleFractions) {
        out += ' ';
        out += FormatFull(x);
    }
    return out + kLineEnd;
}

void AppendDataLine(std::string& out, double time, double pressure, const StateProperties& p, double temperature,
                    const double* moleFractions, int32_t speciesCount) {
    out += FormatDataValue(time);
    out += FormatDataValue(pressure);
    out += FormatDataValue(p.density);
    out += FormatDataValue(p.meanMolecularWeight);
    out += FormatDataValue(p.temperatureSlope);
    out += FormatDataValue(p.heatRelease);
    out += FormatDataValue(temperature);
    for (int32_t k = 0; k < speciesCount; ++k) out += FormatDataValue(std::fmax(moleFractions[k], 0.0));
    out += kLineEnd;
}

std::string CaseFooter(double ignitionDelay, double temperatureRise, double noIgnitionUntil,
                       const std::string& whyStopped) {
    std::string out;
    if (noIgnitionUntil > 0.0) {
        out += "! no ignition: the temperature rose by less than 50 K up to " + FormatFull(noIgnitionUntil) + " s" +
               whyStopped + kLineEnd;
    }
    out += "DTAUi(s)= " + FormatFull(ignitionDelay) + kLineEnd;
    out += "DTMAX(K)= " + FormatFull(temperatureRise) + kLineEnd;
    return out;
}

std::string StandardDataEnd() { return std::string("END") + kLineEnd; }

}  // namespace vantor::senkin
