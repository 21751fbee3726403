#pragma once
// Sub-commands of vantor-cli register themselves here, one file each.

#include <string>
#include <vector>

namespace vantor::cli {

using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command {
    std::string name;
    std::string usage;    // one line: "compile CHEM.INP THERM.DAT -o Chem.bin"
    std::string summary;  // what it does, one line
    CommandFunction run;
};

std::vector<Command>& Commands();

struct CommandRegistration {
    explicit CommandRegistration(Command command) { Commands().push_back(std::move(command)); }
};

}  // namespace vantor::cli
