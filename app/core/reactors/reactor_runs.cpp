#include "app/core/reactors/reactor_runs.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>

#include "app/core/mechanism/reduced_data_files.h"
#include "app/core/mechanism/text_format.h"
#include "app/core/pipeline/failure_reasons.h"
#include "app/core/pipeline/run_settings.h"
#include "chemlib/mechanism.h"
#include "common/fixed_names.h"
#include "common/path_field.h"
#include "outside/mixture/equivalence_ratio.h"

namespace vantor::reactors {

namespace {

std::string Prefixed(bool reduced, const std::string& name) { return (reduced ? "New_" : "") + name; }

const char* KindName(ReactorKind kind) { return kind == ReactorKind::kFlame ? "FLAME" : "PSR"; }

// Success as the other libraries signal it: a result of 10000 + 100 x task + 8 or a finished
// progress, with no status.
bool Succeeded(int32_t result, int32_t status, double progress) {
    return status == 0 && ((result >= 10000 && result % 10 == 8) || progress >= kProgressDoneThreshold);
}

bool Call(EntryFunction entry, JobRecord& job, const std::string& step, const std::string& listing,
          MessageSink& sink) {
    int32_t status = 0;
    double progress = 0.0;
    sink.AddLine("> " + step + " start ......");
    const auto started = std::chrono::steady_clock::now();
    const int32_t result = entry(&job, &status, &progress);
    if (Succeeded(result, LoadStatus(&status), LoadProgress(&progress))) {
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        char elapsed[48];
        std::snprintf(elapsed, sizeof elapsed, "%.3f", took.count());
        sink.AddLine("> " + step + " is successful!");
        sink.AddLine(std::string("> Elapsed time:") + elapsed + "s");
        return true;
    }
    ReportError(sink, "<E> " + step + " failed with status " + std::to_string(LoadStatus(&status)) +
                          ", please check " + listing + ".");
    if (const std::string reason = ListingErrorLine(listing); !reason.empty()) sink.AddLine("> " + listing + ": " + reason);
    return false;
}

bool SetPath(PathField& field, const std::string& path, MessageSink& sink) {
    if (EncodePathField(path, field)) return true;
    ReportError(sink, "<E> Path too long for the job record (99 characters at most): " + path);
    return false;
}

// The job's cases: one pressure, one temperature, one mixture per equivalence ratio.
bool FillCases(JobRecord& job, const ReactorCaseLine& line, const std::vector<std::vector<double>>& mixtures,
               std::string& error) {
    if (mixtures.size() > static_cast<size_t>(kMaxListValues)) {
        error = std::string(ReactorCaseKey(line.kind)) + " holds more than " + std::to_string(kMaxListValues) +
                " equivalence ratios";
        return false;
    }
    job.NPress = 1;
    job.Press[0] = line.pressureAtm;
    job.NTemp = 1;
    job.Temp[0] = line.temperature;
    job.NMix = static_cast<int16_t>(mixtures.size());
    for (size_t m = 1; m <= mixtures.size(); ++m) {
        int16_t count = 0;
        const std::vector<double>& x = mixtures[m - 1];
        for (size_t k = 0; k < x.size(); ++k) {
            if (x[k] <= 0.0) continue;
            if (++count > kMaxListValues) {
                error = "a case mixture holds more than " + std::to_string(kMaxListValues) + " species";
                return false;
            }
            job.mixIndex(static_cast<int>(m), count) = static_cast<int16_t>(k + 1);
            job.mixAmount(static_cast<int>(m), count) = x[k];
        }
        job.mixIndex(static_cast<int>(m), 0) = count;
        job.LastMixCount = count;
    }
    return true;
}

}  // namespace

std::string ReactorDataFile(const std::string& workDirectory, ReactorKind kind, bool reduced) {
    return JoinPath(workDirectory, Prefixed(reduced, KindName(kind) + std::string(".dat")));
}

std::string TransportBinaryFile(const std::string& workDirectory, bool reduced) {
    return JoinPath(workDirectory, Prefixed(reduced, "Tran.bin"));
}

bool ReadMixtureAmounts(const std::string& line, std::vector<std::pair<std::string, double>>& amounts,
                        std::string& error) {
    amounts.clear();
    for (const std::string& token : CommaTokens(line)) {
        const std::vector<std::string> words = SplitAtBlanks(token);
        if (words.empty()) continue;
        const std::optional<double> amount = words.size() == 2 ? ParseNumberC(words[1]) : std::nullopt;
        if (!amount || !(*amount >= 0.0)) {
            error = std::string(1, '"');
            error += TrimBlanks(token) + "\" of the mixture line \"" + line + "\" is not a species name and an amount";
            return false;
        }
        amounts.emplace_back(words[0], *amount);
    }
    if (amounts.empty()) error = "the mixture line \"" + line + "\" names no species";
    return !amounts.empty();
}

bool CaseMixtures(const std::string& mechanismBinary, const std::vector<std::pair<std::string, double>>& mixture,
                  const std::vector<double>& phis, std::vector<std::vector<double>>& moleFractions, std::string& error) {
    chem::Mechanism mechanism;
    std::ostringstream messages;
    if (mechanism.Load(mechanismBinary, messages) != 0) {
        error = "cannot read the mechanism binary " + mechanismBinary + ": " + messages.str();
        return false;
    }
    std::vector<double> amounts(static_cast<size_t>(mechanism.KK()), 0.0);
    for (const auto& [name, amount] : mixture) {
        const int32_t k = mechanism.SpeciesIndex(name);
        if (k == 0) {
            error = "species " + name + " of the first mixture is not in " + mechanismBinary;
            return false;
        }
        amounts[static_cast<size_t>(k - 1)] += amount;
    }
    moleFractions.clear();
    for (const double phi : phis) {
        std::vector<double> x;
        if (!mixture::MixtureAtEquivalenceRatio(mechanism, amounts, phi, x, error)) {
            error = "the first mixture at equivalence ratio " + std::to_string(phi) + ": " + error;
            return false;
        }
        moleFractions.push_back(std::move(x));
    }
    return true;
}

bool RunReactorCases(ReactorRun& run, MessageSink& sink) {
    if (run.cases.empty()) return true;
    const std::string work = run.workDirectory;
    const std::string mechanismBinary = run.paths.mechBinFile;
    const std::string transportData = !run.transportData.empty() ? run.transportData
                                      : run.reduced                ? JoinPath(work, kReducedTransportFileName)
                                                                   : run.paths.tranDatFile;
    std::error_code failed;
    if (!std::filesystem::is_regular_file(transportData, failed)) {
        ReportError(sink, "<E> The flame and stirred-reactor cases need the transport data " + transportData +
                              ", which is not there.");
        return false;
    }
    JobRecord& job = run.job;
    const std::string transportListing = JoinPath(work, Prefixed(run.reduced, "Tran_Out.dat"));
    if (!SetPath(job.TranDatFile, transportData, sink) ||
        !SetPath(job.TranspBinFile, TransportBinaryFile(work, run.reduced), sink) ||
        !SetPath(job.OutFile, transportListing, sink))
        return false;
    if (!run.pellor) {
        ReportError(sink, "<E> libPellor.so is not loaded: the transport binary cannot be made.");
        return false;
    }
    if (!Call(run.pellor, job, Prefixed(run.reduced, "Tran.bin") + " generation", transportListing, sink)) return false;

    for (const ReactorCaseLine& line : run.cases) {
        std::vector<std::vector<double>> mixtures;
        std::string error;
        if (!CaseMixtures(mechanismBinary, run.mixture, line.phis, mixtures, error) ||
            !FillCases(job, line, mixtures, error)) {
            ReportError(sink, "<E> " + std::string(ReactorCaseKey(line.kind)) + " cases: " + error);
            return false;
        }
        const std::string data = ReactorDataFile(work, line.kind, run.reduced);
        const std::string listing = JoinPath(work, Prefixed(run.reduced, KindName(line.kind) + std::string("_Out.dat")));
        // An earlier run's results must not pass for this one's.
        std::filesystem::remove(data, failed);
        if (!SetPath(job.SaveFile, data, sink) || !SetPath(job.OutFile, listing, sink)) return false;
        const EntryFunction entry = run.libraries ? run.libraries->Entry(line.kind) : nullptr;
        if (!entry) {
            ReportError(sink, std::string("<E> ") + ReactorLibraryFile(line.kind) + " is not loaded: the " +
                                  ReactorCaseKey(line.kind) + " cases cannot run.");
            return false;
        }
        const std::string step = line.kind == ReactorKind::kFlame ? "Flame calculation" : "Stirred-reactor calculation";
        if (!Call(entry, job, step + (run.reduced ? " (reduced)" : ""), listing, sink)) return false;
    }
    return true;
}

bool RunProjectReactorCases(bool reduced, const TWState& settings, const RunFiles& files,
                            const std::vector<std::string>& mixtureLines, const std::vector<ReactorCaseLine>& cases,
                            EntryFunction pellor, const ReactorLibraries& libraries, MessageSink& sink) {
    if (cases.empty()) return true;
    ReactorRun run;
    run.reduced = reduced;
    run.job.ReducedFilesFlag = reduced ? 1 : 0;
    const JobFillResult fill = FillJobRecord(run.job, settings, files);
    if (!fill.ok) {
        ReportError(sink, fill.message);
        return false;
    }
    std::string error;
    if (mixtureLines.empty() || !ReadMixtureAmounts(mixtureLines.front(), run.mixture, error)) {
        ReportError(sink, "<E> The flame and stirred-reactor cases need the project's first mixture" +
                              (error.empty() ? std::string(".") : ": " + error + "."));
        return false;
    }
    run.paths = fill.paths;
    run.workDirectory = files.workDirectory;
    run.cases = cases;
    run.pellor = pellor;
    run.libraries = &libraries;
    return RunReactorCases(run, sink);
}

}  // namespace vantor::reactors
