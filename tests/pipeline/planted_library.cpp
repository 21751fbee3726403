// A library file of the name of one of the program's libraries, as a user might unpack into the
// folder they work in. Loading it runs its constructor, which leaves a file in the current folder.

#include <cstdio>

__attribute__((constructor)) static void RecordBeingLoaded() {
    if (std::FILE* record = std::fopen("planted_library_was_loaded", "w")) std::fclose(record);
}
