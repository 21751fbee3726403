#include "app/core/cluster/run_state.h"

#include <fstream>
#include <sstream>

namespace vantor {

std::string CaseNumberList(const std::vector<int>& cases) {
    std::string out;
    for (const int c : cases) out += (out.empty() ? "" : ", ") + std::to_string(c);
    return out.empty() ? "none" : out;
}

std::string DescribeRank(const RankEntry& r) {
    return "rank " + std::to_string(r.rank) + " (pid " + std::to_string(r.pid) + " on " + r.host + ", cases " +
           CaseNumberList(r.cases) + ")";
}

std::string FormatRunState(const LaunchedRunState& state) {
    std::ostringstream out;
    out.precision(17);
    out << "ranks " << state.ranks.size() << '\n';
    for (const RankEntry& r : state.ranks) {
        out << "rank " << r.rank << " pid " << r.pid << " cases";
        for (const int c : r.cases) out << ' ' << c;
        out << " host " << r.host << '\n';
    }
    if (state.progress >= 0.0) out << "progress " << state.progress << '\n';
    out << "delivered";
    for (const int r : state.delivered) out << ' ' << r;
    out << '\n';
    if (state.ended) {
        out << "outcome " << state.status << '\n';
        std::string message = state.message;
        for (char& c : message) {
            if (c == '\n' || c == '\r') c = ' ';
        }
        if (!message.empty()) out << "message " << message << '\n';
    }
    return out.str();
}

bool ReadRunState(const std::string& path, LaunchedRunState& state) {
    std::ifstream in(path);
    if (!in) return false;
    LaunchedRunState read;
    for (std::string line; std::getline(in, line);) {
        std::istringstream s(line);
        std::string key;
        s >> key;
        if (key == "rank") {
            RankEntry r;
            std::string word;
            s >> r.rank >> word >> r.pid >> word;
            while (s >> word && word != "host") r.cases.push_back(std::stoi(word));
            s >> r.host;
            read.ranks.push_back(r);
        } else if (key == "progress") {
            s >> read.progress;
        } else if (key == "delivered") {
            for (int r; s >> r;) read.delivered.push_back(r);
        } else if (key == "outcome") {
            read.ended = static_cast<bool>(s >> read.status);
        } else if (key == "message") {
            read.message = line.size() > 8 ? line.substr(8) : "";
        }
    }
    state = read;
    return true;
}

}  // namespace vantor
