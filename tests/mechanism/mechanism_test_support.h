#pragma once
// Shared helpers of the workbench tests: a fresh temporary folder and small file utilities.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/core/mechanism/mechanism_reader.h"

namespace vantor::test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantor_mech_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void WriteText(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline std::string DataFile(const std::string& relative) { return std::string(VANTOR_TEST_DATA_DIR) + "/" + relative; }

// Opens `text` as a mechanism file "chem.inp" of `dir`.
inline MechanismModel OpenText(const TempDir& dir, const std::string& text) {
    MechanismModel model;
    WriteText(dir.File("chem.inp"), text);
    OpenMechanism(model, dir.File("chem.inp"));
    return model;
}

}  // namespace vantor::test
