#include "engine/common/mechanism_tables.h"

#include <algorithm>

namespace vantor::engine {

void MechanismTables::Build(const int32_t* ickwrk, const chem::MechanismLayout& layout, int32_t NS, int32_t NR) {
    ns_ = NS;
    nr_ = NR;
    reactionStart_.assign(1, 0);
    slotStart_.assign(1, 0);
    reactionSpecies_.clear();
    slotSpecies_.clear();
    reactionStart_.push_back(0);
    slotStart_.push_back(0);

    const int64_t mxsp = layout.MXSP;
    std::vector<int64_t> net(static_cast<size_t>(NS) + 1, 0);
    std::vector<int32_t> seen;
    for (int32_t i = 1; i <= NR; ++i) {
        seen.clear();
        for (int64_t n = 0; n < mxsp; ++n) {
            const int64_t at = (i - 1) * mxsp + n;
            const int32_t k = ickwrk[layout.iSlotSpecies + at];
            if (k < 1 || k > NS) continue;
            slotSpecies_.push_back(k);
            if (std::find(seen.begin(), seen.end(), k) == seen.end()) seen.push_back(k);
            net[static_cast<size_t>(k)] += ickwrk[layout.iStoich + at];
        }
        std::sort(seen.begin(), seen.end());
        for (const int32_t k : seen) {
            const auto coefficient = static_cast<int16_t>(net[static_cast<size_t>(k)]);  // kept to 16 bits like the table
            net[static_cast<size_t>(k)] = 0;
            if (coefficient != 0) reactionSpecies_.push_back({k, coefficient});
        }
        reactionStart_.push_back(reactionSpecies_.size());
        slotStart_.push_back(slotSpecies_.size());
    }
    BuildSpeciesRows();
    BuildNeighbours();
}

void MechanismTables::BuildSpeciesRows() {
    std::vector<size_t> count(static_cast<size_t>(ns_) + 2, 0);
    for (const StoichEntry& e : reactionSpecies_) ++count[static_cast<size_t>(e.index) + 1];
    speciesStart_.assign(static_cast<size_t>(ns_) + 2, 0);
    for (int32_t k = 1; k <= ns_; ++k) speciesStart_[static_cast<size_t>(k) + 1] = speciesStart_[static_cast<size_t>(k)] + count[static_cast<size_t>(k) + 1];
    speciesReactions_.assign(reactionSpecies_.size(), StoichEntry{0, 0});
    std::vector<size_t> fill(speciesStart_.begin(), speciesStart_.end());
    // Reactions are visited in ascending order, so every species' row comes out ascending.
    for (int32_t i = 1; i <= nr_; ++i) {
        for (const StoichEntry& e : ReactionSpecies(i)) {
            speciesReactions_[fill[static_cast<size_t>(e.index)]++] = {i, e.coefficient};
        }
    }
}

void MechanismTables::BuildNeighbours() {
    neighbourStart_.assign(static_cast<size_t>(ns_) + 2, 0);
    neighbours_.clear();
    std::vector<int32_t> mark(static_cast<size_t>(ns_) + 1, 0);
    std::vector<int32_t> row;
    for (int32_t k = 1; k <= ns_; ++k) {
        row.clear();
        for (const StoichEntry& r : SpeciesReactions(k)) {
            for (const StoichEntry& s : ReactionSpecies(r.index)) {
                if (s.index == k || mark[static_cast<size_t>(s.index)] == k) continue;
                mark[static_cast<size_t>(s.index)] = k;
                row.push_back(s.index);
            }
        }
        std::sort(row.begin(), row.end());
        neighbours_.insert(neighbours_.end(), row.begin(), row.end());
        neighbourStart_[static_cast<size_t>(k) + 1] = neighbours_.size();
    }
}

int16_t MechanismTables::StoichMatrix(int32_t k, int32_t i) const {
    for (const StoichEntry& e : ReactionSpecies(i)) {
        if (e.index == k) return e.coefficient;
    }
    return 0;
}

}  // namespace vantor::engine
