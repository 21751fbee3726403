#include "app/core/plots/search_candidates.h"

#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

namespace vantor::plots {

namespace {

constexpr const char* kTableName = "NEW_Candidates.dat";
constexpr const char* kReducedMechanismName = "NEW_Chem.inp";
constexpr int kHeaderLinesSearched = 12;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool HeaderNamesTheTable(const std::string& mechanismPath) {
    std::ifstream in(mechanismPath, std::ios::binary);
    std::string line;
    const std::string mark = std::string("; see ") + kTableName;
    for (int n = 0; n < kHeaderLinesSearched && std::getline(in, line); ++n)
        if (line.rfind("!Candidates tried=", 0) == 0 && line.find(mark) != std::string::npos) return true;
    return false;
}

}  // namespace

std::vector<Candidate> ParseCandidateTable(const std::string& text) {
    struct Row {
        int number;
        Candidate candidate;
    };
    std::vector<Row> rows;
    int chosen = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("# chosen:", 0) == 0) {
            chosen = std::atoi(line.c_str() + 9);
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string no, kind, value, species, reactions, largest, worst, cases, wall, result;
        if (!(fields >> no >> kind >> value >> species >> reactions >> largest >> worst >> cases >> wall >> result))
            continue;
        if (result.rfind("same:", 0) == 0) continue;
        char* end = nullptr;
        const long number = std::strtol(no.c_str(), &end, 10);
        if (*end != '\0') continue;
        const long kept = std::strtol(species.c_str(), &end, 10);
        if (*end != '\0') continue;
        double difference = std::numeric_limits<double>::infinity();
        if (largest != "inf") {
            difference = std::strtod(largest.c_str(), &end);
            if (*end != '\0') continue;
        }
        rows.push_back({static_cast<int>(number), {static_cast<int>(kept), difference, false}});
    }
    std::vector<Candidate> candidates;
    candidates.reserve(rows.size());
    for (Row& row : rows) {
        row.candidate.chosen = row.number == chosen;
        candidates.push_back(row.candidate);
    }
    return candidates;
}

std::vector<Candidate> ReadSearchCandidates(const std::string& workDirectory) {
    const std::string folder = workDirectory.empty() ? std::string(".") : workDirectory;
    if (!HeaderNamesTheTable(folder + "/" + kReducedMechanismName)) return {};
    return ParseCandidateTable(ReadAll(folder + "/" + kTableName));
}

}  // namespace vantor::plots
