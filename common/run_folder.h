#pragma once
// A folder a run names for its own files (the target search's TRG beside the mechanism): made
// when missing, used when it is a folder. A symbolic link in its place is refused, never
// followed: a downloaded folder may hold `TRG -> ~/elsewhere`, and the run would write there.
// Folders the user chose (the work directory, a plot folder) are used as given and do not come
// here.

#include <string>

namespace vantor {

// False with the reason ("it is a symbolic link to X", "File exists", ...) in `reason`.
bool MakeRunFolder(const std::string& path, std::string* reason = nullptr);

}  // namespace vantor
