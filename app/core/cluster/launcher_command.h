#pragma once
// A launcher command as the user types it ("mpirun -n 16 --hostfile 'my hosts'"), split into
// words the way a shell would for plain words and quotes; nothing is expanded or run by a shell.

#include <string>
#include <vector>

namespace vantor {

// False with the reason in `error` for an unclosed quote or a command of no words.
bool SplitCommandWords(const std::string& command, std::vector<std::string>& words, std::string& error);

}  // namespace vantor
