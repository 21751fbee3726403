#pragma once
// Why a step could not start or failed, for the "> " line that follows the fixed message: what
// stands at an input path that is not a usable file, and the reason a library wrote into its
// listing when the message only points there.

#include <string>

namespace vantor {

// The system's reason for a missing path, "is a directory" or "is not a regular file"; empty
// for a regular file.
std::string InputFileProblem(const std::string& path);

// The last error line a library wrote into its listing, without its leading blanks; empty when
// the listing holds none or cannot be read.
std::string ListingErrorLine(const std::string& listingPath);

}  // namespace vantor
