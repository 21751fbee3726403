#include "faults/write_faults.h"

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantor::faults {
namespace fs = std::filesystem;

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
}

Folder::Folder(const std::string& name) {
    root_ = (fs::temp_directory_path() / ("vantor_faults_" + name + "_" + std::to_string(::getpid()))).string();
    fs::remove_all(root_);
    fs::create_directories(root_);
}

Folder::~Folder() {
    if (mounted_) ::umount2(root_.c_str(), MNT_DETACH);
    std::error_code ec;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
}

bool Folder::MakeReadOnly() {
    if (::geteuid() != 0) {
        fs::permissions(root_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        return true;
    }
    const std::string held = root_ + ".held";
    fs::remove_all(held);
    fs::rename(root_, held);
    fs::create_directories(root_);
    if (::mount("tmpfs", root_.c_str(), "tmpfs", 0, "size=4m") != 0) {
        fs::remove_all(root_);
        fs::rename(held, root_);
        return false;
    }
    mounted_ = true;
    for (const auto& entry : fs::directory_iterator(held)) fs::copy(entry.path(), fs::path(root_) / entry.path().filename());
    fs::remove_all(held);
    return ::mount(nullptr, root_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

void LinkToFullDevice(const std::string& path) {
    fs::remove(path);
    fs::create_symlink("/dev/full", path);
}

std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".tmp") != std::string::npos) found.push_back(entry.path().string());
    }
    return found;
}

bool LibrariesBuilt() {
    for (const char* name : {"libTolmar.so", "libPellor.so", "libSENKIN.so", "libKELDA.so", "libMORVA.so", "libBRENA.so", "libTOVIK.so"})
        if (!std::filesystem::exists(std::filesystem::path(VANTOR_BIN_DIR) / name)) return false;
    return true;
}

}  // namespace vantor::faults
