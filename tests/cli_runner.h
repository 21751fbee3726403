#pragma once
// Runs the built vantor-cli through the shell and keeps its exit status and its merged output.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace vantor::test {

struct CliResult {
    int status = -1;  // the exit status; -1 when the program did not exit by itself (a crash)
    std::string output;
};

// `prefix` goes before the program: a change of folder, an environment setting, a limit.
inline CliResult RunCli(const std::string& arguments, const std::string& prefix = "") {
    const std::string command = prefix + std::string(VANTOR_BIN_DIR) + "/vantor-cli " + arguments + " 2>&1";
    CliResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) result.output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace vantor::test
