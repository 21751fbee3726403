#pragma once
// The job record handed by reference to every library entry: one fixed 28880-byte,
// little-endian layout shared by the program, the engines and the outside libraries.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace vantor {

static_assert(std::endian::native == std::endian::little, "the job record is little endian");

inline constexpr int kPathFieldUnits = 100;   // UTF-16 code units, terminator included
inline constexpr int kMaxListValues = 50;     // pressures, temperatures, mixtures, species per mixture
inline constexpr int kMixDim = 51;            // MixIndex / MixAmount are 51 x 51, indices 0..50

using PathField = char16_t[kPathFieldUnits];

struct JobRecord {
    PathField StartDir;
    PathField MechBinFile;
    PathField OutFile;
    PathField TrimFile;
    PathField SaveFile;
    PathField TmpFile;
    PathField InpFile;
    PathField ThermFile;
    PathField TranDatFile;
    PathField TranspBinFile;
    int16_t Spare;
    int16_t NPress;
    int16_t NTemp;
    int16_t NMix;
    double Press[kMaxListValues];  // element i (1-based) is Press[i - 1]
    double Temp[kMaxListValues];
    double EndTime;
    int16_t EndTimeMode;
    int16_t NPoints;
    double Threshold;
    double HeatKeptRatio;
    double TimeStep;
    int16_t LastMixCount;
    int16_t MixIndex[kMixDim * kMixDim];  // element (m, k) at m + 51 k
    double MixAmount[kMixDim * kMixDim];  // element (m, k) at m + 51 k
    double MaxTime;
    int16_t Marker;
    int16_t ReducedFilesFlag;

    // Element (m, k) of the mixture tables: m the mixture (1..50), k the species slot (0 = count).
    int16_t& mixIndex(int m, int k) { return MixIndex[m + kMixDim * k]; }
    int16_t mixIndex(int m, int k) const { return MixIndex[m + kMixDim * k]; }
    double& mixAmount(int m, int k) { return MixAmount[m + kMixDim * k]; }
    double mixAmount(int m, int k) const { return MixAmount[m + kMixDim * k]; }

    // Row 0 of MixIndex, which no mixture uses, carries the species every engine keeps whatever
    // its selection says: (0, 0) their number, (0, 1..50) their species numbers in mechanism
    // order. A record filled without such a list has 0 there, as before.
    int16_t& alwaysKept(int k) { return MixIndex[kMixDim * k]; }
    int16_t alwaysKept(int k) const { return MixIndex[kMixDim * k]; }
};

static_assert(offsetof(JobRecord, StartDir) == 0);
static_assert(offsetof(JobRecord, MechBinFile) == 200);
static_assert(offsetof(JobRecord, OutFile) == 400);
static_assert(offsetof(JobRecord, TrimFile) == 600);
static_assert(offsetof(JobRecord, SaveFile) == 800);
static_assert(offsetof(JobRecord, TmpFile) == 1000);
static_assert(offsetof(JobRecord, InpFile) == 1200);
static_assert(offsetof(JobRecord, ThermFile) == 1400);
static_assert(offsetof(JobRecord, TranDatFile) == 1600);
static_assert(offsetof(JobRecord, TranspBinFile) == 1800);
static_assert(offsetof(JobRecord, Spare) == 2000);
static_assert(offsetof(JobRecord, NPress) == 2002);
static_assert(offsetof(JobRecord, NTemp) == 2004);
static_assert(offsetof(JobRecord, NMix) == 2006);
static_assert(offsetof(JobRecord, Press) == 2008);
static_assert(offsetof(JobRecord, Temp) == 2408);
static_assert(offsetof(JobRecord, EndTime) == 2808);
static_assert(offsetof(JobRecord, EndTimeMode) == 2816);
static_assert(offsetof(JobRecord, NPoints) == 2818);
static_assert(offsetof(JobRecord, Threshold) == 2824);
static_assert(offsetof(JobRecord, HeatKeptRatio) == 2832);
static_assert(offsetof(JobRecord, TimeStep) == 2840);
static_assert(offsetof(JobRecord, LastMixCount) == 2848);
static_assert(offsetof(JobRecord, MixIndex) == 2850);
static_assert(offsetof(JobRecord, MixAmount) == 8056);
static_assert(offsetof(JobRecord, MaxTime) == 28864);
static_assert(offsetof(JobRecord, Marker) == 28872);
static_assert(offsetof(JobRecord, ReducedFilesFlag) == 28874);
static_assert(sizeof(JobRecord) == 28880);
static_assert(alignof(JobRecord) == 8);

}  // namespace vantor
