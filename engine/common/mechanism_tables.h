#pragma once
// The tables a reduction run builds once from the loaded mechanism: the net stoichiometric
// coefficients (StoichMatrix), the reactions of every species (SpeciesReactions) and, for the
// sparse evaluation, the species of every reaction and the species that share a reaction.
// Species are numbered 1..NS and reactions 1..NR throughout.
//
// A reaction with real coefficients (a lumped fuel reaction) holds 0 in its integer slots; its
// net coefficients come from its real-coefficient entry instead, so the fluxes of such a
// reaction link its species like those of any other reaction.

#include <cstdint>
#include <span>
#include <vector>

#include "chemlib/mechanism_layout.h"

namespace vantor::engine {

struct StoichEntry {
    int32_t index;        // a species (in a reaction's list) or a reaction (in a species' list)
    double coefficient;   // net stoichiometric coefficient, never 0
};

class MechanismTables {
public:
    // Sums the slot coefficients of reactions 1..NR over slots 1..MXSP of ICKWRK (integer sums
    // kept to 16 bits), plus the real coefficients of the reaction's real-coefficient entry in
    // RCKWRK; slots whose species index is 0 (empty) or outside 1..NS are skipped.
    void Build(const int32_t* ickwrk, const double* rckwrk, const chem::MechanismLayout& layout, int32_t NS,
               int32_t NR);

    int32_t NS() const { return ns_; }
    int32_t NR() const { return nr_; }
    int32_t MM() const { return mm_; }

    // Atoms of element m (1..MM) in species k (1..NS).
    int32_t ElementCount(int32_t k, int32_t m) const {
        return elementCounts_[static_cast<size_t>(k - 1) * static_cast<size_t>(mm_) + static_cast<size_t>(m - 1)];
    }

    // The net coefficient of species k in reaction i (whole numbers kept to 16 bits like the
    // table it stands for).
    double StoichMatrix(int32_t k, int32_t i) const;

    // The reactions of species k with a non-zero net coefficient, ascending (SpeciesReactions).
    std::span<const StoichEntry> SpeciesReactions(int32_t k) const { return Row(speciesStart_, speciesReactions_, k); }
    // The species of reaction i with a non-zero net coefficient, ascending.
    std::span<const StoichEntry> ReactionSpecies(int32_t i) const { return Row(reactionStart_, reactionSpecies_, i); }
    // The species in the occupied slots of reaction i, in slot order (those with a net 0 too).
    std::span<const int32_t> SlotSpecies(int32_t i) const { return Row(slotStart_, slotSpecies_, i); }
    // The species other than k that share a reaction with k, ascending.
    std::span<const int32_t> Neighbours(int32_t k) const { return Row(neighbourStart_, neighbours_, k); }
    // Offset of Neighbours(k) in the concatenation of all neighbour lists (for tables laid out alike).
    size_t NeighbourOffset(int32_t k) const { return neighbourStart_[static_cast<size_t>(k)]; }
    size_t NeighbourTotal() const { return neighbours_.size(); }

private:
    template <typename T>
    static std::span<const T> Row(const std::vector<size_t>& start, const std::vector<T>& data, int32_t row) {
        const size_t r = static_cast<size_t>(row);
        return std::span<const T>(data.data() + start[r], start[r + 1] - start[r]);
    }
    void BuildSpeciesRows();
    void BuildNeighbours();

    int32_t ns_ = 0, nr_ = 0, mm_ = 0;
    std::vector<int32_t> elementCounts_;  // (MM, NS), element fastest
    std::vector<size_t> reactionStart_;   // rows 1..NR (row 0 empty)
    std::vector<StoichEntry> reactionSpecies_;
    std::vector<size_t> slotStart_;
    std::vector<int32_t> slotSpecies_;
    std::vector<size_t> speciesStart_;    // rows 1..NS (row 0 empty)
    std::vector<StoichEntry> speciesReactions_;
    std::vector<size_t> neighbourStart_;
    std::vector<int32_t> neighbours_;
};

}  // namespace vantor::engine
