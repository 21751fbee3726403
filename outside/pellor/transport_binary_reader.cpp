#include <cmath>
#include <cstring>

#include "chemlib/mechanism_layout.h"
#include "common/record_io.h"
#include "outside/pellor/transport_binary.h"

namespace vantor::pellor {
namespace {

// Records in file order, for the messages.
constexpr const char* kRecordNames[] = {"",
                                        "header",
                                        "species names",
                                        "molecular weights",
                                        "geometries",
                                        "transport parameters",
                                        "viscosity fits",
                                        "conductivity fits",
                                        "binary diffusion fits"};
constexpr int kRecords = 8;

std::string Trimmed(std::string name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.pop_back();
    return name;
}

class Reader {
public:
    Reader(const std::string& path, std::string& error) : path_(path), error_(error) {}

    bool Open() {
        if (reader_.Open(path_)) return true;
        error_ = path_ + ": cannot be opened for reading";
        return false;
    }

    // The next record, which must hold exactly `bytes` bytes (0: any size).
    bool Next(int number, uint64_t bytes) {
        const RecordStatus status = reader_.Next(record_);
        const std::string where = path_ + ": record " + std::to_string(number) + " (" + kRecordNames[number] + ")";
        if (status == RecordStatus::EndOfFile) return Fail(where + " is missing; the file ends early");
        if (status == RecordStatus::Error) return Fail(where + " is cut short or badly framed");
        if (bytes != 0 && record_.size() != bytes) {
            return Fail(where + " has " + std::to_string(record_.size()) + " bytes, expected " + std::to_string(bytes));
        }
        return true;
    }

    // The record's reals, all finite.
    bool Reals(int number, uint64_t count, std::vector<double>& values) {
        if (!Next(number, count * sizeof(double))) return false;
        values.resize(count);
        if (count != 0) std::memcpy(values.data(), record_.data(), count * sizeof(double));
        for (uint64_t i = 0; i < count; ++i) {
            if (!std::isfinite(values[i])) {
                return Fail(path_ + ": record " + std::to_string(number) + " (" + kRecordNames[number] + ") value " +
                            std::to_string(i + 1) + " is not a finite number");
            }
        }
        return true;
    }

    bool AtEnd() {
        if (reader_.Next(record_) == RecordStatus::EndOfFile) return true;
        return Fail(path_ + ": unexpected data after record " + std::to_string(kRecords) + " (" +
                    kRecordNames[kRecords] + ")");
    }

    bool Fail(const std::string& message) {
        error_ = message;
        return false;
    }

    const std::vector<uint8_t>& Record() const { return record_; }

private:
    const std::string& path_;
    std::string& error_;
    RecordReader reader_;
    std::vector<uint8_t> record_;
};

}  // namespace

bool ReadTransportBinary(const std::string& path, TransportFits& fits, std::string& error) {
    Reader in(path, error);
    if (!in.Open() || !in.Next(1, chem::kNameLength + 3 * 4 + 3 * 8)) return false;
    RecordCursor head(in.Record());
    const std::string name = Trimmed(head.Name(chem::kNameLength));
    const int32_t kk = head.Int();
    TransportFits read;
    read.coefficients = head.Int();
    read.temperatures = head.Int();
    read.minTemperature = head.Real();
    read.maxTemperature = head.Real();
    read.referencePressure = head.Real();
    const std::string header = path + ": record 1 (header) ";
    if (name != kTransportBinaryName) {
        return in.Fail(header + "names \"" + name + "\", not a transport binary (\"" + kTransportBinaryName + "\")");
    }
    // Beyond a million species the diffusion record alone would not fit in memory.
    if (kk < 1 || kk > 1000000) return in.Fail(header + "gives " + std::to_string(kk) + " species");
    if (read.coefficients < 1 || read.coefficients > 16) {
        return in.Fail(header + "gives " + std::to_string(read.coefficients) + " coefficients per fit");
    }
    if (!(read.minTemperature > 0.0 && read.maxTemperature > read.minTemperature && std::isfinite(read.maxTemperature))) {
        return in.Fail(header + "gives the fitted range " + std::to_string(read.minTemperature) + " to " +
                       std::to_string(read.maxTemperature) + " K");
    }
    if (!(read.referencePressure > 0.0 && std::isfinite(read.referencePressure))) {
        return in.Fail(header + "gives the reference pressure " + std::to_string(read.referencePressure));
    }
    const auto k = static_cast<uint64_t>(kk), no = static_cast<uint64_t>(read.coefficients);

    if (!in.Next(2, k * chem::kNameLength)) return false;
    RecordCursor names(in.Record());
    for (uint64_t i = 0; i < k; ++i) {
        read.names.push_back(Trimmed(names.Name(chem::kNameLength)));
        if (read.names.back().empty()) return in.Fail(path + ": record 2 (species names) name " + std::to_string(i + 1) + " is blank");
    }
    if (!in.Reals(3, k, read.weights)) return false;
    for (uint64_t i = 0; i < k; ++i) {
        if (!(read.weights[i] > 0.0)) {
            return in.Fail(path + ": record 3 (molecular weights) gives " + std::to_string(read.weights[i]) +
                           " for species " + read.names[i]);
        }
    }
    if (!in.Next(4, k * 4)) return false;
    RecordCursor geometries(in.Record());
    read.parameters.resize(k);
    for (uint64_t i = 0; i < k; ++i) {
        auto& p = read.parameters[i];
        p.name = read.names[i];
        p.geometry = geometries.Int();
        if (p.geometry < 0 || p.geometry > 2) {
            return in.Fail(path + ": record 4 (geometries) gives " + std::to_string(p.geometry) + " for species " + p.name);
        }
    }
    std::vector<double> parameters;
    if (!in.Reals(5, 5 * k, parameters)) return false;
    for (uint64_t i = 0; i < k; ++i) {
        auto& p = read.parameters[i];
        p.wellDepth = parameters[5 * i];
        p.collisionDiameter = parameters[5 * i + 1];
        p.dipoleMoment = parameters[5 * i + 2];
        p.polarizability = parameters[5 * i + 3];
        p.rotationalRelaxation = parameters[5 * i + 4];
        if (!(p.wellDepth > 0.0 && p.collisionDiameter > 0.0)) {
            return in.Fail(path + ": record 5 (transport parameters) gives eps/k " + std::to_string(p.wellDepth) +
                           " K and sigma " + std::to_string(p.collisionDiameter) + " A for species " + p.name);
        }
    }
    if (!in.Reals(6, no * k, read.viscosity) || !in.Reals(7, no * k, read.conductivity) ||
        !in.Reals(8, no * k * k, read.diffusion) || !in.AtEnd()) {
        return false;
    }
    fits = std::move(read);
    return true;
}

}  // namespace vantor::pellor
