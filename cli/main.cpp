// vantor-cli: the workbench's tasks without a window, for scripting, batch work and CI.

#include <algorithm>
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_registry.h"

namespace vantor::cli {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

namespace {

void PrintHelp(std::ostream& out) {
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    out << "Usage: vantor-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& c : commands) out << "  vantor-cli " << c.usage << "\n      " << c.summary << "\n";
    out << "\n'vantor-cli COMMAND --help' describes one command.\n";
}

}  // namespace
}  // namespace vantor::cli

int main(int argc, char** argv) {
    using namespace vantor::cli;
    // A file-size limit (ulimit -f) then fails the write (EFBIG), reported as any failed write,
    // instead of killing the run silently with its temporaries left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty() || all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
        PrintHelp(all.empty() ? std::cerr : std::cout);
        return all.empty() ? 2 : 0;
    }
    for (const auto& c : Commands()) {
        if (c.name == all[0]) return c.run(std::vector<std::string>(all.begin() + 1, all.end()));
    }
    std::cerr << "vantor-cli: unknown command '" << all[0] << "'\n";
    PrintHelp(std::cerr);
    return 2;
}
