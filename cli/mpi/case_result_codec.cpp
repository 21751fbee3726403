#include "cli/mpi/case_result_codec.h"

#include <cstring>
#include <type_traits>

namespace vantor::mpi {
namespace {

class Writer {
public:
    template <typename T>
    void Put(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        const auto* p = reinterpret_cast<const char*>(&value);
        bytes.insert(bytes.end(), p, p + sizeof value);
    }
    void Put(const std::string& text) {
        Put(static_cast<uint64_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    std::vector<char> bytes;
};

class Reader {
public:
    explicit Reader(const std::vector<char>& bytes) : bytes_(bytes) {}
    template <typename T>
    bool Get(T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (bytes_.size() - at_ < sizeof value) return false;
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return true;
    }
    bool Get(std::string& text) {
        uint64_t size = 0;
        if (!Get(size) || bytes_.size() - at_ < size) return false;
        text.assign(bytes_.data() + at_, size);
        at_ += size;
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    const std::vector<char>& bytes_;
    size_t at_ = 0;
};

}  // namespace

std::vector<char> EncodeCaseResult(size_t index, const senkin::CaseResult& r) {
    Writer w;
    w.Put(static_cast<uint64_t>(index));
    w.Put(r.finished);
    w.Put(r.outcome.ok);
    w.Put(r.outcome.error);
    w.Put(r.outcome.endTime);
    w.Put(r.outcome.ignited);
    w.Put(r.outcome.ignition);
    w.Put(r.outcome.steps);
    w.Put(r.outcome.stop);
    w.Put(r.outcome.steadySince);
    w.Put(r.wallSeconds);
    w.Put(r.standardData);
    w.Put(r.listing);
    return std::move(w.bytes);
}

bool DecodeCaseResult(const std::vector<char>& bytes, size_t& index, senkin::CaseResult& r) {
    Reader in(bytes);
    uint64_t i = 0;
    const bool ok = in.Get(i) && in.Get(r.finished) && in.Get(r.outcome.ok) && in.Get(r.outcome.error) &&
                    in.Get(r.outcome.endTime) && in.Get(r.outcome.ignited) && in.Get(r.outcome.ignition) &&
                    in.Get(r.outcome.steps) && in.Get(r.outcome.stop) && in.Get(r.outcome.steadySince) &&
                    in.Get(r.wallSeconds) && in.Get(r.standardData) &&
                    in.Get(r.listing) && in.AtEnd();
    index = static_cast<size_t>(i);
    return ok;
}

std::vector<char> EncodeRankReport(int32_t status, int32_t threads, const std::string& message) {
    Writer w;
    w.Put(status);
    w.Put(threads);
    w.Put(message);
    return std::move(w.bytes);
}

bool DecodeRankReport(const std::vector<char>& bytes, int32_t& status, int32_t& threads, std::string& message) {
    Reader in(bytes);
    return in.Get(status) && in.Get(threads) && in.Get(message) && in.AtEnd();
}

}  // namespace vantor::mpi
