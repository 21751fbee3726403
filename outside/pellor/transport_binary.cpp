#include "outside/pellor/transport_binary.h"

#include <cstring>

#include "chemlib/mechanism_layout.h"
#include "common/record_io.h"

namespace vantor::pellor {
namespace {

// The bytes RecordBuilder::Real gives, copied at once: the diffusion record of a mechanism of
// thousands of species is hundreds of megabytes.
std::vector<uint8_t> Reals(const std::vector<double>& values) {
    std::vector<uint8_t> record(values.size() * sizeof(double));
    if (!values.empty()) std::memcpy(record.data(), values.data(), record.size());
    return record;
}

}  // namespace

std::vector<uint8_t> TransportBinaryBytes(const TransportFits& fits) {
    RecordWriter out;
    const auto kk = static_cast<int32_t>(fits.names.size());
    out.Write(RecordBuilder()
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
    out.Write(names);
    out.Write(Reals(fits.weights));
    out.Write(geometries);
    out.Write(parameters);
    out.Write(Reals(fits.viscosity));
    out.Write(Reals(fits.conductivity));
    out.Write(Reals(fits.diffusion));
    return out.Bytes();
}

}  // namespace vantor::pellor
