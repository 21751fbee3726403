#include "app/core/plots/standard_data_cases.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>


namespace vantor::plots {
namespace {

constexpr size_t kQuotedLength = 60;
constexpr int kTimeValue = 1;
constexpr int kHeatReleaseValue = 6;
constexpr int kTemperatureValue = 7;
constexpr size_t kDimensionColumn = 19;  // column 20, from 0

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

std::string Quoted(const std::string& line) {
    return "\"" + (line.size() > kQuotedLength ? line.substr(0, kQuotedLength) + "..." : line) + "\"";
}

// The first `count` blank-separated numbers of `text`; nullopt when there are fewer or one of
// them is not a number.
std::optional<std::vector<double>> LeadingNumbers(const std::string& text, size_t from, int count) {
    std::vector<double> values;
    size_t at = from;
    while (static_cast<int>(values.size()) < count) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string::npos) return std::nullopt;
        const size_t end = std::min(text.find_first_of(" \t", at), text.size());
        double value = 0.0;
        const auto [ptr, ec] = std::from_chars(text.data() + at, text.data() + end, value);
        if (ec != std::errc() || ptr != text.data() + end || !std::isfinite(value)) return std::nullopt;
        values.push_back(value);
        at = end;
    }
    return values;
}

std::optional<double> ValueAfterEquals(const std::string& line) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    const auto values = LeadingNumbers(line, eq + 1, 1);
    if (!values) return std::nullopt;
    return values->front();
}

class CaseParser {
public:
    CaseParser(std::string name, const std::vector<int>& species) : name_(std::move(name)), species_(species) {
        for (const int k : species_) valuesNeeded_ = std::max(valuesNeeded_, kTemperatureValue + std::max(k, 1));
    }

    // False with `error_` set when the line makes the file unreadable for the plots.
    bool Line(const std::string& raw, size_t lineNumber) {
        const size_t first = raw.find_first_not_of(" \t");
        if (first == std::string::npos) return true;
        std::string line = raw.substr(first);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        lineNumber_ = lineNumber;
        line_ = line;
        const char c = line.front();
        if (StartsWith(line, "! Var#=")) {
            const size_t sp = line.find("SP", 7);
            const size_t at = sp == std::string::npos ? std::string::npos : line.find_first_not_of(" \t", sp + 2);
            if (at != std::string::npos) data_.mechanismName = line.substr(at);
            return true;
        }
        if (c == 'M' && data_.species == 0) {
            if (const auto values = LeadingNumbers(line, kDimensionColumn, 2))
                data_.species = static_cast<int>((*values)[1] + 0.1);
            return true;
        }
        if (StartsWith(line, "TAU0")) {
            Open();
            if (const auto values = LeadingNumbers(line, 4, 3)) {
                Current().pressureAtm = (*values)[1];
                Current().temperatureK = (*values)[2];
            }
            return true;
        }
        if (StartsWith(line, "INI P(atm")) {
            if (data_.cases.empty() || pressureLineSeen_) Open();
            pressureLineSeen_ = true;
            return Value(line, Current().pressureAtm);
        }
        if (StartsWith(line, "INI T(K)")) return InCase() && Value(line, Current().temperatureK);
        if (StartsWith(line, "INI SP IDX")) {
            mixtureKey_ = line.substr(10);
            if (!InCase()) return false;
            Current().mixtureSpecies.clear();
            for (size_t at = 10; (at = line.find_first_not_of(" \t", at)) != std::string::npos;) {
                const size_t end = std::min(line.find_first_of(" \t", at), line.size());
                int k = 0;
                const auto [ptr, ec] = std::from_chars(line.data() + at, line.data() + end, k);
                if (ec != std::errc() || ptr != line.data() + end)
                    return Fail("holds a species number that is not a whole number");
                Current().mixtureSpecies.push_back(k);
                at = end;
            }
            return true;
        }
        if (StartsWith(line, "INI SP MOL")) {
            if (!InCase()) return false;
            const auto [it, added] = mixtures_.emplace(mixtureKey_ + "|" + line.substr(10), mixtures_.size() + 1);
            Current().mixture = it->second;
            return true;
        }
        if (StartsWith(line, "! no ignition")) {
            if (!InCase()) return false;
            Current().noIgnitionComment = true;
            return true;
        }
        if (StartsWith(line, "DTAUi(s)")) return InCase() && Optional(line, Current().delay);
        if (StartsWith(line, "DTMAX(K)")) return InCase() && Optional(line, Current().rise);
        if (c == 'E' || c == 'e') {
            ended_ = true;
            return true;
        }
        if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') return DataLine(line);
        return true;  // headers and comments the plots do not use
    }

