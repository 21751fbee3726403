#pragma once
// The run settings record and its validation: the parameter grid, the mixture lines and the
// species check marks are read into TWState, and illegal input is refused with the message of
// the row at fault.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/pipeline/message_sink.h"
#include "app/core/pipeline/number_text.h"
#include "app/core/pipeline/parameter_grid.h"
#include "common/engine_method.h"
#include "common/job_record.h"

namespace vantor {

// What the settings are read from, handed in by the caller as plain texts.
struct SettingsInput {
    ParameterGrid grid = FillParameterGrid();
    std::vector<std::string> mixtureLines;  // one mixture per line, as typed
    std::vector<std::string> speciesNames;  // the species list, top to bottom
    std::vector<bool> speciesMarks;         // its check marks (missing entries count as unmarked)
    std::vector<std::string> alwaysKept;    // species every engine keeps (always_kept.h)
    std::vector<std::string> targetSpecies; // the user's target species of DRG and DRGEP
};

// GetReactDat's return codes.
enum SettingsCode : int32_t {
    kSettingsOk = 0,
    kBadPressure = 1,  // also: no case at all
    kBadTemperature = 2,
    kBadThreshold = 3,
    kBadHeatKeptRatio = 4,
    kBadEndTime = 5,
    kBadRecordPoints = 6,
    kBadMaxTime = 7,
    kBadTimeStep = 8,
    kBadMixture = 9,
    kBadAlwaysKept = 10,  // more always-kept species than the job record holds
};

inline constexpr int kListSlots = kMaxListValues + 1;  // 1-based arrays, slot 0 unused

class TWState {
public:
    bool i_Run = false;
    int32_t i_WState = 0;
    int32_t n_WState = 0;  // cases = n_Mixs x n_Ps x n_Ts
    int32_t n_Ps = 0;
    int32_t n_Ts = 0;
    int32_t n_Mixs = 0;
    std::array<double, kListSlots> Ps{};  // atm, [1..n_Ps]
    std::array<double, kListSlots> Ts{};  // K, [1..n_Ts]
    // (m, 0) species count of mixture m, (m, k) species index of its k-th species
    std::array<std::array<int16_t, kListSlots>, kListSlots> Indxs{};
    std::array<std::array<double, kListSlots>, kListSlots> Xmols{};  // amounts as typed
    double v_Tend = 0.0;
    int16_t n_Tendm = 0;  // 0 "tmax", 1 "sec", 2 anything else
    double v_THD = 0.0;   // clipped to [0, 1], then the method's EngineThreshold
    double v_HKEEP = 0.0;
    int16_t n_PNT = 0;
    double V_MaxT = 0.0;
    double v_STP = 0.0;
    // (0) the number of always-kept species, (1..) their numbers in the species list's order
    std::array<int16_t, kListSlots> AlwaysKept{};

    // Reads every setting in order and stops at the first failure, which it reports through
    // `sink`; fields before the failing one keep their new values. Returns a SettingsCode.
    int32_t GetReactDat(const SettingsInput& input, EngineMethod method, const LocaleNumbers& numbers,
                        MessageSink& sink);

private:
    int32_t ReadMixtures(const SettingsInput& input, const LocaleNumbers& numbers, MessageSink& sink);
    int32_t ParseMixtureLine(const std::string& line, int32_t lineNumber, const SettingsInput& input,
                             const LocaleNumbers& numbers, MessageSink& sink);
    int32_t ReadPressures(const std::string& cell, const LocaleNumbers& numbers, MessageSink& sink);
    int32_t ReadTemperatures(const std::string& cell, const LocaleNumbers& numbers, MessageSink& sink);
    int32_t ReadScalars(const ParameterGrid& grid, EngineMethod method, const LocaleNumbers& numbers,
                        MessageSink& sink);
};

// Index of `name` among the marked species (1-based, counting marked entries only), or 0.
int32_t MarkedSpeciesIndex(const SettingsInput& input, const std::string& name);

// The non-empty comma-separated tokens of a list cell or a mixture line, in order.
std::vector<std::string> CommaTokens(const std::string& text);

}  // namespace vantor
