#pragma once
// The inputs of the ignition runs as vantor-cli ignite takes them (a mechanism binary, cases and
// settings) and the table of their results; shared with vantor-mpi-ignite.

#include <string>
#include <vector>

#include "common/job_record.h"
#include "outside/senkin/ignition_run.h"

namespace vantor::cli {

extern const char* const kIgniteUsage;  // after the program's name
void PrintIgniteHelp(const std::string& program);

// A mixture as given: the typed text of --X, or the file of --X-file.
struct MixtureArgument {
    std::string text;
    bool file = false;
    std::string Label() const { return file ? "file " + text : text; }
};


struct IgniteRequest {
    JobRecord job{};
    senkin::IgnitionFiles files;
    senkin::RunOptions run;
    std::vector<MixtureArgument> mixtures;
};

// The exit status of a failed parse: 2 for a usage error, 1 when the mechanism cannot be loaded;
// `error` says why (the loader's messages after a line break). -1 after --help is printed; 0 when
// `request` is filled.
int ParseIgniteRequest(const std::vector<std::string>& arguments, const std::string& program, IgniteRequest& request,
                       std::string& error);

void PrintIgniteTable(const senkin::RunReport& report, const std::vector<MixtureArgument>& mixtures);

}  // namespace vantor::cli
