#pragma once
// An ignition job spread over the ranks of MPI_COMM_WORLD. Case i (0-based, in case order) runs
// on rank i mod the number of ranks, on that rank's threads. Every rank loads the mechanism
// binary and plans the whole job from the same files (a folder every host sees); each finished
// case goes to rank 0 at once, which counts the progress, keeps the state file and, holding
// every result, writes the standard data and the listing with SENKIN's own writer, so the file
// is the one a single process writes. Only rank 0 writes files.

#include <string>

#include "common/job_record.h"
#include "outside/senkin/ignition_run.h"

namespace vantor::mpi {

struct RankRunInput {
    JobRecord job{};
    senkin::IgnitionFiles files;
    senkin::RunOptions options;
    std::string stateFile;  // empty: none
};

// Called on every rank after MPI_Init; returns the rank's exit status (rank 0: 0 only on success).
// On rank 0, `report` (may be null) gets the run's report with every case.
int RunOnRanks(const RankRunInput& input, senkin::RunReport* report = nullptr);

}  // namespace vantor::mpi
