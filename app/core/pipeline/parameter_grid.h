#pragma once
// The parameter grid of the run settings as data: 4 columns ("Parameter", "Unit", "Value",
// "Note") and 9 rows (headings, then eight settings). The desktop program fills its grid from
// FillParameterGrid; vantor-cli and the tests hand the same cells to GetReactDat.

#include <array>
#include <string>

namespace vantor {

inline constexpr int kGridColumns = 4;
inline constexpr int kGridRows = 9;
inline constexpr int kUnitColumn = 1;
inline constexpr int kValueColumn = 2;

// Rows of the settings, 1-based as in the grid.
enum GridRow : int {
    kRowPressure = 1,
    kRowTemperature = 2,
    kRowThreshold = 3,
    kRowHeatKeptRatio = 4,
    kRowEndTime = 5,
    kRowRecordPoints = 6,
    kRowMaxTime = 7,
    kRowTimeStep = 8,
};

inline constexpr std::array<int, kGridColumns> kGridColumnWidths{140, 45, 80, 160};
// The unit cell of the end-time row edits with this pick list.
inline constexpr const char* kEndTimeUnitChoices = "tmax,sec,Tig";

// cells[row][column]
using ParameterGrid = std::array<std::array<std::string, kGridColumns>, kGridRows>;

// The headings and the default unit and value of every setting.
ParameterGrid FillParameterGrid();

// Only the value column and the unit cell of the end-time row are editable.
constexpr bool IsEditableCell(int row, int column) {
    return row >= 1 && (column == kValueColumn || (column == kUnitColumn && row == kRowEndTime));
}

}  // namespace vantor
