#pragma once
// One load of a mechanism binary into the caller's work arrays (internal to the library). Each
// record has its own step; a step returns kLoadOk or the record's LoadError after writing the
// record's message and a line naming the value at fault.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "chemlib/chemistry_library.h"
#include "chemlib/library_constants.h"

namespace vantor::chem {

class MechanismBinaryLoad {
public:
    MechanismBinaryLoad(ChemistryLibrary& lib, RecordReader& mech, std::ostream& msg, int32_t* ickwrk, double* rckwrk,
                        char* cckwrk, int32_t nameElementLength)
        : lib_(lib), mech_(mech), msg_(msg), ick_(ickwrk), rck_(rckwrk), cck_(cckwrk), nameLength_(nameElementLength) {}

    // Records 1 and 2; the counts must lay out exactly the three required lengths.
    int32_t ReadCounts(MechanismCounts& counts, const int32_t need[3]);
    // Lays out the arrays of the counts, clears them and stores the constants.
    void Prepare(const MechanismCounts& counts);
    int32_t ReadElements();
    int32_t ReadSpecies();
    // Sets `ended` when the file ends cleanly where the reaction record should be.
    int32_t ReadReactions(bool& ended);
    int32_t ReadOptionalRecords();
    int32_t ReadPressureTables();

    int32_t Fail(LoadError flag, const std::string& detail);

private:
    // Reads one record of `flag`'s kind holding `count` entries of at least `entryBytes` bytes
    // each, and hands every entry to `entry`, which returns a description of a bad value or "".
    using EntryReader = std::function<std::string(RecordCursor&, int32_t)>;
    int32_t ReadEntries(LoadError flag, int32_t count, int64_t entryBytes, const EntryReader& entry);
    int32_t ReadPressureIndex(bool& ended);
    std::string ReactionNumber(RecordCursor& c, int32_t l, int64_t store);
    std::string ShortRecord(int64_t expected) const;
    void StoreName(int64_t slot, const std::string& name);

    ChemistryLibrary& lib_;
    RecordReader& mech_;
    std::ostream& msg_;
    int32_t* ick_;
    double* rck_;
    char* cck_;
    int32_t nameLength_;
    std::vector<uint8_t> record_;
};

// The failure message of a load error, as written to the message unit.
const char* LoadErrorMessage(int32_t flag);

}  // namespace vantor::chem
