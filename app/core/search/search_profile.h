#pragma once
// Where a target search's time goes: wall and processor time (every thread of the process) and
// the count per kind of work, reported in one line at the end. On a shared machine the wall
// times vary with the load; the processor times say what the work itself costs.

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

namespace vantor::search {

enum class SearchPhase { Detailed, Engine, Mechanism, Compile, Ignition, Count };

class SearchProfile {
public:
    struct Totals {
        double wall = 0.0, cpu = 0.0;
        int count = 0;
    };

    // Adds the time from its construction to its end to `phase`.
    class Timer {
    public:
        Timer(SearchProfile& profile, SearchPhase phase)
            : profile_(profile), phase_(phase), wall_(std::chrono::steady_clock::now()), cpu_(ProcessCpu()) {}
        ~Timer() {
            Totals& t = profile_.totals_[static_cast<size_t>(phase_)];
            t.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
            t.cpu += ProcessCpu() - cpu_;
            ++t.count;
        }
        Timer(const Timer&) = delete;
        Timer& operator=(const Timer&) = delete;

    private:
        SearchProfile& profile_;
        SearchPhase phase_;
        std::chrono::steady_clock::time_point wall_;
        double cpu_;
    };

    const Totals& Of(SearchPhase phase) const { return totals_[static_cast<size_t>(phase)]; }

    // "> Search time (wall/processor s): detailed runs 1 x 12.0/23.1, engine runs ..."
    std::string Line() const {
        static const char* const names[] = {"detailed runs", "engine runs", "candidate mechanisms", "compiles",
                                            "candidate ignition runs"};
        std::string line = "> Search time (wall/processor s):";
        for (size_t p = 0; p < totals_.size(); ++p) {
            char part[96];
            std::snprintf(part, sizeof part, "%s %s %d x %.1f/%.1f", p == 0 ? "" : ",", names[p], totals_[p].count,
                          totals_[p].wall, totals_[p].cpu);
            line += part;
        }
        return line;
    }

    static double ProcessCpu() {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
    }

private:
    std::array<Totals, static_cast<size_t>(SearchPhase::Count)> totals_{};
};

}  // namespace vantor::search
