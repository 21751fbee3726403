#pragma once
// Case-insensitive lookup of element and species names to their 1-based numbers.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "outside/tolmar/source_text.h"

namespace vantor::tolmar {

class NameIndex {
public:
    // Adds the name unless present; returns false when it was already there.
    bool Add(std::string_view name, int32_t number) { return map_.emplace(ToUpper(name), number).second; }

    // 1-based number, 0 when absent.
    int32_t Find(std::string_view name) const {
        const auto it = map_.find(ToUpper(name));
        return it == map_.end() ? 0 : it->second;
    }

private:
    std::unordered_map<std::string, int32_t> map_;
};

}  // namespace vantor::tolmar
