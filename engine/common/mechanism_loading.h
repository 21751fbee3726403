#pragma once
// Loading the mechanism binary into the run's work arrays through the process-wide chemistry
// library, with the three lengths the standard data declares.

#include <cstdint>
#include <ostream>
#include <vector>

#include "common/record_io.h"
#include "engine/common/engine_status.h"
#include "engine/common/standard_data_reader.h"

namespace vantor::engine {

struct MechanismWorkArrays {
    std::vector<int32_t> ickwrk;
    std::vector<double> rckwrk;
    std::vector<char> cckwrk;  // 16 characters a name
};

// Sizes the work arrays from the declared lengths, never beyond what the binary's own header
// asks for (a file cannot make the run allocate more than its mechanism needs), and calls
// ReadMechanismBinary. Returns 0, the reader's status, or codes.workArrayLength (with a listing
// line) when the lengths are beyond any mechanism.
int32_t LoadMechanism(const StandardDataDimensions& dims, RecordReader& mech, std::ostream& listing,
                      const EngineStatusCodes& codes, MechanismWorkArrays& work);

}  // namespace vantor::engine
