// vantor-mpi-ignite: the ignition runs of a job record (as the workbench writes it) spread over
// MPI ranks, started by a launcher such as "mpirun -n 16 --hostfile hosts vantor-mpi-ignite
// --job SAVE.dat.job --state SAVE.dat.state"; or of the inputs vantor-cli ignite takes, with its
// table. Writes the standard data and the listing, the same bytes a single SENKIN run writes.

#include <mpi.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/core/cluster/run_state.h"
#include "cli/ignite_request.h"
#include "cli/mpi/rank_run.h"
#include "common/atomic_file.h"
#include "common/job_record_file.h"

namespace {

constexpr const char* kUsage =
    "vantor-mpi-ignite --job JOB_RECORD_FILE [--state STATE_FILE] [--threads N], or the inputs of vantor-cli ignite";

// Every rank parses the same command line; rank 0 tells what is wrong.
bool ParseArguments(int argc, char** argv, vantor::mpi::RankRunInput& input, std::string& jobFile,
                    std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string key = argv[i];
        if (i + 1 >= argc) {
            error = key + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (key == "--job") {
            jobFile = value;
        } else if (key == "--state") {
            input.stateFile = value;
        } else if (key == "--threads") {
            char* end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            if (*end != '\0' || n < 1 || n > 1024) {
                error = "--threads takes a whole number from 1 to 1024, not '" + value + "'";
                return false;
            }
            input.options.threads = static_cast<int>(n);
        } else {
            error = "unknown option " + key;
            return false;
        }
    }
    if (jobFile.empty()) error = "--job is needed";
    return error.empty();
}

// The inputs of vantor-cli ignite: the same cases, files and table.
int RunIgniteForm(const std::vector<std::string>& arguments, int rank) {
    vantor::cli::IgniteRequest request;
    std::string error;
    const int parsed = vantor::cli::ParseIgniteRequest(arguments, "mpirun ... vantor-mpi-ignite", request, error);
    if (parsed != 0) {
        if (parsed > 0 && rank == 0) std::cerr << "vantor-mpi-ignite: " << error << "\n";
        return std::max(parsed, 0);
    }
    vantor::mpi::RankRunInput input;
    input.job = request.job;
    input.files = request.files;
    input.options = request.run;
    vantor::senkin::RunReport report;
    const int status = vantor::mpi::RunOnRanks(input, &report);
    if (rank == 0) {
        vantor::cli::PrintIgniteTable(report, request.mixtures);
        if (status == 0 && !input.files.standardData.empty())
            std::cout << "\nStandard data written to " << input.files.standardData << "\n";
    }
    return status;
}

int Run(int argc, char** argv, int rank) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (std::find(arguments.begin(), arguments.end(), "--job") == arguments.end()) return RunIgniteForm(arguments, rank);
    vantor::mpi::RankRunInput input;
    std::string jobFile, error;
    if (!ParseArguments(argc, argv, input, jobFile, error)) {
        if (rank == 0) std::cerr << "vantor-mpi-ignite: " << error << "\nUsage: " << kUsage << "\n";
        return 2;
    }
    int32_t refused = 0;
    if (vantor::ReadJobRecordFile(jobFile, input.job, error)) {
        input.files = vantor::senkin::JobRecordFiles(input.job);
        if (input.files.listing.empty() || input.files.standardData.empty()) {
            refused = rank == 0 ? vantor::senkin::CheckJobRecordFiles(input.files) : vantor::senkin::kSenkinBadJobRecord;
            error = "the job record names no standard-data or listing file";
        }
    } else {
        refused = vantor::senkin::kSenkinBadJobRecord;
    }
    if (refused != 0) {
        if (rank == 0) {
            std::cerr << "vantor-mpi-ignite: " << error << "\n";
            vantor::LaunchedRunState state;
            state.ended = true;
            state.status = refused;
            state.message = error;
            if (!input.stateFile.empty()) vantor::WriteFileAtomically(input.stateFile, vantor::FormatRunState(state));
        }
        return 1;
    }
    return vantor::mpi::RunOnRanks(input);
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write (EFBIG) with its message
    int provided = 0;
    if (MPI_Init_thread(&argc, &argv, MPI_THREAD_FUNNELED, &provided) != MPI_SUCCESS) {
        std::cerr << "vantor-mpi-ignite: MPI cannot start\n";
        return 1;
    }
    int rank = 0;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    int status = 1;
    try {
        status = Run(argc, argv, rank);
    } catch (const std::exception& e) {
        std::cerr << "vantor-mpi-ignite: rank " << rank << ": " << e.what() << "\n";
        MPI_Abort(MPI_COMM_WORLD, 1);
    }
    MPI_Finalize();
    return status;
}
