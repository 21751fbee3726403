#pragma once
// The flame and stirred-reactor cases of a run, for the detailed or the reduced mechanism: the
// transport binary of that mechanism (Pellor, from Tran.dat or the reduced NEW_Tran.dat), then
// the flames (FLAME.dat / New_FLAME.dat) and the stirred reactors (PSR.dat / New_PSR.dat) of the
// project's case lines, each equivalence ratio applied to the project's first mixture.

#include <string>
#include <utility>
#include <vector>

#include "app/core/mechanism/reactor_case_lines.h"
#include "app/core/pipeline/job_record_fill.h"
#include "app/core/pipeline/message_sink.h"
#include "app/core/reactors/reactor_libraries.h"
#include "common/entry_abi.h"

namespace vantor::reactors {

// The data file one kind of case writes in `workDirectory`.
std::string ReactorDataFile(const std::string& workDirectory, ReactorKind kind, bool reduced);
// The transport binary of the detailed ("Tran.bin") or the reduced ("New_Tran.bin") mechanism.
std::string TransportBinaryFile(const std::string& workDirectory, bool reduced);

struct ReactorRun {
    bool reduced = false;
    JobRecord job{};      // as FillJobRecord left it for this mechanism: its settings and paths
    JobPaths paths;
    std::string workDirectory;  // where the transport binary, listings and data files go
    std::string transportData;  // empty: the run's Tran.dat, or NEW_Tran.dat for the reduced mechanism
    std::vector<std::pair<std::string, double>> mixture;  // the project's first mixture as typed
    std::vector<ReactorCaseLine> cases;
    EntryFunction pellor = nullptr;
    const ReactorLibraries* libraries = nullptr;
};

// A mixture line ("CH4 1, O2 2, N2 7.52") as species names and amounts, as the run settings read
// it; false naming the entry at fault in `error`.
bool ReadMixtureAmounts(const std::string& line, std::vector<std::pair<std::string, double>>& amounts,
                        std::string& error);

// The mole fractions (one row of KK values per equivalence ratio) of `mixture` over the species
// of the mechanism binary `mechanismBinary`; false with the species or value at fault in `error`.
bool CaseMixtures(const std::string& mechanismBinary, const std::vector<std::pair<std::string, double>>& mixture,
                  const std::vector<double>& phis, std::vector<std::vector<double>>& moleFractions, std::string& error);

// Makes the transport binary and runs every kind of case `run` holds, one "> " line per step.
// A case that does not burn is the library's to report in its data file; false, with an "<E> "
// line, only when a step could not run or its library refused the job.
bool RunReactorCases(ReactorRun& run, MessageSink& sink);

// RunReactorCases for the detailed or the reduced mechanism of a run: its job record filled from
// `settings` and `files` as the run's own steps fill it, the project's first mixture line.
bool RunProjectReactorCases(bool reduced, const TWState& settings, const RunFiles& files,
                            const std::vector<std::string>& mixtureLines, const std::vector<ReactorCaseLine>& cases,
                            EntryFunction pellor, const ReactorLibraries& libraries, MessageSink& sink);

}  // namespace vantor::reactors
