#include "app/core/pipeline/compare_results.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/core/pipeline/ignition_summary.h"
#include "app/core/pipeline/job_record_fill.h"
#include "app/core/pipeline/number_text.h"
#include "common/atomic_file.h"
#include "common/local_timestamp.h"

namespace vantor {

namespace {

const char* const kRule = "-----------------------------------------------------------";

// Markers in the order a line is tested against them.
enum Marker { kHeader, kPressure, kTemperature, kSpeciesIndex, kSpeciesMoles, kDelay, kRise, kNoMarker };
constexpr std::array<const char*, kNoMarker> kMarkers{"! Var#=",    "INI P(atm", "INI T(K)", "INI SP IDX",
                                                      "INI SP MOL", "DTAUi(s)",  "DTMAX(K)"};

bool Contains(const std::string& line, const char* text) { return line.find(text) != std::string::npos; }

bool PassesFilter(const std::string& line) {
    return Contains(line, "! Var#=") || Contains(line, "INI P(atm)") || Contains(line, "INI T(K)") ||
           Contains(line, "INI SP") || Contains(line, "DT");
}

Marker MarkerOf(const std::string& line) {
    for (int m = 0; m < kNoMarker; ++m)
        if (Contains(line, kMarkers[m])) return static_cast<Marker>(m);
    return kNoMarker;
}

// The part of a header line that names the mechanism: from the first "SP" on.
std::string FromSp(const std::string& line) {
    const size_t at = line.find("SP");
    return at == std::string::npos ? line : line.substr(at);
}

// Follows whether the current case of a file has its "! no ignition" comment.
class IgnitionFlag {
public:
    void See(const std::string& line) {
        if (Contains(line, "INI P(atm")) ignited_ = true;
        else if (IsNoIgnitionLine(line)) ignited_ = false;
    }
    bool Ignited() const { return ignited_; }

private:
    bool ignited_ = true;
};

// Walks the reduced file forward to the next line holding a marker; at its end the last line
// read stays current.
class ReducedCursor {
public:
    explicit ReducedCursor(const std::vector<std::string>& lines) : lines_(lines) {}
    const std::string& SyncTo(const char* marker) {
        while (next_ < lines_.size() && !Contains(current_, marker)) {
            current_ = lines_[next_++];
            flag_.See(current_);
        }
        return current_;
    }
    bool Ignited() const { return flag_.Ignited(); }

private:
    const std::vector<std::string>& lines_;
    size_t next_ = 0;
    std::string current_;
    IgnitionFlag flag_;
};

// The delay part of a case's result: the delay line as written, or for a case that did not
// ignite "no ignition by t = " and the time its run ended at (the value of its delay line).
std::string DelayPart(const std::string& delayLine, bool ignited) {
    if (ignited) return delayLine;
    const size_t eq = delayLine.find('=');
    const std::string until = eq == std::string::npos ? "" : TrimBlanksAndTabs(delayLine.substr(eq + 1));
    return until.empty() ? "no ignition" : "no ignition by t = " + until + " s";
}

}  // namespace

std::vector<std::string> BuildComparisonReport(const std::vector<std::string>& detailed,
                                               const std::vector<std::string>& reduced, const std::string& timestamp) {
    std::vector<std::string> out{kRule, "The comparison between the detailed and reduced chemistry", timestamp, kRule};
    ReducedCursor cursor(reduced);
    int caseNumber = 0;
    std::string detailedDelay, reducedDelay;
    IgnitionFlag detailedFlag;
    for (const std::string& d : detailed) {
        detailedFlag.See(d);
        if (!PassesFilter(d)) continue;
        const Marker marker = MarkerOf(d);
        if (marker == kNoMarker) continue;
        const std::string& r = cursor.SyncTo(kMarkers[marker]);
        switch (marker) {
            case kHeader:
                out.push_back("Detailed chemistry: " + FromSp(d) + "\nSkeletal chemistry: " + FromSp(r));
                break;
            case kPressure: out.push_back("\n\r===Case " + std::to_string(++caseNumber) + "\n" + d); break;
            case kTemperature:
            case kSpeciesIndex:
            case kSpeciesMoles: out.push_back(d); break;
            case kDelay:
                detailedDelay = DelayPart(d, detailedFlag.Ignited());
                reducedDelay = DelayPart(r, cursor.Ignited());
                break;
            case kRise:
                out.push_back("Detailed chemistry: " + detailedDelay + "; " + d + "\nSkeletal chemistry: " +
                              reducedDelay + "; " + r);
                break;
            case kNoMarker: break;
        }
    }
    return out;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    lines.clear();
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return !in.bad();
}

int32_t CompareResults(const std::string& workDirectory, MessageSink& sink,
                       std::chrono::system_clock::time_point now, const std::vector<std::string>& appended) {
    return CompareResultFiles(JoinPath(workDirectory, "SAVE.dat"), JoinPath(workDirectory, "New_SAVE.dat"),
                              JoinPath(workDirectory, "CMP.dat"), sink, now, appended);
}

int32_t CompareResultFiles(const std::string& detailedPath, const std::string& reducedPath,
                           const std::string& reportPath, MessageSink& sink, std::chrono::system_clock::time_point now,
                           const std::vector<std::string>& appended) {
    std::error_code ec;
    if (!std::filesystem::exists(detailedPath, ec) || !std::filesystem::exists(reducedPath, ec)) {
        sink.ShowMessageBox("Result data are not exist");
        return kCompareInputMissing;
    }
    std::vector<std::string> detailed, reduced;
    for (const auto& [path, lines] : {std::pair{&detailedPath, &detailed}, std::pair{&reducedPath, &reduced}}) {
        if (!ReadTextLines(*path, *lines)) {
            sink.ShowMessageBox("Cannot read " + *path);
            return kCompareIoFailed;
        }
    }
    std::string text;
    for (const std::string& line : BuildComparisonReport(detailed, reduced, FormatLocalTimestamp(now)))
        text += line + "\r\n";
    for (const std::string& line : appended) text += line + "\r\n";
    std::string error, notice;
    if (!WriteFileAtomically(reportPath, text, &error, &notice)) {
        ReportError(sink, "<E> " + error);
        sink.ShowMessageBox(error);
        return kCompareIoFailed;
    }
    if (!notice.empty()) sink.AddLine("> " + notice);
    return kCompareOk;
}

}  // namespace vantor
