#pragma once
// The run history: every integrated run, reduced test and target search also keeps its results
// in a folder of its own under the work folder's "runs/", named after the minute, the method and
// the threshold ("runs/2026-12-09_1501_PFA_0.98/"), so a later run never loses an earlier
// result. The fixed names in the work folder (NEW_Chem.inp, CMP.dat, ...) stay as they are.
//
// A run's folder is made new, never reused: a second run in the same minute gets "_2", "_3".
// "runs" or a run's folder that is a symbolic link is refused, never followed, and a source that
// is a link is not copied (a downloaded folder may hold `SAVE.dat -> ~/.ssh/id_rsa`). The summary
// is written last, so a folder with one is complete.

#include <chrono>
#include <string>
#include <vector>

#include "app/core/history/run_summary.h"

namespace vantor::history {

inline constexpr const char* kHistoryFolderName = "runs";

struct KeptRun {
    bool ok = false;
    std::string folder;                // the run's folder, when made
    std::string error;                 // what failed, naming the file or folder
    std::vector<std::string> notices;  // sources left out ("... is a symbolic link: not kept")
};

// "2026-12-09_1501_PFA_0.98": the minute of `when` (local time), then `label`'s letters, digits,
// '.', '-' and '_' (anything else becomes '_').
std::string RunFolderName(std::chrono::system_clock::time_point when, const std::string& label);

// Makes the run's folder under `workDirectory`/runs, copies each existing regular file of
// `files` into it under its own name, then writes the summary. A missing file is skipped.
KeptRun KeepRun(const std::string& workDirectory, const std::string& label, const std::vector<std::string>& files,
                const RunSummary& summary, std::chrono::system_clock::time_point when);

// Copies the files into a run's folder made earlier, leaving any it already holds: a kept file
// is never replaced. False with `error` on a failed copy.
bool AddToRun(const std::string& folder, const std::vector<std::string>& files, std::string& error,
              std::vector<std::string>* notices = nullptr);

struct HistoryEntry {
    std::string folder;  // full path
    std::string name;    // the folder's name
    RunSummary summary;
};

// The kept runs of `workDirectory`, oldest first (by folder name); folders without a readable
// summary are left out.
std::vector<HistoryEntry> ListRuns(const std::string& workDirectory);

// The line the message memo shows for a kept run, or for a failure to keep it.
std::string KeptRunLine(const KeptRun& kept);

}  // namespace vantor::history
