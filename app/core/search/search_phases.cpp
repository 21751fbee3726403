// The target search's two phases: bisection on the threshold with the look beyond the bracket,
// then the removal of species in groups.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/core/search/removal_ranking.h"
#include "app/core/search/search_run.h"

namespace vantor::search {

namespace {

constexpr int kProbesBeyondBracket = 2;
constexpr int kStepsPerProbe = 10;

}  // namespace

void SearchRun::SetProgress(double fraction, const std::string& status) {
    observer_.Progress(std::clamp(fraction, 0.0, 1.0), status);
}

bool SearchRun::TryMarks(const KeepMarks& marks, double t, bool& within) {
    CandidateRow row;
    if (!Evaluate(marks, t, "", row)) return false;
    const CandidateRow& result = row.result == CandidateResult::Same ? rows_[static_cast<size_t>(row.sameAs - 1)] : row;
    within = result.result == CandidateResult::Within;
    if (within && (best_ == 0 || result.species < rows_[static_cast<size_t>(best_ - 1)].species ||
                   (result.species == rows_[static_cast<size_t>(best_ - 1)].species &&
                    result.reactions < rows_[static_cast<size_t>(best_ - 1)].reactions)))
        best_ = result.number;
    const double expected = std::log2(1.0 / settings_.resolution) + 1.0 + kProbesBeyondBracket;
    const double share = settings_.speciesRemoval ? 0.4 : 0.8;
    SetProgress(0.1 + share * std::min(1.0, runCandidates_ / expected),
                "Threshold search: candidate " + std::to_string(row.number));
    return true;
}

bool SearchRun::TryThreshold(double t, bool& within) {
    KeepMarks marks;
    return EngineMarks(t, marks, JoinPath(folder_, "Engine.dat")) && TryMarks(marks, t, within);
}

bool SearchRun::ThresholdSearch() {
    const double res = settings_.resolution;
    const auto capReached = [this] { return runCandidates_ >= settings_.maxThresholdCandidates; };
    bool within = false;
    double lo = 0.0, hi = 1.0;
    std::vector<double> failing;  // thresholds whose candidates were outside target
    while (true) {
        while (hi - lo > res * 1.5 && !capReached()) {
            const double mid = std::round((lo + hi) / 2.0 / res) * res;
            if (mid <= lo + res * 0.5 || mid >= hi - res * 0.5) break;
            if (!TryThreshold(mid, within)) return false;
            (within ? hi : lo) = mid;
            if (!within) failing.push_back(mid);
        }
        // The upper end 1 is run only when nothing below it is within target: it keeps nearly
        // every species and costs as much as the detailed mechanism.
        if (best_ == 0 && !(TryThreshold(1.0, within) && within)) return !failed_;
        if (lo <= res * 0.5 || capReached()) return true;
        // The error need not fall steadily with the threshold: look below the bracket for up to
        // two new, smaller species sets.
        int loSpecies = rows_.empty() ? 0 : rows_.back().species;
        for (const CandidateRow& r : rows_)
            if (!r.removal && std::abs(r.threshold - lo) < res * 0.5) loSpecies = r.species;
        bool found = false;
        double t = lo;
        for (int probes = 0, steps = 0; probes < kProbesBeyondBracket &&
                                        steps < kProbesBeyondBracket * kStepsPerProbe && t > res * 0.5 && !capReached();
             ++steps) {
            t = std::round((t - res) / res) * res;
            KeepMarks marks;
            if (!EngineMarks(t, marks, JoinPath(folder_, "Engine.dat"))) return false;
            if (KeptCount(marks) >= loSpecies) continue;
            ++probes;
            if (!TryMarks(marks, t, within)) return false;
            if (within) {
                found = true;
                break;
            }
            failing.push_back(t);
            loSpecies = KeptCount(marks);
        }
        if (!found) return true;
        hi = t;
        lo = 0.0;
        for (const double f : failing)
            if (f < hi) lo = std::max(lo, f);
        char line[128];
        std::snprintf(line, sizeof line,
                      "> Threshold %.4f is within target below the bracket: the search goes on below it.", t);
        observer_.AddLine(line);
    }
}

bool SearchRun::SpeciesRemoval() {
    if (!settings_.speciesRemoval || best_ == 0 || Stopped()) return true;
    const CandidateRecord& base = *records_[static_cast<size_t>(best_ - 1)];
    KeepMarks current = base.marks;
    const double t = base.threshold;
    const std::string listing = JoinPath(folder_, "Ranking.dat");
    KeepMarks engineMarks;
    std::vector<SpeciesUse> use;
    if (!EngineMarks(t, engineMarks, listing)) return false;
    if (!ReadSpeciesUse(listing, static_cast<int32_t>(current.size()), use)) {
        observer_.AddLine("> The engine's listing " + listing + " holds no kept-species records: no species removal.");
        return true;
    }
    const std::vector<int32_t> ranking = RankForRemoval(use, current, fixed_);
    observer_.AddLine("> Species removal: " + std::to_string(ranking.size()) + " of the " +
                      std::to_string(KeptCount(current)) + " species kept are tried, least needed first.");
    // The next species of the ranking are removed together: a group within target doubles the
    // next one, a group outside is halved and tried again, and a single species outside stays.
    // Where most of the least needed species can go, as in large mechanisms, a try removes many;
    // where few can, the groups stay single species.
    while (true) {
        bool removedOne = false;
        size_t group = 1;
        for (size_t next = 0; next < ranking.size();) {
            std::vector<int32_t> members;
            size_t after = next;
            for (; after < ranking.size() && members.size() < group; ++after)
                if (current[static_cast<size_t>(ranking[after])]) members.push_back(ranking[after]);
            if (members.empty()) break;
            if (removalTries_ >= settings_.maxRemovalTries || Stopped()) return !Stopped();
            KeepMarks trial = current;
            for (const int32_t k : members) trial[static_cast<size_t>(k)] = false;
            if (SameAs(trial)) {  // tried on this base before
                if (members.size() == 1) next = after;
                group = std::max<size_t>(1, members.size() / 2);
                continue;
            }
            CandidateRow row;
            if (!Evaluate(trial, t, RemovedLabel(members), row)) return false;
            ++removalTries_;
            if (members.size() > 1) observer_.AddLine("> Candidate " + std::to_string(row.number) +
                                                      " removed: " + RemovedNames(members));
            if (row.result == CandidateResult::Within) {
                current = trial;
                best_ = row.number;
                removedOne = true;
                next = after;
                group = members.size() * 2;
            } else if (members.size() > 1) {
                group = members.size() / 2;
            } else {
                next = after;
            }
            SetProgress(0.5 + 0.4 * removalTries_ / std::max(1, settings_.maxRemovalTries),
                        "Species removal: try " + std::to_string(removalTries_));
        }
        if (!removedOne) return true;
    }
}

std::string SearchRun::RemovedLabel(const std::vector<int32_t>& members) const {
    std::string label = input_.model.Species[static_cast<size_t>(members.front())].name;
    if (members.size() > 1) label.append(1, '+').append(std::to_string(members.size() - 1));
    return label;
}

std::string SearchRun::RemovedNames(const std::vector<int32_t>& members) const {
    std::string names;
    for (const int32_t k : members) {
        if (!names.empty()) names += ' ';
        names += input_.model.Species[static_cast<size_t>(k)].name;
    }
    return names;
}

}  // namespace vantor::search
