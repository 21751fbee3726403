// Fuzz target of the transport data reader: arbitrary bytes as "Tran.dat". Whatever the input,
// the reader must not crash, and every entry it accepts must hold usable parameters.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "outside/pellor/transport_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parsed =
        vantor::pellor::ParseTransportData(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& [name, p] : parsed.entries) {
        if (p.geometry < 0 || p.geometry > 2 || !(p.wellDepth > 0.0) || !(p.collisionDiameter > 0.0) ||
            p.dipoleMoment < 0.0 || p.polarizability < 0.0 || p.rotationalRelaxation < 0.0 || name.empty()) {
            std::abort();
        }
    }
    return 0;
}
