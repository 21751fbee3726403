#include "outside/pellor/transport_binary.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "chemlib/mechanism_layout.h"
#include "common/atomic_file.h"
#include "common/record_io.h"

namespace vantor::pellor {
namespace {

// The bytes RecordBuilder::Real gives, copied at once: the diffusion record of a mechanism of
// thousands of species is hundreds of megabytes.
std::vector<uint8_t> Reals(const std::vector<double>& values) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(values.data());
    return std::vector<uint8_t>(bytes, bytes + values.size() * sizeof(double));
}

// Hands the framed record to the file in slices, so that the file's buffer stays small.
bool Put(AtomicFile& file, const RecordWriter& record) {
    constexpr size_t kSlice = size_t{1} << 20;
    const auto& bytes = record.Bytes();
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    for (size_t at = 0; at < bytes.size(); at += kSlice) {
        if (!file.Write(std::string_view(data + at, std::min(kSlice, bytes.size() - at)))) return false;
    }
    return true;
}

template <typename Record>
bool PutRecord(AtomicFile& file, const Record& record) {
    RecordWriter framed;
    framed.Write(record);
    return Put(file, framed);
}

}  // namespace

bool WriteTransportBinary(const std::string& path, const TransportFits& fits, std::string& error) {
    const auto kk = static_cast<int32_t>(fits.names.size());
    RecordWriter head;
    head.Write(RecordBuilder()
                   .Name(kTransportBinaryName, chem::kNameLength)
                   .Int(kk)
                   .Int(fits.coefficients)
                   .Int(fits.temperatures)
                   .Real(fits.minTemperature)
                   .Real(fits.maxTemperature)
                   .Real(fits.referencePressure));
    RecordBuilder names, geometries, parameters;
    for (int32_t k = 0; k < kk; ++k) {
        const auto& p = fits.parameters[static_cast<size_t>(k)];
        names.Name(fits.names[static_cast<size_t>(k)], chem::kNameLength);
        geometries.Int(p.geometry);
        parameters.Real(p.wellDepth).Real(p.collisionDiameter).Real(p.dipoleMoment).Real(p.polarizability).Real(
            p.rotationalRelaxation);
    }
    head.Write(names);
    head.Write(Reals(fits.weights));
    head.Write(geometries);
    head.Write(parameters);
    head.Write(Reals(fits.viscosity));
    head.Write(Reals(fits.conductivity));
    AtomicFile file;
    const bool written = file.Open(path) && Put(file, head) && PutRecord(file, Reals(fits.diffusion)) && file.Commit();
    if (!written) error = file.Error();
    return written;
}

}  // namespace vantor::pellor
