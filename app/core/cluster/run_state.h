#pragma once
// The state file of an ignition run spread over MPI ranks: rewritten whole (atomically) by rank 0
// while the run goes on, read by the program that started the launcher. Text lines:
//   ranks 3
//   rank 1 pid 4711 cases 2 5 8 host node07     one line a rank, case numbers 1-based
//   progress 37.5                               percent of every case, done
//   delivered 0 2                               ranks whose every result has arrived
//   outcome 4105                                once the run has ended; 0 is success
//   message rank 1 (cases 2, 5, 8): ...         the failure, with the outcome

#include <cstdint>
#include <string>
#include <vector>

namespace vantor {

struct RankEntry {
    int rank = 0;
    long pid = 0;
    std::string host;
    std::vector<int> cases;  // case numbers, 1-based
};

struct LaunchedRunState {
    std::vector<RankEntry> ranks;
    double progress = -1.0;  // below 0: nothing known yet
    std::vector<int> delivered;
    bool ended = false;
    int32_t status = 0;
    std::string message;
};

std::string FormatRunState(const LaunchedRunState& state);
// False when the file is missing or unreadable; lines it does not know are skipped.
bool ReadRunState(const std::string& path, LaunchedRunState& state);
// "2, 5, 8"
std::string CaseNumberList(const std::vector<int>& cases);
// "rank 1 (pid 4711 on node07, cases 2, 5, 8)"
std::string DescribeRank(const RankEntry& rank);

}  // namespace vantor
