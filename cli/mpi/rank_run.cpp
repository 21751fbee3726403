#include "cli/mpi/rank_run.h"

#include <mpi.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstring>
#include <deque>
#include <iostream>
#include <mutex>
#include <thread>
#include <vector>

#include "app/core/cluster/run_state.h"
#include "cli/mpi/case_result_codec.h"
#include "common/atomic_file.h"
#include "outside/senkin/ignition_listing.h"

namespace vantor::mpi {
namespace {

constexpr int kCaseTag = 1;
constexpr int kReportTag = 2;
constexpr int kHostLength = 64;
constexpr auto kIdle = std::chrono::milliseconds(20);

struct Identity {
    long pid;
    char host[kHostLength];
};

std::vector<size_t> CasesOfRank(size_t total, int rank, int ranks) {
    std::vector<size_t> mine;
    for (size_t i = static_cast<size_t>(rank); i < total; i += static_cast<size_t>(ranks)) mine.push_back(i);
    return mine;
}

// Finished cases handed from the worker threads to the rank's main thread, which alone calls MPI.
class DoneCases {
public:
    void Push(size_t index) {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_.push_back(index);
    }
    std::deque<size_t> Take() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(done_, {});
    }

private:
    std::mutex mutex_;
    std::deque<size_t> done_;
};

void Send(const std::vector<char>& bytes, int tag) {
    MPI_Send(bytes.data(), static_cast<int>(bytes.size()), MPI_BYTE, 0, tag, MPI_COMM_WORLD);
}

// The rank's cases on its threads, alongside the main thread's loop.
class LocalRun {
public:
    LocalRun(senkin::PreparedJob& prepared, std::vector<size_t> cases, const senkin::RunOptions& options)
        : cases_(std::move(cases)) {
        if (prepared.report.status != senkin::kSenkinOk || cases_.empty()) {
            finished_ = true;
            return;
        }
        thread_ = std::thread([this, &prepared, options] {
            problem_ = senkin::RunIgnitionCases(prepared, cases_, options, nullptr,
                                                [this](size_t index) { done_.Push(index); });
            finished_.store(true);
        });
    }
    ~LocalRun() {
        if (thread_.joinable()) thread_.join();
    }
    bool Finished() const { return finished_.load(); }
    std::deque<size_t> TakeDone() { return done_.Take(); }
    const std::string& Problem() const { return problem_; }  // once finished

private:
    std::vector<size_t> cases_;
    DoneCases done_;
    std::string problem_;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

// Rank 1 and up: each finished case to rank 0, then the closing report.
void ServeRankZero(senkin::PreparedJob& prepared, LocalRun& run, int threads) {
    for (;;) {
        const bool finished = run.Finished();
        for (const size_t index : run.TakeDone()) {
            std::vector<char> bytes = EncodeCaseResult(index, prepared.report.cases[index]);
            if (bytes.size() > static_cast<size_t>(INT_MAX)) {
                senkin::CaseResult tooLarge;
                tooLarge.listing = senkin::ListingError("the result of case " + std::to_string(index + 1) +
                                                        " is too large to send to rank 0");
                bytes = EncodeCaseResult(index, tooLarge);
            }
            Send(bytes, kCaseTag);
        }
        if (finished) break;
        std::this_thread::sleep_for(kIdle);
    }
    const senkin::RunReport& report = prepared.report;
    const std::string message = report.status != senkin::kSenkinOk ? report.message : run.Problem();
    const int32_t status = report.status != senkin::kSenkinOk ? report.status
                           : message.empty()                  ? senkin::kSenkinOk
                                                              : senkin::kSenkinCaseFailed;
    Send(EncodeRankReport(status, threads, message), kReportTag);
}

struct RankOutcome {
    bool reported = false;
    int32_t status = 0;
    int32_t threads = 0;
    std::string message;
};

class RankZero {
public:
    RankZero(const RankRunInput& input, senkin::PreparedJob& prepared, const std::vector<Identity>& identities)
        : input_(input), prepared_(prepared), outcomes_(identities.size()) {
        const size_t total = prepared.report.cases.size();
        for (size_t r = 0; r < identities.size(); ++r) {
            RankEntry entry{static_cast<int>(r), identities[r].pid, identities[r].host, {}};
            for (const size_t i : CasesOfRank(total, static_cast<int>(r), static_cast<int>(identities.size())))
                entry.cases.push_back(static_cast<int>(i) + 1);
            state_.ranks.push_back(entry);
        }
        state_.progress = 0.0;
        WriteState();
    }

    // Until every rank has reported and the own cases are done.
    void Collect(LocalRun& own, int ownThreads) {
        outcomes_[0].threads = ownThreads;
        size_t done = 0;
        size_t reports = 1;
        bool ownReported = false;
        while (!ownReported || reports < outcomes_.size()) {
            bool busy = false;
            if (!ownReported && own.Finished()) {
                done += own.TakeDone().size();
                ownReported = true;
                Deliver(0);
                busy = true;
            }
            done += own.TakeDone().size();
            int waiting = 0;
            MPI_Status probe;
            MPI_Iprobe(MPI_ANY_SOURCE, MPI_ANY_TAG, MPI_COMM_WORLD, &waiting, &probe);
            if (waiting) {
                busy = true;
                int count = 0;
                MPI_Get_count(&probe, MPI_BYTE, &count);
                std::vector<char> bytes(static_cast<size_t>(count));
                MPI_Recv(bytes.data(), count, MPI_BYTE, probe.MPI_SOURCE, probe.MPI_TAG, MPI_COMM_WORLD,
                         MPI_STATUS_IGNORE);
                if (probe.MPI_TAG == kCaseTag) {
                    done += Receive(bytes, probe.MPI_SOURCE);
                } else {
                    RankOutcome& o = outcomes_[static_cast<size_t>(probe.MPI_SOURCE)];
                    o.reported = DecodeRankReport(bytes, o.status, o.threads, o.message);
                    if (!o.reported) o.status = senkin::kSenkinCaseFailed, o.message = "its report does not decode";
                    ++reports;
                    Deliver(probe.MPI_SOURCE);
                }
            }
            const size_t total = prepared_.report.cases.size();
            const double progress = total ? 100.0 * static_cast<double>(done) / static_cast<double>(total) : 100.0;
            if (progress != state_.progress) {
                state_.progress = progress;
                WriteState();
            }
            if (!busy) std::this_thread::sleep_for(kIdle);
        }
    }

