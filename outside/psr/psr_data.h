#pragma once
// The stirred-reactor data file: per case a summary line, a message line and the burning branch
// (residence time, temperature) down to the turning point. Reader and writer have no solver
// dependency, so the desktop program can link them alone.
//
//   ! PSR extinction data
//   ! Case 1  P= <atm>  Tin= <K>  Phi= <phi or -1>  Status= 0  TauExt= <s> s  TExt= <K> K  Points= 40
//   ! Message: extinction found
//   ! Columns: tau(s) T(K)
//   <rows>

#include <string>
#include <vector>

namespace vantor::psr {

struct StirredReactorCaseSummary {
    int number = 0;
    double pressureAtm = 0.0;
    double temperature = 0.0;            // inlet, K
    double phi = -1.0;                   // -1: no meaning for this mixture
    int status = 0;                      // 0: extinction found; otherwise the case's 71xx status
    double extinctionTime = 0.0;         // s (0 when not found)
    double extinctionTemperature = 0.0;  // K
    int points = 0;
    std::string message;
    std::vector<double> residenceTime, branchTemperature;  // the rows
};

// "! PSR extinction data\n"
std::string StirredReactorDataHeader();
// One case's block; `points` is taken from the rows. A message is kept on one line.
std::string StirredReactorCaseBlock(const StirredReactorCaseSummary& summary);

// The cases of a data file. On a fault returns what was read before it, with `error` (if given)
// naming the file, line and text at fault; a file that cannot be opened gives an empty list.
std::vector<StirredReactorCaseSummary> ReadStirredReactorSummary(const std::string& path, std::string* error = nullptr);

}  // namespace vantor::psr
