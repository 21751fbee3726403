// The pressure-table records that end a mechanism binary: two index records, then one table per
// reaction. The file may end cleanly anywhere in them; what is not read stays 0 (no table).

#include <string>

#include "chemlib/binary_load.h"

namespace vantor::chem {
namespace {

// Table entries per reaction beyond this, or tables of more reals than this, are taken for damage.
constexpr int32_t kMaxTableEntries = 10000;
constexpr int64_t kMaxTableReals = int64_t(1) << 25;

}  // namespace

int32_t MechanismBinaryLoad::ReadPressureIndex(bool& ended) {
    const MechanismLayout& L = lib_.layout_;
    std::vector<int32_t>& index = lib_.pressureTableIndex_;
    RecordStatus status = mech_.Next(record_);
    if (status == RecordStatus::EndOfFile) {
        ended = true;
        return kLoadOk;
    }
    if (status != RecordStatus::Ok) return Fail(kLoadPressureTables, "the first index record cannot be read");
    if (int64_t(record_.size()) < 4 * (int64_t(L.II) + 1)) {
        return Fail(kLoadPressureTables, "first index record: " + ShortRecord(4 * (int64_t(L.II) + 1)));
    }
    RecordCursor first(record_);
    const int32_t npmax = first.Int();
    if (npmax < 0 || npmax > kMaxTableEntries || 4 * int64_t(npmax) * L.II > kMaxTableReals) {
        return Fail(kLoadPressureTables, "NPMAX = " + std::to_string(npmax) + " is not a usable table length");
    }
    index[0] = npmax;
    for (int32_t i = 1; i <= L.II; ++i) index[i] = first.Int();

    status = mech_.Next(record_);
    if (status == RecordStatus::EndOfFile) {
        ended = true;
        return kLoadOk;
    }
    if (status != RecordStatus::Ok) return Fail(kLoadPressureTables, "the second index record cannot be read");
    if (int64_t(record_.size()) < 4 * int64_t(L.II)) {
        return Fail(kLoadPressureTables, "second index record: " + ShortRecord(4 * int64_t(L.II)));
    }
    RecordCursor second(record_);
    for (int32_t i = 1; i <= L.II; ++i) {
        const int32_t terms = second.Int();
        if (index[i] > 0 && (terms < 1 || terms > npmax)) {
            return Fail(kLoadPressureTables, "reaction " + std::to_string(i) + ": " + std::to_string(terms) +
                                                 " terms per pressure, outside 1.." + std::to_string(npmax));
        }
        index[size_t(L.II) + i] = terms;
    }
    return kLoadOk;
}

int32_t MechanismBinaryLoad::ReadPressureTables() {
    const MechanismLayout& L = lib_.layout_;
    bool ended = false;
    if (const int32_t flag = ReadPressureIndex(ended); flag != kLoadOk || ended) return flag;

    const int64_t tableReals = 4 * int64_t(lib_.pressureTableIndex_[0]);
    std::vector<double>& data = lib_.pressureTableData_;
    data.assign(size_t(tableReals * L.II), 0.0);
    for (int32_t i = 0; i < L.II; ++i) {
        const RecordStatus status = mech_.Next(record_);
        if (status == RecordStatus::EndOfFile) break;
        if (status != RecordStatus::Ok) {
            return Fail(kLoadPressureTables, "the table of reaction " + std::to_string(i + 1) + " cannot be read");
        }
        if (int64_t(record_.size()) != 8 * tableReals) {
            return Fail(kLoadPressureTables, "reaction " + std::to_string(i + 1) + ": table record of " +
                                                 std::to_string(record_.size()) + " bytes, " +
                                                 std::to_string(8 * tableReals) + " expected");
        }
        RecordCursor c(record_);
        for (int64_t j = 0; j < tableReals; ++j) data[size_t(i * tableReals + j)] = c.Real();
    }
    return kLoadOk;
}

}  // namespace vantor::chem
