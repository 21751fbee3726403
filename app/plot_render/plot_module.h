#pragma once
// The entry of libVantorPlots.so, found with dlsym under kWritePlotsEntryName:
//
//   VantorWritePlots(work directory, output folder, mixture names one per line, detailed
//                    mechanism input, message buffer, its size)
//
// writes the plot files of the working directory's standard data into the folder. Returns 0 with
// the written files' paths in the message, one per line, or 1 with the error.

#include <cstdint>

extern "C" {
using VantorWritePlotsEntry = int32_t (*)(const char* workDirectory, const char* outDirectory,
                                          const char* mixtureNames, const char* mechanismPath, char* message,
                                          int32_t messageSize);
}

inline constexpr const char* kWritePlotsEntryName = "VantorWritePlots";
