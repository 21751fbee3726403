#pragma once
// Pellor: fits the transport properties of every species of a mechanism binary from the CHEMKIN
// transport data into the transport binary (layout in transport_binary.h), with a listing of the
// parameters and the fits. Every species needs an entry; a missing one is named and no binary is
// written (an earlier one stays as it was).

#include <cstdint>
#include <string>

#include "common/job_record.h"
#include "outside/pellor/transport_binary.h"

namespace vantor::pellor {

enum PellorStatus : int32_t {
    kPellorOk = 0,
    kPellorListingNotWritable = 4401,
    kPellorMechanismMissing = 4402,
    kPellorMechanismUnreadable = 4403,
    kPellorTransportDataMissing = 4404,
    kPellorTransportDataBad = 4405,
    kPellorSpeciesMissing = 4406,
    kPellorBinaryNotWritable = 4407,
    kPellorBadJobRecord = 4408,
};

inline constexpr int32_t kPellorSuccessResult = 10408;
// The fitted range and its sampling.
inline constexpr double kFitMinTemperature = 300.0;
inline constexpr double kFitMaxTemperature = 3500.0;
inline constexpr int kFitTemperatures = 50;
// Quartics: on GRI-Mech 3.0 within 0.3 % (viscosity), 1.2 % (conductivity) and 0.2 % (diffusion) of
// the computed values; cubics would miss by up to 3.4 % where cp rises steeply.
inline constexpr int kFitCoefficients = 5;

struct PellorFiles {
    std::string mechanismBinary;
    std::string transportData;
    std::string transportBinary;
    std::string listing;  // empty: not written
};

struct PellorReport {
    int32_t status = kPellorOk;
    std::string message;  // the first failure
    TransportFits fits;
};

// `progress` (may be null) rises to 100 in percent.
PellorReport FitTransport(const PellorFiles& files, double* progress);

// The body of the entry CKTRANTOBIN: files from the job record's paths. Returns 10408 and leaves
// 9999.0 in the progress on success; otherwise 0 with the status above 0.
int32_t RunPellor(const JobRecord& job, int32_t* status, double* progress);

}  // namespace vantor::pellor
