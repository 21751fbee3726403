#pragma once
// The fixed file names the system looks for in a work folder (Therm.dat, Tran.dat, ...): a user's
// therm.dat is found as well.

#include <string>

namespace vantor {

std::string JoinPath(const std::string& directory, const std::string& name);

// `directory` + "/" + `name`. When no file of that exact name exists but one whose name differs
// only in letter case does, that file's real name is used.
std::string ResolveFixedName(const std::string& directory, const std::string& name);

}  // namespace vantor
