#pragma once
// The help that the "Help Doc" command opens: the help file "Vantor.chm" in the system directory
// when there is one, else the user manual built with the program as HTML.

#include <string>
#include <vector>

namespace vantor {

inline constexpr const char* kHelpFileName = "Vantor.chm";
inline constexpr const char* kUserManualName = "manual.html";

// Where the program's user manual may stand, in order: doc/ beside the executable (the build
// tree), then the installed layout's <exe>/../share/doc/vantor.
std::vector<std::string> UserManualPaths(const std::string& executableDirectory);

struct HelpChoice {
    std::string path;                // the file to open; empty when none exists
    std::vector<std::string> tried;  // every path looked at, in order
};

HelpChoice ChooseHelpFile(const std::string& systemDirectory, const std::string& executableDirectory);

// The message for a choice that found nothing.
std::string NoHelpMessage(const HelpChoice& choice);

}  // namespace vantor
