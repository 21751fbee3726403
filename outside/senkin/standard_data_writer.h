#pragma once
// The lines of the standard data ("SAVE.dat"), read by the reduction engines and the comparison
// report. Every line ends with CR LF and no line is empty:
//
//   ! Var#=    60  SP chem.inp                     KK + 7 values a data line; the mechanism input
//   M DIMENSIONS       4 53 325 ...                from column 20: cases, KK, II and the three
//                                                  work-array lengths of the mechanism binary
//   per case:
//   TAU0 1 1 1000                                  case number, pressure (atm), temperature (K)
//   INI P(atm)= 1
//   INI T(K)=   1000
//   INI SP IDX 14 4                                from column 12: the mixture's species numbers
//   INI SP MOL 0.3333333333333333 0.6666666666666666   their mole fractions
//   data lines, KK + 7 values, each a blank and 14 characters (%14.7E):
//     1 time (s), 2 pressure (dyn/cm2), 3 density (g/cm3), 4 mean molecular weight (g/mol),
//     5 dT/dt (K/s), 6 heat release rate (erg/(cm3 s)), 7 temperature (K),
//     8.. mole fractions in species order (0 or more)
//   ! no ignition: ...                             only for a case that did not ignite; its delay
//                                                  is then the time its run ended at
//   DTAUi(s)= 0.2387                               ignition delay (time of the largest dT/dt)
//   DTMAX(K)= 2140.2                               temperature rise (highest minus initial)
//   END
//
// A value that needs a three-digit exponent would take 15 characters; magnitudes below 1E-99 are
// written as 0 and above 9.9999999E+99 are capped, so every value keeps its 15 columns.

#include <cstdint>
#include <string>

#include "outside/senkin/case_plan.h"
#include "outside/senkin/constant_pressure_reactor.h"

namespace vantor::senkin {

struct StandardDataDimensions {
    int cases = 0;
    int32_t species = 0;
    int32_t reactions = 0;
    int32_t intWork = 0, realWork = 0, nameWork = 0;
};

// A value of a data line: a blank and 14 characters.
std::string FormatDataValue(double value);

std::string StandardDataHeader(const std::string& mechanismName, const StandardDataDimensions& dimensions);
std::string CaseHeader(const IgnitionCase& ignitionCase, const Mixture& mixture);
void AppendDataLine(std::string& out, double time, double pressure, const StateProperties& properties,
                    double temperature, const double* moleFractions, int32_t speciesCount);
// `noIgnitionUntil` > 0 adds the comment that the case did not ignite by that time, followed by
// `whyStopped` (", where ..." or empty) when the run ended before its end time.
std::string CaseFooter(double ignitionDelay, double temperatureRise, double noIgnitionUntil,
                       const std::string& whyStopped = "");
std::string StandardDataEnd();

}  // namespace vantor::senkin