    // The standard data and the listing, or the failure; returns the exit status.
    int Finish(const std::string& ownProblem, senkin::RunReport* out) {
        senkin::RunReport report;
        if (prepared_.report.status != senkin::kSenkinOk) {
            report = prepared_.report;  // its listing is written
        } else {
            AddRankLines();
            std::string problem = ownProblem.empty() ? "" : Describe(0) + ": " + ownProblem;
            for (size_t r = 1; r < outcomes_.size() && problem.empty(); ++r) {
                if (outcomes_[r].status != senkin::kSenkinOk) problem = Describe(r) + ": " + outcomes_[r].message;
            }
            report = senkin::FinishIgnitionJob(std::move(prepared_), problem);
            if (report.status != senkin::kSenkinOk && problem.empty()) {
                for (size_t i = 0; i < report.cases.size(); ++i) {
                    if (report.cases[i].finished || report.cases[i].listing.empty()) continue;
                    report.message = Describe(i % outcomes_.size()) + ": " + report.message;
                    break;
                }
            }
        }
        if (out) *out = report;
        state_.ended = true;
        state_.status = report.status;
        state_.message = report.message;
        WriteState();
        if (report.status != senkin::kSenkinOk) {
            std::cerr << "vantor-mpi-ignite: failed with status " << report.status << ": " << report.message << "\n";
            return 1;
        }
        return 0;
    }

private:
    size_t Receive(const std::vector<char>& bytes, int source) {
        size_t index = 0;
        senkin::CaseResult decoded;
        auto& cases = prepared_.report.cases;
        if (!DecodeCaseResult(bytes, index, decoded) || index >= cases.size() ||
            index % outcomes_.size() != static_cast<size_t>(source)) {
            RankOutcome& o = outcomes_[static_cast<size_t>(source)];
            o.status = senkin::kSenkinCaseFailed;
            o.message = "a case result from it does not decode";
            return 0;
        }
        decoded.ignitionCase = cases[index].ignitionCase;
        cases[index] = std::move(decoded);
        return 1;
    }
    void Deliver(int rank) {
        state_.delivered.push_back(rank);
        WriteState();
    }
    std::string Describe(size_t rank) const { return DescribeRank(state_.ranks[rank]); }
    void AddRankLines() {
        prepared_.listing += senkin::ListingLine("Spread over " + std::to_string(outcomes_.size()) +
                                                 " MPI rank(s), case i on rank (i - 1) mod " +
                                                 std::to_string(outcomes_.size()) + ":");
        for (size_t r = 0; r < outcomes_.size(); ++r) {
            prepared_.listing += senkin::ListingLine("  " + Describe(r) + ", " + std::to_string(outcomes_[r].threads) +
                                                     " thread(s)");
        }
    }
    void WriteState() {
        if (!input_.stateFile.empty()) WriteFileAtomically(input_.stateFile, FormatRunState(state_));
    }

    const RankRunInput& input_;
    senkin::PreparedJob& prepared_;
    std::vector<RankOutcome> outcomes_;
    LaunchedRunState state_;
};

}  // namespace

int RunOnRanks(const RankRunInput& input, senkin::RunReport* report) {
    int rank = 0, ranks = 1;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    MPI_Comm_size(MPI_COMM_WORLD, &ranks);

    Identity me{static_cast<long>(::getpid()), {}};
    ::gethostname(me.host, kHostLength - 1);
    std::vector<Identity> identities(static_cast<size_t>(rank == 0 ? ranks : 0));
    MPI_Gather(&me, sizeof me, MPI_BYTE, identities.data(), sizeof me, MPI_BYTE, 0, MPI_COMM_WORLD);

    senkin::IgnitionFiles files = input.files;
    if (rank != 0) files.standardData.clear(), files.listing.clear();  // only rank 0 writes
    senkin::PreparedJob prepared = senkin::PrepareIgnitionJob(input.job, files);
    const std::vector<size_t> mine = CasesOfRank(prepared.report.cases.size(), rank, ranks);
    const int threads = senkin::IgnitionThreads(input.options, mine.size());
    if (rank != 0) {
        LocalRun run(prepared, mine, input.options);
        ServeRankZero(prepared, run, threads);
        return 0;
    }
    if (prepared.report.status == senkin::kSenkinOk) senkin::DescribeRun(prepared, input.options, threads);
    RankZero zero(input, prepared, identities);
    std::string ownProblem;
    {
        LocalRun run(prepared, mine, input.options);
        zero.Collect(run, threads);
        ownProblem = run.Problem();
    }
    return zero.Finish(ownProblem, report);
}

}  // namespace vantor::mpi
