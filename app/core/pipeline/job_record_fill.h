#pragma once
// Filling the job record that every library entry receives: the ten path fields for the detailed
// or the reduced ("New_") files, and the cases and settings of the validated run settings.

#include <string>

#include "app/core/pipeline/run_settings.h"
#include "common/fixed_names.h"
#include "common/job_record.h"

namespace vantor {

// The directories and the opened mechanism the paths are made from.
struct RunFiles {
    std::string systemDirectory;
    std::string workDirectory;
    std::string mechanismPath;        // the input of the detailed mode
    std::string mechanismBinaryPath;  // the binary of the detailed mode, when set
    std::string thermoPath;           // named by the user; empty: "Therm.dat" of the work folder
    std::string transportPath;        // named by the user; empty: "Tran.dat" of the work folder
};

// The paths of the record's fields as UTF-8, as they were filled.
struct JobPaths {
    std::string startDir, mechBinFile, outFile, trimFile, saveFile, tmpFile, inpFile, thermFile, tranDatFile,
        transpBinFile;
};

struct JobFillResult {
    bool ok = true;
    std::string refusedPath;  // a path that does not fit its field (its field is left blank)
    std::string message;      // the "<E> " line naming it
    JobPaths paths;
};

// Fills every path field (blank-filled, the path, one U+0000) by job.ReducedFilesFlag, then the
// counts, cases, settings and mixtures of `settings`; elements beyond the current counts keep
// what earlier fills left. A path longer than a field holds is refused, never cut.
JobFillResult FillJobRecord(JobRecord& job, const TWState& settings, const RunFiles& files);

}  // namespace vantor
