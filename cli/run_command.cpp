// vantor-cli run: the integrated reduction of a project (mechanism binary, standard data,
// reduction, reduced mechanism), the reduced test on the "New_" files and the comparison,
// driven through the same task runner and shared libraries as the desktop program.

#include <sched.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>
#include <variant>

#include "app/core/cluster/launcher_command.h"
#include "app/core/mechanism/mechanism_model.h"
#include "app/core/mechanism/project_data_files.h"
#include "app/core/mechanism/project_file.h"
#include "app/core/mechanism/reduced_writer.h"
#include "app/core/pipeline/always_kept.h"
#include "app/core/pipeline/compare_results.h"
#include "app/core/pipeline/error_table.h"
#include "app/core/pipeline/ignition_summary.h"
#include "app/core/pipeline/library_binding.h"
#include "app/core/pipeline/task_runner.h"
#include "app/core/reactors/reactor_results.h"
#include "app/core/reactors/reactor_runs.h"
#include "app/core/search/target_search.h"
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/plot_output.h"
#include "cli/data_file_options.h"
#include "cli/target_error_run.h"
#include "common/path_field.h"

namespace vantor::cli {
namespace {

constexpr const char* kUsage =
    "run PROJECT.PRJ [--method pfa|ecf|drg|drgep] [--targets LIST] [--jobs N] [--thermo FILE] [--transport FILE]\n"
    "                [--plot DIR] [--keep \"NO NO2 ...\"] [--target-error PERCENT [--no-species-removal]]\n"
    "                [--launcher \"mpirun -n N ...\"]";
constexpr auto kTickInterval = std::chrono::milliseconds(50);

// The message memo is standard output; notices that would be message boxes go to the errors.
class StdoutSink : public MessageSink {
public:
    void AddLine(const std::string& line) override { std::cout << line << '\n' << std::flush; }
    void ShowMessageBox(const std::string& text) override { std::cerr << text << '\n'; }
};

// The runner's surroundings: the opened project and its mechanism model.
class CliHost : public RunnerHost {
public:
    CliHost(MechanismModel& model, const ProjectData& project, RunFiles files, EngineMethod method, MessageSink& sink)
        : model_(model), project_(project), files_(std::move(files)), method_(method), sink_(sink) {}

    SettingsInput ReadSettingsInput() override {
        SettingsInput input;
        for (int row = 1; row <= kProjectGridRows; ++row) {
            input.grid[row][kUnitColumn] = project_.grid[row - 1].unit;
            input.grid[row][kValueColumn] = project_.grid[row - 1].value;
        }
        input.mixtureLines = project_.mixtureLines;
        input.alwaysKept = SplitSpeciesNames(project_.alwaysKept);
        input.speciesNames = model_.SpeciesNames();
        input.speciesMarks = model_.SpeciesMarks();
        input.targetSpecies = project_.targetSpecies;
        return input;
    }
    RunFiles CurrentFiles() override {
        RunFiles files = files_;
        files.mechanismPath = model_.MechanismPath;
        files.mechanismBinaryPath = model_.MechanismBinaryPath;
        files.thermoPath = model_.ThermoPath;
        files.transportPath = model_.TransportPath;
        return files;
    }
    void PrepareDetailedRun() override {
        model_.CheckAllSpecies(true);
        model_.ReducedInpReady = false;
    }
    bool ReducedInpReady() override { return model_.ReducedInpReady; }

    TaskCall ReducedWriter(const JobRecord& job, const TWState& settings) override {
        ReducedWriterJob copy;
        copy.model = model_;
        copy.settings = HeaderSettings(settings);
        copy.trimmedSpeciesPath = DecodePathField(job.TrimFile);
        copy.workDirectory = files_.workDirectory;
        return writer_.Entry(std::move(copy));
    }

    ReducedCounts CurrentReducedCounts() override { return CountsOf(model_); }

