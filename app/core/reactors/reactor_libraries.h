#pragma once
// The flame and stirred-reactor libraries (libPREMIX.so, libPSR.so), bound only for a project
// that has such cases, from the same folder as the other libraries (library_folder.h), so a run
// without them loads exactly what it loaded before.

#include <array>
#include <string>

#include "app/core/mechanism/reactor_case_lines.h"
#include "app/core/pipeline/library_folder.h"
#include "app/core/pipeline/message_sink.h"
#include "common/entry_abi.h"

namespace vantor::reactors {

class ReactorLibraries {
public:
    ReactorLibraries() = default;
    ReactorLibraries(const ReactorLibraries&) = delete;
    ReactorLibraries& operator=(const ReactorLibraries&) = delete;
    ~ReactorLibraries();

    // Loads the library of `kind` from `folder` with a "> " line; false with the path and the
    // reason in a second line when it is missing, does not load or lacks its entry.
    bool Bind(ReactorKind kind, const LibraryFolder& folder, MessageSink& sink);
    EntryFunction Entry(ReactorKind kind) const { return entries_[Slot(kind)]; }

private:
    static size_t Slot(ReactorKind kind) { return kind == ReactorKind::kFlame ? 0 : 1; }
    std::array<void*, 2> handles_{};
    std::array<EntryFunction, 2> entries_{};
};

// "libPREMIX.so" / "libPSR.so" and their entries "PREMIX" / "PSR".
const char* ReactorLibraryFile(ReactorKind kind);
const char* ReactorEntryName(ReactorKind kind);

}  // namespace vantor::reactors
