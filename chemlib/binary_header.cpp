// The version record check of a mechanism binary and the three work-array lengths it declares.

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "chemlib/binary_load.h"

namespace vantor::chem {
namespace {

constexpr std::array<std::string_view, 5> kAcceptedVersions = {"3.6b", "3.6c", "3.6d", "3.8", "3.9"};

// The version field must be one of the accepted versions followed only by blanks.
bool VersionAccepted(const std::string& field) {
    for (const auto version : kAcceptedVersions) {
        std::string padded(version);
        padded.resize(kNameLength, ' ');
        if (field == padded) return true;
    }
    return false;
}

}  // namespace

bool ChemistryLibrary::CheckHeader(RecordReader& mech, std::ostream& msg, int32_t& needInt, int32_t& needReal,
                                   int32_t& needName) {
    mech.Rewind();
    std::vector<uint8_t> record;
    const auto unreadable = [&] {
        msg << " Error reading Chemkin binary file 1." << kLineEnd;
        mech.Rewind();
        return false;
    };
    if (mech.Next(record) != RecordStatus::Ok) return unreadable();
    RecordCursor version(record);
    const std::string versionField = version.Name(kNameLength);
    const std::string precision = version.Name(kNameLength);
    const bool errorMarker = version.Logical();
    if (version.Failed()) return unreadable();

    bool passed = true;
    if (errorMarker) {
        msg << " There is an error in the Chemkin binary file..." << kLineEnd
            << " Check CHEMKIN INTERPRETER output for error conditions." << kLineEnd;
        passed = false;
    }
    if (!VersionAccepted(versionField)) {
        msg << " Chemkin binary file is incompatible with Chemkin" << kLineEnd << " Library Version 4.3" << kLineEnd;
        passed = false;
    }
    if (precision.find("DOUB") == std::string::npos) {
        msg << " Precision of Chemkin binary file does not agree with" << kLineEnd << " precision of Chemkin library"
            << kLineEnd;
        passed = false;
    }
    if (!passed) {
        mech.Rewind();
        return false;
    }

    if (mech.Next(record) != RecordStatus::Ok) return unreadable();
    RecordCursor lengths(record);
    const int32_t i = lengths.Int(), r = lengths.Int(), c = lengths.Int();
    if (lengths.Failed()) return unreadable();
    needInt = i;
    needReal = r;
    needName = c;
    mech.Rewind();
    return true;
}

void ChemistryLibrary::CheckMechanismBinaryHeader(RecordReader& mech, std::ostream& msg, int32_t& needInt,
                                                  int32_t& needReal, int32_t& needName) {
    CheckHeader(mech, msg, needInt, needReal, needName);
}

}  // namespace vantor::chem
