#pragma once
// The settings file "PFA.ini" in the system directory: an INI text (sections in square
// brackets, key=value lines) that carries the working directory from one run of the program to
// the next (section "SYS", key "WDIR").

#include <string>

namespace vantor {

inline constexpr const char* kSettingsFileName = "PFA.ini";
inline constexpr const char* kSystemSection = "SYS";
inline constexpr const char* kWorkDirectoryKey = "WDIR";
// The launcher command of the ignition runs over MPI ranks ("mpirun -n 16 --hostfile hosts");
// missing or empty: in the SENKIN library.
inline constexpr const char* kIgnitionLauncherKey = "LAUNCHER";

// The value of `key` in `section` (both matched without regard to case), blanks trimmed; empty
// when the file, the section or the key is missing.
std::string ReadSetting(const std::string& systemDirectory, const std::string& section, const std::string& key);

// Sets the value, creating the file, the section or the key as needed and keeping every other
// line. The file is replaced atomically; false (with `error`) when it cannot be written or the
// value holds a line break.
bool WriteSetting(const std::string& systemDirectory, const std::string& section, const std::string& key,
                  const std::string& value, std::string* error = nullptr);

// The working directory at start-up: the stored one, else the system directory.
std::string InitialWorkDirectory(const std::string& systemDirectory);

// The same on INI text held in memory (LF or CR LF line ends; the result uses CR LF).
std::string IniValue(const std::string& text, const std::string& section, const std::string& key);
std::string IniWithValue(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value);

}  // namespace vantor
