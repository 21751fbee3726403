#pragma once
// Every status a reduction run can end with. 0 is success; every failure is above 0 and comes with
// a line in the run listing (except a listing that cannot be opened or written, whose reason goes
// to stderr: the earlier listing, if any, is left as it was).
// The chemistry library's own load statuses (1 to 21) reach the caller unchanged.
//
// The engines share their stages but not their numbers: the first eight codes are the ones
// the task runner and its users know; the rest cover the cases the standard data and the mechanism
// can get wrong beyond those, numbered so that each engine's codes stay in its own range.

#include <cstdint>

namespace vantor::engine {

struct EngineStatusCodes {
    int32_t listingOpen;          // the run listing cannot be opened
    int32_t mechanismMissing;     // the mechanism binary does not exist
    int32_t mechanismOpen;        // the mechanism binary cannot be opened
    int32_t trimmedOpen;          // the trimmed-species file cannot be opened for writing
    int32_t standardDataMissing;  // the standard data file does not exist
    int32_t lineBuffer;           // a data line of NS + 7 values would not fit the 128000-character line
    int32_t tooManyCases;         // more than 2000 cases ("Case number is too small")
    int32_t dataCount;            // a data line without NS + 7 numbers ("ASC data number wrong")

    int32_t noDimensionLine;      // the standard data has no dimension line ("M ...")
    int32_t shortDimensionLine;   // the dimension line holds fewer than six numbers from column 20
    int32_t notANumber;           // an item from the start column on is not a number
    int32_t missingNumber;        // a line holds fewer items from its start column than it counts
    int32_t speciesCountAboveNs;  // a species-count line ("K ...") above NS of the dimension line
    int32_t tooManyPoints;        // a case with more than 2000 data lines
    int32_t speciesMismatch;      // NS of the standard data differs from the mechanism's KK
    int32_t reactionMismatch;     // NR of the standard data differs from the mechanism's II
    int32_t rateFailure;          // the chemistry library could not evaluate the rates at a state
    int32_t standardDataOpen;     // the standard data exists but cannot be opened or read
    int32_t workArrayLength;      // a work-array length of the dimension line is out of range
    int32_t noEndLine;            // the standard data ends without an end line
    int32_t noPointsAtEnd;        // the end line comes while the current case has no data line
    int32_t trimmedWrite;         // the trimmed-species file could not be written at the end
    int32_t outOfMemory;          // the run's arrays could not be allocated
    int32_t listingWrite;         // a write to the run listing, or putting it in place, failed
                                  // (the trimmed-species file is then left as it was)

    // Only the methods that search from target species use these (0 for the others).
    int32_t thresholdRange;       // the threshold is outside 0 to 1
    int32_t unknownTarget;        // a species of the target list is not in the mechanism
    int32_t targetListRead;       // the target list exists but cannot be read
};

inline constexpr EngineStatusCodes kKeldaStatus{
    3001, 3002, 3003, 3004, 3005, 3006, 3007, 3008,
    3011, 3012, 3013, 3014, 3015, 3016, 3017, 3018, 3019, 3020, 3021, 3022, 3023, 3024, 3025, 3026,
    0, 0, 0,
};

inline constexpr EngineStatusCodes kMorvaStatus{
    4, 1, 2, 3, 2006, 2005, 2007, 2008,
    2011, 2012, 2013, 2014, 2015, 2016, 2017, 2018, 2019, 2020, 2021, 2022, 2023, 2024, 2025, 2026,
    0, 0, 0,
};

// The DRG engine BRENA and the DRGEP engine TOVIK: the same causes, in ranges of their own.
inline constexpr EngineStatusCodes kBrenaStatus{
    5001, 5002, 5003, 5004, 5005, 5006, 5007, 5008,
    5011, 5012, 5013, 5014, 5015, 5016, 5017, 5018, 5019, 5020, 5021, 5022, 5023, 5024, 5025, 5026,
    5027, 5028, 5029,
};

inline constexpr EngineStatusCodes kTovikStatus{
    6001, 6002, 6003, 6004, 6005, 6006, 6007, 6008,
    6011, 6012, 6013, 6014, 6015, 6016, 6017, 6018, 6019, 6020, 6021, 6022, 6023, 6024, 6025, 6026,
    6027, 6028, 6029,
};

}  // namespace vantor::engine
