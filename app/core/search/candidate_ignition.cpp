#include "app/core/search/candidate_ignition.h"

#include <algorithm>
#include <thread>

#include "app/core/pipeline/compare_results.h"
#include "common/path_field.h"

namespace vantor::search {

namespace {

constexpr int kTaskStandardData = 1;
constexpr int kTaskMechanismBinary = 3;

int CaseNumber(const JobRecord& job, int m, int p, int t) {
    return ((m - 1) * job.NPress + (p - 1)) * job.NTemp + (t - 1);
}

CaseChunk MakeChunk(const JobRecord& job, int m, int p, int t) {
    CaseChunk chunk{m, p, t, {}};
    for (int pi = 1; pi <= job.NPress; ++pi)
        for (int ti = 1; ti <= job.NTemp; ++ti)
            if ((p == 0 || p == pi) && (t == 0 || t == ti)) chunk.cases.push_back(CaseNumber(job, m, pi, ti));
    return chunk;
}

bool Completed(int32_t result, int32_t status, double progress, int taskCode) {
    return (result == SuccessResult(taskCode) || progress >= kProgressDoneThreshold) && status <= 0;
}

// The job restricted to one chunk: its mixture in slot 1, its pressure and temperature lists.
JobRecord ChunkJob(const JobRecord& job, const CaseChunk& chunk) {
    JobRecord part = job;
    part.NMix = 1;
    const int count = job.mixIndex(chunk.mixture, 0);
    for (int k = 0; k <= count; ++k) {
        part.mixIndex(1, k) = job.mixIndex(chunk.mixture, k);
        part.mixAmount(1, k) = job.mixAmount(chunk.mixture, k);
    }
    part.LastMixCount = static_cast<int16_t>(count);
    if (chunk.pressure > 0) {
        part.NPress = 1;
        part.Press[0] = job.Press[chunk.pressure - 1];
    }
    if (chunk.temperature > 0) {
        part.NTemp = 1;
        part.Temp[0] = job.Temp[chunk.temperature - 1];
    }
    return part;
}

}  // namespace

std::vector<CaseChunk> PlanChunks(const JobRecord& job, int cores) {
    // SENKIN runs a call's cases on every core unless told otherwise.
    if (cores <= 0) cores = static_cast<int>(std::thread::hardware_concurrency());
    const int nP = job.NPress, nT = job.NTemp, nM = job.NMix;
    // The kinds of sub-product by size: one case, all temperatures at one pressure, all
    // pressures at one temperature, one mixture; the smallest that gives every core a case.
    struct Kind {
        int size;
        bool onePressure, oneTemperature;
    };
    const Kind kinds[] = {{1, true, true}, {nT, true, false}, {nP, false, true}, {nP * nT, false, false}};
    const Kind* chosen = nullptr;
    for (const Kind& kind : kinds)
        if (kind.size >= std::max(cores, 1) && (!chosen || kind.size < chosen->size)) chosen = &kind;
    std::vector<CaseChunk> chunks;
    if (!chosen) {
        CaseChunk all{0, 0, 0, {}};
        for (int c = 0; c < nM * nP * nT; ++c) all.cases.push_back(c);
        chunks.push_back(all);
        return chunks;
    }
    for (int m = 1; m <= nM; ++m)
        for (int p = 1; p <= (chosen->onePressure ? nP : 1); ++p)
            for (int t = 1; t <= (chosen->oneTemperature ? nT : 1); ++t)
                chunks.push_back(MakeChunk(job, m, chosen->onePressure ? p : 0, chosen->oneTemperature ? t : 0));
    return chunks;
}

void PutFirst(std::vector<CaseChunk>& chunks, int firstCase) {
    const auto holds = [firstCase](const CaseChunk& c) {
        return std::find(c.cases.begin(), c.cases.end(), firstCase) != c.cases.end();
    };
    const auto it = std::find_if(chunks.begin(), chunks.end(), holds);
    if (it != chunks.end()) std::rotate(chunks.begin(), it, it + 1);
}

EntryOutcome CallEntry(EntryFunction entry, JobRecord& job, int taskCode) {
    int32_t status = 0;
    double progress = 0.0;
    const int32_t result = entry(&job, &status, &progress);
    const int32_t finalStatus = LoadStatus(&status);
    return {Completed(result, finalStatus, LoadProgress(&progress), taskCode), finalStatus};
}

EntryOutcome CandidateIgnition::RunCases(JobRecord& part, std::string& why) const {
    if (launcher_.command.empty()) return CallEntry(senkin_, part, kTaskStandardData);
    int32_t status = 0;
    double progress = 0.0;
    const int32_t result = RunLaunchedIgnition(launcher_, part, &status, &progress, &why);
    return {Completed(result, status, progress, kTaskStandardData), status};
}

IgnitionOutcome CandidateIgnition::Run(const JobRecord& job, const std::vector<CaseChunk>& planned, bool compile,
                                       const ChunkCheck& keepGoing) const {
    IgnitionOutcome outcome;
    const int caseCount = job.NMix * job.NPress * job.NTemp;
    outcome.cases.resize(static_cast<size_t>(caseCount));
    // A chunk sized for this machine's cores would leave most ranks idle, and every launch
    // costs the start of the ranks: through a launcher the cases go in one call.
    std::vector<CaseChunk> chunks = planned;
    if (!launcher_.command.empty() && chunks.size() > 1) {
        chunks.assign(1, CaseChunk{0, 0, 0, {}});
        for (int c = 0; c < caseCount; ++c) chunks[0].cases.push_back(c);
    }
    const auto fail = [&](int code, int32_t status, std::string error) {
        outcome.ok = false;
        outcome.taskCode = code;
        outcome.status = status;
        outcome.error = std::move(error);
        return outcome;
    };
    if (compile) {
        JobRecord compileJob = job;
        const EntryOutcome compiled = CallEntry(tolmar_, compileJob, kTaskMechanismBinary);
        if (!compiled.ok) return fail(kTaskMechanismBinary, compiled.status, "Run Tolmar procedure failed");
    }
    const std::string savePath = DecodePathField(job.SaveFile);
    for (const CaseChunk& chunk : chunks) {
        JobRecord part = chunk.mixture == 0 ? job : ChunkJob(job, chunk);
        std::string why;
        const EntryOutcome ran = RunCases(part, why);
        if (!ran.ok) {
            outcome.launchFailed = ran.status == kLaunchNotStarted || ran.status == kLaunchedRunLost;
            const std::string reason = why.empty() ? "" : " (" + why + ")";
            return fail(kTaskStandardData, ran.status, "Run standard procedure failed" + reason);
        }
        std::vector<std::string> lines;
        std::vector<IgnitionCase> cases;
        if (!ReadTextLines(savePath, lines) || !ReadIgnitionCases(lines, cases) || cases.size() != chunk.cases.size())
            return fail(kTaskStandardData, 0, "The standard data " + savePath + " could not be read back");
        for (size_t i = 0; i < cases.size(); ++i) outcome.cases[static_cast<size_t>(chunk.cases[i])] = cases[i];
        if (keepGoing && !keepGoing(outcome.cases) && &chunk != &chunks.back()) {
            outcome.stoppedEarly = true;
            break;
        }
    }
    return outcome;
}

}  // namespace vantor::search