    void StepEnded(int taskCode, bool succeeded) override {
        if (taskCode != 5) return;
        const auto outcome = writer_.TakeOutcome();
        if (!outcome) return;
        ApplyReducedOutcome(model_, *outcome);
        if (!succeeded && !outcome->error.empty()) ReportError(sink_, "<E> " + outcome->error);
        if (!outcome->yamlError.empty()) ReportError(sink_, outcome->yamlError);
    }

private:
    ReducedHeaderSettings HeaderSettings(const TWState& s) const {
        ReducedHeaderSettings h;
        h.pressures.assign(s.Ps.begin() + 1, s.Ps.begin() + 1 + s.n_Ps);
        h.temperatures.assign(s.Ts.begin() + 1, s.Ts.begin() + 1 + s.n_Ts);
        h.mixtureLines = project_.mixtureLines;
        h.threshold = s.v_THD;
        h.heatKeptRatio = s.v_HKEEP;
        h.method = method_;
        return h;
    }

    MechanismModel& model_;
    const ProjectData& project_;
    RunFiles files_;
    EngineMethod method_;
    MessageSink& sink_;
    ReducedWriterTask writer_;  // outlives the runner, which holds its entry
};

// Keeps the run (and every thread it starts) on at most `cores` of the allowed processors.
bool LimitCores(int cores) {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return false;
    cpu_set_t limited;
    CPU_ZERO(&limited);
    int taken = 0;
    for (int cpu = 0; cpu < CPU_SETSIZE && taken < cores; ++cpu) {
        if (CPU_ISSET(cpu, &allowed)) {
            CPU_SET(cpu, &limited);
            ++taken;
        }
    }
    return sched_setaffinity(0, sizeof limited, &limited) == 0;
}

void Drive(TaskRunner& runner) {
    while (runner.RunActive()) {
        runner.Tick();
        std::this_thread::sleep_for(kTickInterval);
    }
    runner.DrainWorkerMessages();
}

// The ignition table, then `reactorTable` (the flame and stirred-reactor cases, if any).
void PrintSummary(const MechanismModel& model, const TWState& settings, const std::string& workDirectory,
                  const std::vector<std::string>& reactorTable) {
    std::vector<std::string> detailedLines, reducedLines;
    ReadTextLines(JoinPath(workDirectory, "SAVE.dat"), detailedLines);
    ReadTextLines(JoinPath(workDirectory, "New_SAVE.dat"), reducedLines);
    const auto detailed = ReadCaseResults(detailedLines);
    const auto reduced = ReadCaseResults(reducedLines);
    std::cout << "\nReduced mechanism: " << JoinPath(workDirectory, kReducedMechanismFileName) << '\n'
              << "Species kept: " << model.KeptSpeciesCount << " of " << model.DetailedSpeciesCount
              << "; reactions kept: " << model.ReducedReactionCount << " of " << model.DetailedReactionCount << "\n\n";
    for (const std::string& line : FormatComparisonTable(detailed, reduced, settings.n_Ps * settings.n_Ts))
        std::cout << line << '\n';
    if (const std::string largest = LargestDifferenceLine(detailed, reduced); !largest.empty())
        std::cout << '\n' << largest << '\n';
    for (const std::string& line : reactorTable) std::cout << line << '\n';
    std::cout << "Comparison report: " << JoinPath(workDirectory, "CMP.dat") << '\n'
              << "Error table: " << JoinPath(workDirectory, kErrorTableFileName) << '\n';
}

struct RunRequest {
    std::string projectPath;
    std::optional<EngineMethod> method;  // from --method; else the project's method
    std::optional<std::vector<std::string>> targets;  // from --targets; else the project's
    int cores = 0;            // from --jobs; 0 leaves every core
    std::string plotDirectory;  // from --plot; empty writes no plots
    DataFileChoice dataFiles;  // from --thermo, --transport; else the project's
    std::optional<double> targetError;  // --target-error: the search instead of one threshold
    bool speciesRemoval = true;
    std::string launcher;  // from --launcher; empty runs the ignition steps in SENKIN
    std::optional<std::string> keep;  // from --keep; else the project's always-kept species
};

void PrintHelp() {
    std::cout << "Usage: vantor-cli " << kUsage << "\n"
              << "Runs the integrated reduction of the project's mechanism (mechanism binary, standard data,\n"
              << "reduction, reduced mechanism), the reduced test and the comparison, then prints a table\n"
              << "of ignition delays and temperature rises per case. --method overrides the project's\n"
              << "method (pfa, ecf, drg, drgep); --targets names the target species of drg and drgep\n"
              << "besides the mixtures' species (blanks or commas between names; else the project's\n"
              << "Targets= line). --jobs keeps the run on at most N cores. --thermo and --transport name the\n"
              << "thermo and transport data files (else the project's, else Therm.dat and Tran.dat beside\n"
              << "the mechanism). --plot writes the delay, parity, temperature and species (fuel, O2,\n"
              << "CO, OH, H2O) plots as PNG and SVG into DIR, after --target-error also the candidate plot.\n"
              << "--keep names species every method keeps whatever it finds (blanks or commas between\n"
              << "the names; \"\" keeps none), in place of the project's Keep= line.\n"
              << "--target-error PERCENT searches instead the smallest mechanism whose ignition delays\n"
              << "stay within PERCENT of the detailed ones on every case (threshold search, then removal\n"
              << "of species unless --no-species-removal) and prints the candidates tried.\n"
              << "--launcher runs the ignition steps of a run (or of the search's candidates) through that\n"
              << "command and vantor-mpi-ignite.\n"
              << "Exit status 0 only on success.\n";
}

// The command line, or the exit status of a usage error or of --help.
std::variant<RunRequest, int> ParseRequest(const std::vector<std::string>& args) {
    std::string error;
    const auto options = CliOptions::Parse(
        args, {"--method", "--targets", "--jobs", "--thermo", "--transport", "--plot", "--target-error", "--launcher", "--keep"},
        {"--help", "-h", "--no-species-removal"}, error);
    if (options && (options->Has("--help") || options->Has("-h"))) {
        PrintHelp();
        return 0;
    }
    if (options && options->Positional().size() != 1) error = "one project file is needed";
    RunRequest request;
    if (options && error.empty()) {
        request.projectPath = std::filesystem::absolute(options->Positional()[0]).string();
        request.dataFiles = DataFileOptions(*options);
        request.keep = options->Value("--keep");
        if (const auto method = options->Value("--method")) {
            request.method = MethodFromOption(*method);
            if (!request.method) error = "--method takes pfa, ecf, drg or drgep, not '" + *method + "'";
        }
        if (const auto targets = options->Value("--targets")) request.targets = SplitSpeciesNames(*targets);
        if (const auto launcher = options->Value("--launcher"); launcher && error.empty()) {
            // An empty command would quietly run in-process: refuse it like one of blanks.
            std::vector<std::string> words;
            if (SplitCommandWords(*launcher, words, error)) request.launcher = *launcher;
            else error = "--launcher: " + error;
        }
        if (const auto plot = options->Value("--plot")) request.plotDirectory = std::filesystem::absolute(*plot).string();
        if (const auto jobs = options->Value("--jobs"); jobs && error.empty()) {
            const auto n = ParseDecimalInteger(*jobs);
            if (!n || *n < 1 || *n > CPU_SETSIZE) error = "--jobs takes a whole number of cores, not '" + *jobs + "'";
            else request.cores = static_cast<int>(*n);
        }
        if (const auto target = options->Value("--target-error"); target && error.empty())
            request.targetError = search::ParseTargetPercent(*target, error);
        request.speciesRemoval = !options->Has("--no-species-removal");
    }
    if (!error.empty()) {
        std::cerr << "vantor-cli run: " << error << "\nUsage: vantor-cli " << kUsage << '\n';
        return 2;
    }
    return request;
}

// Opens the project and its mechanism; an empty text on success, else the "<E> " line.
std::string OpenRunProject(MechanismModel& model, const std::string& path, ProjectOpenResult& opened) {
    opened = OpenProject(model, path);
    if (!opened.project.ok) return opened.project.error;
    if (!opened.project.restored) return "<E> " + path + " is not a project file: its first line is empty.";
    if (model.MechanismPath.empty()) return "<E> " + path + " names no mechanism file.";
    if (!opened.mechanism.ok) return opened.mechanism.error;
    return "";
}

int RunProject(const RunRequest& request) {
    const auto started = std::chrono::steady_clock::now();
    StdoutSink sink;
    // Before any thread starts, so every thread of the run inherits the limit.
    if (request.cores > 0 && !LimitCores(request.cores)) {
        ReportError(sink, "<E> Cannot keep the run on " + std::to_string(request.cores) + " cores.");
        return 1;
    }
    MechanismModel model;
    ProjectOpenResult opened;
    if (const std::string error = OpenRunProject(model, request.projectPath, opened); !error.empty()) {
        sink.AddLine(error);
        return 1;
    }
    if (!opened.project.knownTag)
        sink.AddLine("> The project's first line is no method tag (PFAPROJ, ECFPROJ, DRGPROJ, DRGEPPROJ): PFA is used.");
    for (const std::string& line : opened.mechanism.messages) sink.AddLine(line);
    ApplyDataFiles(request.dataFiles, model, sink);
    if (request.keep) opened.project.data.alwaysKept = JoinSpeciesNames(SplitSpeciesNames(*request.keep));
    const EngineMethod method = request.method.value_or(opened.project.data.method);
    if (request.targets) opened.project.data.targetSpecies = *request.targets;
    const std::string systemDirectory = ExecutableDirectory();

    EntryTable entries;
    if (entries.BindLibraries(ProgramLibraryFolder(), sink, SleepMilliseconds) != kBindOk) return 1;
    const std::vector<ReactorCaseLine>& reactorCases = opened.project.data.reactorCases;
    reactors::ReactorLibraries reactorLibraries;
    for (const ReactorCaseLine& line : reactorCases)
        if (!reactorLibraries.Bind(line.kind, ProgramLibraryFolder(), sink)) return 1;
    if (request.targetError) {
        const int status = RunTargetError(
            {*request.targetError, method, request.speciesRemoval, request.launcher, &reactorLibraries}, model, opened,
            entries, systemDirectory);
        if (status != 0 || request.plotDirectory.empty()) return status;
        return WriteRunPlots(opened.workDirectory, request.plotDirectory, opened.project.data.mixtureLines,
                             model.MechanismPath, sink) ? 0 : 1;
    }
    CliHost host(model, opened.project.data, RunFiles{systemDirectory, opened.workDirectory, "", "", "", ""}, method, sink);
    TaskRunner runner(host, sink, entries);
    runner.SetIgnitionLauncher(request.launcher);
    const auto runReactorCases = [&](bool reduced) {
        if (!reactorCases.empty())
            std::cout << (reduced ? "== Reduced flame and stirred-reactor cases\n" : "== Flame and stirred-reactor cases\n");
        return reactors::RunProjectReactorCases(reduced, runner.Settings(), host.CurrentFiles(),
                                                opened.project.data.mixtureLines, reactorCases,
                                                entries.Entry(LibraryId::Pellor), reactorLibraries, sink);
    };

    std::cout << "\n== Integrated reduction (" << MethodName(method) << ")\n";
    runner.IntegratedReduction(method);
    Drive(runner);
    if (runner.LastRunFailed() || !runReactorCases(false)) return 1;

    std::cout << "== Reduced chemistry test\n";
    runner.ReducedChemistryTest();
    if (!runner.RunActive()) {
        ReportError(sink, "<E> No reduced mechanism was written, so there is nothing to test.");
        return 1;
    }
    Drive(runner);
    if (runner.LastRunFailed() || !runReactorCases(true)) return 1;

    std::cout << "== Comparison\n";
    const TWState& settings = runner.Settings();
    // The table first, so the comparison's copy in the run history takes it along.
    if (std::string error; !WriteErrorTable(opened.workDirectory, opened.project.data.mixtureLines,
                                            settings.n_Ps * settings.n_Ts, &error)) {
        ReportError(sink, "<E> The error table could not be written: " + error);
        return 1;
    }
    const reactors::ReactorComparison reactorComparison = reactors::CompareReactorCases(opened.workDirectory, reactorCases);
    if (!reactorComparison.ok) {
        ReportError(sink, reactorComparison.error);
        return 1;
    }
    if (runner.ReducedChemistryData(reactorComparison.reportLines) != kCompareOk) return 1;
    PrintSummary(model, settings, opened.workDirectory, reactorComparison.tableLines);
    if (!request.plotDirectory.empty() &&
        !WriteRunPlots(opened.workDirectory, request.plotDirectory, opened.project.data.mixtureLines,
                             model.MechanismPath, sink))
        return 1;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started;
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", wall.count());
    std::cout << "Wall time: " << text << " s\n";
    return 0;
}

int RunCommand(const std::vector<std::string>& args) {
    const auto request = ParseRequest(args);
    if (const int* status = std::get_if<int>(&request)) return *status;
    return RunProject(std::get<RunRequest>(request));
}

const CommandRegistration kRegistration(Command{
    "run", kUsage, "integrated reduction, reduced test and comparison of a project", RunCommand});

}  // namespace
}  // namespace vantor::cli
