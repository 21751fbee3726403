#include "app/core/reactors/reactor_libraries.h"

#include <dlfcn.h>

#include <system_error>
#include <filesystem>

#include "common/fixed_names.h"

namespace vantor::reactors {

const char* ReactorLibraryFile(ReactorKind kind) { return kind == ReactorKind::kFlame ? "libPREMIX.so" : "libPSR.so"; }
const char* ReactorEntryName(ReactorKind kind) { return kind == ReactorKind::kFlame ? "PREMIX" : "PSR"; }

ReactorLibraries::~ReactorLibraries() {
    for (void* handle : handles_)
        if (handle) ::dlclose(handle);
}

bool ReactorLibraries::Bind(ReactorKind kind, const LibraryFolder& folder, MessageSink& sink) {
    const size_t slot = Slot(kind);
    if (entries_[slot]) return true;
    const std::string name = ReactorLibraryFile(kind);
    // Never a bare file name, which the loader would look up on the system's search path.
    const std::string path = folder.path.empty() ? name : JoinPath(folder.path, name);
    std::error_code failed;
    if (folder.path.empty() || !std::filesystem::is_regular_file(path, failed)) {
        sink.AddLine("> Load " + name + " failed!");
        sink.AddLine("> " + path + ": no such file");
        return false;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = ::dlerror();
        sink.AddLine("> Load " + name + " failed!");
        sink.AddLine(std::string("> ") + (reason ? reason : path));
        return false;
    }
    handles_[slot] = handle;
    void* symbol = ::dlsym(handle, ReactorEntryName(kind));
    if (!symbol) {
        sink.AddLine("> Cannot locate procedure in " + name + "!");
        return false;
    }
    entries_[slot] = reinterpret_cast<EntryFunction>(symbol);
    sink.AddLine("> Locate procedure in " + name + " OK!");
    return true;
}

}  // namespace vantor::reactors
