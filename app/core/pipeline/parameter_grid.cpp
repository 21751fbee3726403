#include "app/core/pipeline/parameter_grid.h"

namespace vantor {

ParameterGrid FillParameterGrid() {
    return ParameterGrid{{
        {"Parameter", "Unit", "Value", "Note"},
        {"* Ini. P", "atm", "1.0,2.0", "Initial pressure."},
        {"* Ini. T", "K", "1000,1200", "Initial temp."},
        {"* Threshold value (0 - 1.0)", "/", "0.98", "Bigger for more sp. kept."},
        {"* Heat kept Ratio (0 - 1.0)", "/", "0.0", "Bigger for more sp. kept."},
        {"  End time", "Tig", "2.0", "Ignition delay,higest temp, time."},
        {"  Record points", "/", "20", ""},
        {"  Max. time", "s", "1.0E+10", ""},
        {"  Time step", "s", "1.0E-8", ""},
    }};
}

}  // namespace vantor