    bool Ended() const { return ended_; }

    StandardDataRead Finish(bool readable) {
        StandardDataRead read;
        if (readable && !ended_) error_ = name_ + " ends without its END line: the run that wrote it did not finish.";
        if (error_.empty() && data_.cases.empty()) error_ = name_ + " holds no case.";
        for (const StandardDataCase& c : data_.cases) {
            if (!error_.empty()) break;
            if (!c.delay) error_ = name_ + ": case " + std::to_string(c.number) + " has no \"DTAUi(s)=\" line.";
        }
        if (!error_.empty()) {
            read.problem = ReadProblem::kDamaged;
            read.error = error_;
            return read;
        }
        data_.mixtures = static_cast<int>(mixtures_.size());
        read.data = std::move(data_);
        return read;
    }

private:
    StandardDataCase& Current() { return data_.cases.back(); }

    void Open() {
        StandardDataCase c;
        c.number = static_cast<int>(data_.cases.size()) + 1;
        data_.cases.push_back(c);
        pressureLineSeen_ = false;
    }

    // A case line must come first.
    bool InCase() { return !data_.cases.empty() || Fail("comes before the first case"); }

    bool Fail(const std::string& what) {
        error_ = name_ + ", line " + std::to_string(lineNumber_) + ": " + Quoted(line_) + " " + what + ".";
        return false;
    }

    bool Value(const std::string& line, double& target) {
        const auto value = ValueAfterEquals(line);
        if (!value) return Fail("has no number after \"=\"");
        target = *value;
        return true;
    }

    bool Optional(const std::string& line, std::optional<double>& target) {
        double value = 0.0;
        if (!Value(line, value)) return false;
        target = value;
        return true;
    }

    bool DataLine(const std::string& line) {
        if (!InCase()) return false;
        const auto values = LeadingNumbers(line, 0, valuesNeeded_);
        if (!values) {
            if (valuesNeeded_ > kTemperatureValue && LeadingNumbers(line, 0, kTemperatureValue))
                return Fail("has fewer than " + std::to_string(valuesNeeded_) + " values");
            return Fail("is not a data line of time, pressure, four values and temperature");
        }
        RecordedState state{(*values)[kTimeValue - 1], (*values)[kTemperatureValue - 1],
                            (*values)[kHeatReleaseValue - 1], {}};
        state.moleFractions.reserve(species_.size());
        for (const int k : species_) state.moleFractions.push_back(k >= 1 ? (*values)[kTemperatureValue + k - 1] : 0.0);
        Current().states.push_back(std::move(state));
        return true;
    }

    std::string name_;
    std::vector<int> species_;
    int valuesNeeded_ = kTemperatureValue;
    StandardDataCases data_;
    std::map<std::string, int> mixtures_;
    std::string mixtureKey_;
    bool pressureLineSeen_ = false;
    bool ended_ = false;
    size_t lineNumber_ = 0;
    std::string line_;
    std::string error_;
};

}  // namespace

StandardDataRead ParseStandardDataCases(const std::vector<std::string>& lines, const std::string& name,
                                        const std::vector<int>& species) {
    CaseParser parser(name, species);
    bool readable = true;
    for (size_t i = 0; i < lines.size() && readable && !parser.Ended(); ++i) readable = parser.Line(lines[i], i + 1);
    return parser.Finish(readable);
}

// Line by line: a standard-data file of many cases and species can be large.
StandardDataRead ReadStandardDataCases(const std::string& path, const std::string& name,
                                       const std::vector<int>& species) {
    StandardDataRead read;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        read.problem = ReadProblem::kMissing;
        read.error = "Result data are not exist";
        return read;
    }
    std::ifstream in(path, std::ios::binary);
    CaseParser parser(name, species);
    bool readable = std::filesystem::is_regular_file(path, ec) && in;
    std::string line;
    for (size_t number = 1; readable && !parser.Ended() && std::getline(in, line); ++number)
        readable = parser.Line(line, number);
    if (!std::filesystem::is_regular_file(path, ec) || !in.is_open() || in.bad()) {
        read.problem = ReadProblem::kDamaged;
        read.error = "Cannot read " + path;
        return read;
    }
    return parser.Finish(readable);
}

bool CaseIgnited(const StandardDataCase& c) {
    return !c.noIgnitionComment && c.delay && std::isfinite(*c.delay) && *c.delay > 0.0;
}

}  // namespace vantor::plots
