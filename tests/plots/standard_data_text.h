#pragma once
// Standard-data files written for the plot tests: the lines SENKIN writes, with a handful of
// recorded states per case and one or more species (the second one absent at time 0).

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vantor::test {

struct CaseText {
    double pressureAtm;
    double temperatureK;
    int mixture;   // 1 or 2: which of two fixed mixtures
    double delay;  // s; the time limit for a case without ignition
    bool ignited = true;
};

inline std::string StandardDataText(const std::vector<CaseText>& cases, const std::string& mechanism = "chem.inp",
                                    int species = 2) {
    std::string text = "! Var#=     " + std::to_string(species + 7) + "  SP " + mechanism +
                       "\r\nM DIMENSIONS       " + std::to_string(cases.size()) + " " + std::to_string(species) +
                       " 3 10 10 10\r\n";
    char line[512];
    for (size_t i = 0; i < cases.size(); ++i) {
        const CaseText& c = cases[i];
        std::snprintf(line, sizeof line, "TAU0 %zu %g %g\r\nINI P(atm)= %g\r\nINI T(K)=   %g\r\n", i + 1,
                      c.pressureAtm, c.temperatureK, c.pressureAtm, c.temperatureK);
        text += line;
        text += c.mixture == 1 ? "INI SP IDX 1 2\r\nINI SP MOL 0.5 0.5\r\n" : "INI SP IDX 1 2\r\nINI SP MOL 0.2 0.8\r\n";
        const double rise = c.ignited ? 1500.0 : 10.0;
        for (int k = 0; k <= 4; ++k) {
            const double t = c.delay * k / 2.0;
            const double temperature = c.temperatureK + (k >= 2 ? rise : rise * k / 100.0);
            std::snprintf(line, sizeof line, " %14.7E %14.7E %14.7E %14.7E %14.7E %14.7E %14.7E", t,
                          c.pressureAtm * 1013250.0, 1e-3, 28.0, 1e5, 1e8 * k, temperature);
            text += line;
            for (int n = 0; n < species; ++n) {
                std::snprintf(line, sizeof line, " %14.7E", n == 1 ? 0.1 * k : 0.5 - 0.1 * k);
                text += line;
            }
            text += "\r\n";
        }
        if (!c.ignited) text += "! no ignition: the temperature rose by less than 50 K up to 1 s\r\n";
        std::snprintf(line, sizeof line, "DTAUi(s)= %.17g\r\nDTMAX(K)= %g\r\n", c.delay, rise);
        text += line;
    }
    return text + "END\r\n";
}

inline void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A fresh folder, removed at the end of the test.
class PlotFolder {
public:
    PlotFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("vplot" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~PlotFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string Path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace vantor::test
