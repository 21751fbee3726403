#pragma once
// The comparison report "CMP.dat": the ignition results of the detailed ("SAVE.dat") and the
// reduced ("New_SAVE.dat") standard data side by side, case by case, copied and paired line by
// line. A case that did not ignite (its "! no ignition" comment) shows "no ignition by t = ..."
// in place of its delay line.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/pipeline/message_sink.h"

namespace vantor {

enum CompareCode : int32_t {
    kCompareOk = 0,
    kCompareInputMissing = 1,  // "Result data are not exist"
    kCompareIoFailed = 2,      // an input could not be read or the report not written
};

// Report lines (without line ends) from the lines of the two files; `timestamp` is the header's
// "YYYY-MM-DD HH:NN:SS". A line may hold embedded LF and CR characters.
std::vector<std::string> BuildComparisonReport(const std::vector<std::string>& detailed,
                                               const std::vector<std::string>& reduced, const std::string& timestamp);

// Reads both files of `workDirectory` and writes "CMP.dat" there atomically, `appended` (the
// flame and stirred-reactor blocks, reactor_comparison.h) after the ignition cases. A missing
// input shows "Result data are not exist" through the sink's message box and writes nothing.
int32_t CompareResults(const std::string& workDirectory, MessageSink& sink,
                       std::chrono::system_clock::time_point now, const std::vector<std::string>& appended = {});

// The same on named files, for a report made away from the work folder and moved there later.
int32_t CompareResultFiles(const std::string& detailedPath, const std::string& reducedPath,
                           const std::string& reportPath, MessageSink& sink, std::chrono::system_clock::time_point now,
                           const std::vector<std::string>& appended = {});

// A text file's lines; LF and CR LF both end a line. False when it cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

}  // namespace vantor
