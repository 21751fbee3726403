#include "engine/common/mechanism_tables.h"

#include <algorithm>

namespace vantor::engine {

namespace {

// Position in RCKWRK of the real coefficients of each reaction (0-based), -1 for none; the last
// entry of a reaction wins.
std::vector<int64_t> RealCoefficientRows(const int32_t* ickwrk, const chem::MechanismLayout& layout, int32_t NR) {
    std::vector<int64_t> rows(static_cast<size_t>(std::max(NR, 0)), -1);
    for (int32_t l = 0; l < layout.NREALNU; ++l) {
        const int32_t i = ickwrk[layout.iRealNu + l];
        if (i >= 1 && i <= NR) rows[static_cast<size_t>(i) - 1] = layout.rRealNu + int64_t(l) * layout.MXSP;
    }
    return rows;
}

}  // namespace

void MechanismTables::Build(const int32_t* ickwrk, const double* rckwrk, const chem::MechanismLayout& layout,
                            int32_t NS, int32_t NR) {
    ns_ = NS;
    nr_ = NR;
    mm_ = layout.MM;
    elementCounts_.assign(ickwrk + layout.iElementCounts, ickwrk + layout.iElementCounts + int64_t(mm_) * NS);
    reactionStart_.assign(1, 0);
    slotStart_.assign(1, 0);
    reactionSpecies_.clear();
    slotSpecies_.clear();
    reactionStart_.push_back(0);
    slotStart_.push_back(0);

    const int64_t mxsp = layout.MXSP;
    const std::vector<int64_t> realRows = RealCoefficientRows(ickwrk, layout, NR);
    std::vector<int64_t> net(static_cast<size_t>(NS) + 1, 0);
    std::vector<double> realNet(static_cast<size_t>(NS) + 1, 0.0);
    std::vector<int32_t> seen;
    for (int32_t i = 1; i <= NR; ++i) {
        seen.clear();
        const int64_t realRow = realRows[static_cast<size_t>(i) - 1];
        for (int64_t n = 0; n < mxsp; ++n) {
            const int64_t at = (i - 1) * mxsp + n;
            const int32_t k = ickwrk[layout.iSlotSpecies + at];
            if (k < 1 || k > NS) continue;
            slotSpecies_.push_back(k);
            if (std::find(seen.begin(), seen.end(), k) == seen.end()) seen.push_back(k);
            net[static_cast<size_t>(k)] += ickwrk[layout.iStoich + at];
            if (realRow >= 0) realNet[static_cast<size_t>(k)] += rckwrk[realRow + n];
        }
        std::sort(seen.begin(), seen.end());
        for (const int32_t k : seen) {
            // whole-number sums kept to 16 bits like the table
            const double coefficient = static_cast<int16_t>(net[static_cast<size_t>(k)]) + realNet[static_cast<size_t>(k)];
            net[static_cast<size_t>(k)] = 0;
            realNet[static_cast<size_t>(k)] = 0.0;
            if (coefficient != 0.0) reactionSpecies_.push_back({k, coefficient});
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

double MechanismTables::StoichMatrix(int32_t k, int32_t i) const {
    for (const StoichEntry& e : ReactionSpecies(i)) {
        if (e.index == k) return e.coefficient;
    }
    return 0.0;
}

}  // namespace vantor::engine
