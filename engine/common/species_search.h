#pragma once
// SearchKeptSpecies: the species of one state reachable from the preselected ones, level by
// level. How a source species leads to others is the method's business (NeighbourSelector).

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/common/state_fluxes.h"

namespace vantor::engine {

class NeighbourSelector {
public:
    virtual ~NeighbourSelector() = default;
    // A new state: the fluxes stay valid until the next call.
    virtual void BeginState(const StateFluxes& fluxes) = 0;
    // For source species A: every species B the method accepts that is not yet kept is marked in
    // `kept` (flags 1..NS) and appended to `next`, in the method's order.
    virtual void SelectFrom(int32_t A, std::vector<uint8_t>& kept, std::vector<int32_t>& next) = 0;
};

class SpeciesSearch {
public:
    explicit SpeciesSearch(int32_t NS) : kept_(static_cast<size_t>(NS) + 1, 0) {}

    // Clears the flags, keeps the preselected species (ascending) and follows the selector level
    // by level until a level adds nothing. Each species is a source at most once.
    void SearchKeptSpecies(const std::vector<int32_t>& preselected, NeighbourSelector& selector);

    const std::vector<uint8_t>& Kept() const { return kept_; }
    // The kept species in the order they were kept (the preselected ones first).
    const std::vector<int32_t>& Visited() const { return visited_; }

private:
    std::vector<uint8_t> kept_;
    std::vector<int32_t> visited_;
    std::vector<int32_t> frontier_;
    std::vector<int32_t> next_;
};

// The kept species of one state from its start species: the level search above, or a method's
// own search (DRGEP's path coefficients).
class StateSearch {
public:
    virtual ~StateSearch() = default;
    // `start` ascending; the fluxes stay valid until the next call. Start species are kept.
    virtual void Search(const std::vector<int32_t>& start, const StateFluxes& fluxes) = 0;
    virtual const std::vector<uint8_t>& Kept() const = 0;  // flags 1..NS
};

class LevelSearch : public StateSearch {
public:
    LevelSearch(int32_t NS, std::unique_ptr<NeighbourSelector> selector)
        : search_(NS), selector_(std::move(selector)) {}
    void Search(const std::vector<int32_t>& start, const StateFluxes& fluxes) override {
        selector_->BeginState(fluxes);
        search_.SearchKeptSpecies(start, *selector_);
    }
    const std::vector<uint8_t>& Kept() const override { return search_.Kept(); }

private:
    SpeciesSearch search_;
    std::unique_ptr<NeighbourSelector> selector_;
};

}  // namespace vantor::engine
