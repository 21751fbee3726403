#pragma once
// Where the five shared libraries are loaded from. Executable code is taken only from the
// program's own files, never from the current folder: a library file that a user unpacked into
// the folder they work in must not run. Developers who want other builds of the libraries name
// one folder in VANTOR_LIBRARY_DIR; that choice is announced in the message memo.

#include <string>
#include <vector>

namespace vantor {

inline constexpr const char* kLibraryDirVariable = "VANTOR_LIBRARY_DIR";

struct LibraryFolder {
    std::string path;         // absolute, without a trailing separator
    bool overridden = false;  // named by VANTOR_LIBRARY_DIR
};

// The program's own library folders, in order: beside the executable (the build tree), then the
// installed layout's <exe>/../lib/vantor.
std::vector<std::string> ProgramLibraryFolders(const std::string& executableDirectory);

// The one folder all five libraries are loaded from. A non-empty `overrideValue` wins (a relative
// one is taken from the current folder); otherwise the first of the program's folders that holds
// any of the libraries, or the first one when none does, so that a failure names where the
// libraries belong.
LibraryFolder ChooseLibraryFolder(const std::string& executableDirectory, const char* overrideValue);

// ChooseLibraryFolder for the running program and its environment.
LibraryFolder ProgramLibraryFolder();

// The folder of the running executable, without a trailing separator ("" if unknown).
std::string ExecutableDirectory();

}  // namespace vantor
