#pragma once
// The removed species names of the reduced writer's line pass, looked up by the parts of a line
// that can be whole species tokens: a line costs the same whether few or thousands of species
// are removed (C3MechV3.3 has 3761).

#include <bitset>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vantor {

class RemovedNameSet {
public:
    explicit RemovedNameSet(const std::vector<std::string>& names);
    RemovedNameSet(const RemovedNameSet&) = delete;  // the set views the names it holds
    RemovedNameSet& operator=(const RemovedNameSet&) = delete;
    // Whether a removed name stands in `line` as a whole species token (ClassifyLine's rule).
    bool NamedIn(std::string_view line) const;

private:
    std::vector<std::string> names_;
    std::unordered_set<std::string_view> set_;
    std::bitset<256> firsts_;  // the names' first characters
    size_t longest_ = 0;
};

// ClassifyLine (reduced_writer.h) with the names gathered once for every line.
int ClassifyLine(std::string_view trimmedLine, const RemovedNameSet& removedNames);

}  // namespace vantor
