// The standard-data reader on arbitrary text: both passes, with a sink that reads every value
// it is handed, so that a value outside the reader's arrays shows under the sanitizers.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine/common/engine_status.h"
#include "engine/common/standard_data_reader.h"

namespace {

class TouchingSink : public vantor::engine::StandardDataSink {
public:
    explicit TouchingSink(int32_t NS) : ns_(NS) {}
    int32_t RecordState(const vantor::engine::RecordedState& state) override {
        double sum = state.pressure + state.temperature;
        for (int32_t k = 0; k < ns_; ++k) sum += state.moleFractions[k];
        for (int32_t k = 1; k <= ns_; ++k) sum += (*state.initialSpecies)[static_cast<size_t>(k)];
        checksum_ += sum;
        return 0;
    }
    void CloseCase(int caseNumber, int pointCount) override { checksum_ += caseNumber + pointCount; }
    int32_t FinalSelection(int caseNumber) override { return caseNumber > 0 ? 0 : 1; }
    double Checksum() const { return checksum_; }

private:
    int32_t ns_;
    double checksum_ = 0.0;
};

}  // namespace

volatile double g_checksum = 0.0;  // keeps the reads from being optimised away

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream listing;
    vantor::engine::StandardDataReader reader(in, "SAVE.dat", listing, vantor::engine::kKeldaStatus);
    vantor::engine::StandardDataDimensions dims;
    if (reader.FirstPass(dims) != 0) return 0;
    // A run goes on only with NS the loaded mechanism has, which always fits the line buffer.
    if (dims.NS < 0 || !vantor::engine::FitsLineBuffer(dims.NS)) return 0;
    TouchingSink sink(dims.NS);
    reader.SecondPass(dims.NS, sink);
    g_checksum = sink.Checksum();
    return 0;
}
