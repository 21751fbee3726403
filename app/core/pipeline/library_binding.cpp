#include "app/core/pipeline/library_binding.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "app/core/pipeline/job_record_fill.h"

namespace vantor {

namespace {

constexpr std::array<int, kLibraryCount> kPauseAfter{100, 100, 100, 200, 0, 0, 0};

struct LocatedFile {
    std::string path;
    int error = 0;  // errno of checking the file; 0 when it exists
};

// An unknown folder never becomes a bare file name, which the loader would look up on the
// system's search path.
LocatedFile CheckFile(const std::string& folder, const char* fileName) {
    if (folder.empty()) return {fileName, ENOENT};
    const std::string path = JoinPath(folder, fileName);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return {path, 0};
    return {path, errno};
}

}  // namespace

int32_t EntryTable::BindLibraries(const LibraryFolder& folder, MessageSink& sink, const PauseFunction& pause) {
    ReleaseLibraries();
    if (folder.overridden) sink.AddLine("> Libraries loaded from " + folder.path);
    int32_t code = kBindOk;
    for (int i = 0; i < kLibraryCount; ++i) {
        // After the first failure the rest are neither loaded nor reported; the pauses remain.
        if (code == kBindOk) code = BindLibrary(i, folder.path, sink);
        if (pause && kPauseAfter[i] > 0) pause(kPauseAfter[i]);
    }
    return code;
}

int32_t EntryTable::BindLibrary(int index, const std::string& folder, MessageSink& sink) {
    const SharedLibrary& library = kLibraries[index];
    const std::string name = library.fileName;
    const LocatedFile file = CheckFile(folder, library.fileName);
    void* handle = file.error == 0 ? ::dlopen(file.path.c_str(), RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!handle) {
        const int number = file.error != 0 ? file.error : ENOEXEC;
        sink.AddLine("> Load " + name + " failed error #=" + std::to_string(number) + " !");
        if (file.error != 0) {
            sink.AddLine("> " + file.path + ": " + std::strerror(file.error));
        } else {
            // The loader's text begins with the path it was given.
            const char* reason = ::dlerror();
            sink.AddLine(std::string("> ") + (reason ? reason : file.path));
        }
        return kLoadFailed;
    }
    handles_[index] = handle;
    void* symbol = ::dlsym(handle, library.entryName);
    if (!symbol) {
        sink.AddLine("> Cannot locate procedure in " + name + "!");
        return kEntryMissing;
    }
    entries_[index] = reinterpret_cast<EntryFunction>(symbol);
    sink.AddLine("> Locate procedure in " + name + " OK!");
    return kBindOk;
}

void EntryTable::ReleaseLibraries() {
    for (int i = 0; i < kLibraryCount; ++i) {
        entries_[i] = nullptr;
        if (handles_[i]) ::dlclose(handles_[i]);
        handles_[i] = nullptr;
    }
}

LibraryId EngineLibrary(EngineMethod method) {
    switch (method) {
        case EngineMethod::Ecf: return LibraryId::Morva;
        case EngineMethod::Drg: return LibraryId::Brena;
        case EngineMethod::Drgep: return LibraryId::Tovik;
        case EngineMethod::Pfa: break;
    }
    return LibraryId::Kelda;
}

const SharedLibrary* EntryTable::LibraryForTask(int taskCode, EngineMethod method) {
    switch (taskCode) {
        case 1: return &kLibraries[static_cast<int>(LibraryId::Senkin)];
        case 2: return &kLibraries[static_cast<int>(EngineLibrary(method))];
        case 3: return &kLibraries[static_cast<int>(LibraryId::Tolmar)];
        case 4: return &kLibraries[static_cast<int>(LibraryId::Pellor)];
        default: return nullptr;
    }
}

EntryFunction EntryTable::EntryForTask(int taskCode, EngineMethod method) const {
    const SharedLibrary* library = LibraryForTask(taskCode, method);
    if (!library) return nullptr;
    return entries_[static_cast<size_t>(library - kLibraries.data())];
}

void SleepMilliseconds(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace vantor
