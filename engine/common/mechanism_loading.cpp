#include "engine/common/mechanism_loading.h"

#include <algorithm>
#include <sstream>

#include "chemlib/chemistry_library.h"
#include "chemlib/chemistry_routines.h"
#include "chemlib/mechanism_layout.h"
#include "engine/common/run_listing.h"

namespace vantor::engine {
namespace {

// Far beyond the largest mechanism (a few million entries); a header asking for more is damaged.
constexpr int32_t kMaxWorkLength = 1 << 26;

}  // namespace

int32_t LoadMechanism(const StandardDataDimensions& dims, RecordReader& mech, std::ostream& listing,
                      const EngineStatusCodes& codes, MechanismWorkArrays& work) {
    // Read the lengths the binary needs with a separate library object, so the process-wide one
    // sees exactly one header check, its own.
    int32_t needInt = -1, needReal = -1, needName = -1;
    {
        chem::ChemistryLibrary probe;
        std::ostringstream quiet;
        probe.CheckMechanismBinaryHeader(mech, quiet, needInt, needReal, needName);
        mech.Rewind();
    }
    // A declared length at least the needed one behaves exactly like the needed one; a shorter
    // one is passed on for the reader to refuse. An unreadable header leaves nothing to size:
    // the reader stops at its own header check.
    const bool headerRead = needInt >= 0 && needReal >= 0 && needName >= 0;
    const int32_t intLen = headerRead ? std::min(dims.intWorkLen, needInt) : 0;
    const int32_t realLen = headerRead ? std::min(dims.realWorkLen, needReal) : 0;
    const int32_t nameLen = headerRead ? std::min(dims.nameWorkLen, needName) : 0;
    if (intLen > kMaxWorkLength || realLen > kMaxWorkLength || nameLen > kMaxWorkLength) {
        WriteFreeRecord(listing, WithValues("* ERROR: work-array lengths out of range (ICKWRK, RCKWRK, CCKWRK):",
                                            {intLen, realLen, nameLen}));
        return codes.workArrayLength;
    }
    work.ickwrk.assign(static_cast<size_t>(std::max(intLen, 0)), 0);
    work.rckwrk.assign(static_cast<size_t>(std::max(realLen, 0)), 0.0);
    work.cckwrk.assign(static_cast<size_t>(std::max(nameLen, 0)) * chem::kNameLength, ' ');

    int32_t errFlag = 0;
    chem::ReadMechanismBinary(intLen, realLen, nameLen, mech, listing, work.ickwrk.data(), work.rckwrk.data(),
                              work.cckwrk.data(), chem::kNameLength, errFlag);
    return errFlag;
}

}  // namespace vantor::engine
