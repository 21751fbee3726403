#pragma once
// Binding the seven shared libraries by file name and their entries by name, all from one folder
// (library_folder.h says which).

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "app/core/pipeline/library_folder.h"
#include "app/core/pipeline/message_sink.h"
#include "common/engine_method.h"
#include "common/entry_abi.h"

namespace vantor {

enum class LibraryId : int { Tolmar = 0, Pellor, Senkin, Kelda, Morva, Brena, Tovik };
inline constexpr int kLibraryCount = 7;

struct SharedLibrary {
    const char* fileName;
    const char* entryName;
};

// In binding order.
inline constexpr std::array<SharedLibrary, kLibraryCount> kLibraries{{
    {"libTolmar.so", "CKINTPTOBIN"},
    {"libPellor.so", "CKTRANTOBIN"},
    {"libSENKIN.so", "SENKIN"},
    {"libKELDA.so", "KELDA"},
    {"libMORVA.so", "MORVA"},
    {"libBRENA.so", "BRENA"},
    {"libTOVIK.so", "TOVIK"},
}};

// BindLibraries' codes.
enum BindCode : int32_t { kBindOk = 0, kLoadFailed = 1, kEntryMissing = 2 };

using PauseFunction = std::function<void(int milliseconds)>;

class EntryTable {
public:
    EntryTable() = default;
    EntryTable(const EntryTable&) = delete;
    EntryTable& operator=(const EntryTable&) = delete;
    ~EntryTable() { ReleaseLibraries(); }

    // Loads the libraries from `folder` in order, one "> " line each, and stops at the first
    // failure: a file that is missing gives the errno of checking it (2), one that does not load
    // 8; a second "> " line names the path tried and the reason. Nothing is looked for anywhere
    // else. An overridden folder is announced first. Pauses 100 ms after each of the first three
    // libraries and 200 ms after the fourth. Releases whatever an earlier call bound.
    int32_t BindLibraries(const LibraryFolder& folder, MessageSink& sink, const PauseFunction& pause);

    // Unloads every library; the entries are empty afterwards.
    void ReleaseLibraries();

    EntryFunction Entry(LibraryId id) const { return entries_[static_cast<int>(id)]; }
    // The entry of a library task code: 1 SENKIN, 2 the method's engine, 3 Tolmar, 4 Pellor.
    EntryFunction EntryForTask(int taskCode, EngineMethod method) const;
    static const SharedLibrary* LibraryForTask(int taskCode, EngineMethod method);

private:
    int32_t BindLibrary(int index, const std::string& folder, MessageSink& sink);

    std::array<void*, kLibraryCount> handles_{};
    std::array<EntryFunction, kLibraryCount> entries_{};
};

// The engine library of a method: KELDA (PFA), MORVA (ECF), BRENA (DRG), TOVIK (DRGEP).
LibraryId EngineLibrary(EngineMethod method);

// Sleeps for the given time; the pause the desktop program and vantor-cli use.
void SleepMilliseconds(int milliseconds);

}  // namespace vantor
