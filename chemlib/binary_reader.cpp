// ReadMechanismBinary: the load sequence, the dimension record and the element, species and
// reaction records.

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>

#include "chemlib/binary_load.h"
#include "common/fixed_format.h"

namespace vantor::chem {
namespace {

// Larger counts are taken for damage. The limit also keeps every layout product of three counts
// far inside 64 bits.
constexpr int32_t kMaxCount = 1 << 20;

struct NamedCount {
    const char* name;
    int32_t value;
};

// Why the counts cannot describe a mechanism the routines can evaluate, or "".
std::string CountProblem(const MechanismCounts& c, const int32_t need[3]) {
    const NamedCount counts[] = {
        {"MM", c.MM},           {"KK", c.KK},
        {"II", c.II},           {"MXSP", c.MXSP},
        {"MXTHIRD", c.MXTHIRD}, {"MXTEMP", c.MXTEMP},
        {"NPOLY", c.NPOLY},     {"NPARAM", c.NPARAM},
        {"NLTPAR", c.NLTPAR},   {"NFALPAR", c.NFALPAR},
        {"NREVPAR", c.NREVPAR}, {"NFALLOFF", c.NFALLOFF},
        {"NTHIRD", c.NTHIRD},   {"NLT", c.NLT},
        {"NREVLT", c.NREVLT},   {"NWAVE", c.NWAVE},
        {"NEIMP", c.NEIMP},     {"NJLEPPAR", c.NJLEPPAR},
        {"NJLEP", c.NJLEP},     {"NFIT1PAR", c.NFIT1PAR},
        {"NFIT1", c.NFIT1},     {"NEXCIT", c.NEXCIT},
        {"NREALNU", c.NREALNU}, {"NORDER", c.NORDER},
        {"MXORDER", c.MXORDER},
    };
    for (const auto& count : counts) {
        if (count.value < 0 || count.value > kMaxCount) {
            return std::string(count.name) + " = " + std::to_string(count.value) + " is outside 0.." +
                   std::to_string(kMaxCount);
        }
    }
    if (c.MXTEMP < 2) return "MXTEMP = " + std::to_string(c.MXTEMP) + " leaves no temperature range";
    if (c.II > 0 && c.MXSP < 6) return "MXSP = " + std::to_string(c.MXSP) + " is below the 6 slots of a reaction";
    if (c.II > 0 && c.NPARAM < 3) return "NPARAM = " + std::to_string(c.NPARAM) + " is below 3 (A, b, E)";
    if (c.NLT + c.NREVLT > 0 && c.NLTPAR < 2) {
        return "NLTPAR = " + std::to_string(c.NLTPAR) + " is below the 2 Landau-Teller parameters";
    }
    const MechanismLayout L = MechanismLayout::Compute(c);
    const int64_t laid[3] = {L.intLength, L.realLength, L.nameLength};
    const char* names[3] = {"ICKWRK", "RCKWRK", "CCKWRK"};
    for (int a = 0; a < 3; ++a) {
        if (laid[a] != need[a]) {
            return std::string("the counts need ") + names[a] + " length " + std::to_string(laid[a]) +
                   ", the file declares " + std::to_string(need[a]);
        }
    }
    return {};
}

MechanismCounts ReadCountsFrom(RecordCursor& c) {
    MechanismCounts n;
    for (int32_t* field :
         {&n.MM,       &n.KK,      &n.II,       &n.MXSP,   &n.MXTHIRD, &n.MXTEMP,  &n.NPOLY,  &n.NPARAM, &n.NLTPAR,
          &n.NFALPAR,  &n.NREVPAR, &n.NFALLOFF, &n.NTHIRD, &n.NLT,     &n.NREVLT,  &n.NWAVE,  &n.NSPARE, &n.NEIMP,
          &n.NJLEPPAR, &n.NJLEP,   &n.NFIT1PAR, &n.NFIT1,  &n.NEXCIT,  &n.NREALNU, &n.NORDER, &n.MXORDER}) {
        *field = c.Int();
    }
    n.COEFMIN = c.Real();
    return n;
}

}  // namespace

const char* LoadErrorMessage(int32_t flag) {
    switch (flag) {
        case kLoadHeader: return " Error reading binary file...";
        case kLoadElements: return " Error reading element data...";
        case kLoadSpecies: return " Error reading species data...";
        case kLoadReactions: return " Error reading reaction data...";
        case kLoadReverse: return " Error reading reverse Arrhenius parameters...";
        case kLoadFallOff: return " Error reading Fall-off data...";
        case kLoadThirdBody: return " Error reading third-body data...";
        case kLoadLandauTeller: return " Error reading Landau-Teller data...";
        case kLoadRevLandauTeller: return " Error reading reverse Landau-Teller data...";
        case kLoadWavelength: return " Error reading Wavelength data...";
        case kLoadElectronImpact: return " Error reading Electron-impact data...";
        case kLoadJlep: return " Error reading Janev-Langer-Evans-Post data...";
        case kLoadFit1: return " Error reading Fit # 1 data...";
        case kLoadExcitation: return " Error reading excitation-reaction data...";
        case kLoadRealStoich: return " Error reading real stoichometric data...";
        case kLoadOrders: return " Error reading order data...";
        case kLoadPressureTables: return " Error reading pressure-table data...";
        case kLoadNameLength: return "CHARACTER LENGTH OF CCKWRK MUST BE AT LEAST 16 ";
        default: return "";
    }
}

int32_t MechanismBinaryLoad::Fail(LoadError flag, const std::string& detail) {
    msg_ << LoadErrorMessage(flag) << kLineEnd;
    if (!detail.empty()) msg_ << " " << detail << kLineEnd;
    return flag;
}

std::string MechanismBinaryLoad::ShortRecord(int64_t expected) const {
    return "record of " + std::to_string(record_.size()) + " bytes, at least " + std::to_string(expected) + " expected";
}

void MechanismBinaryLoad::StoreName(int64_t slot, const std::string& name) {
    char* at = cck_ + slot * nameLength_;
    std::fill(at, at + nameLength_, ' ');
    std::copy(name.begin(), name.end(), at);
}

int32_t MechanismBinaryLoad::ReadCounts(MechanismCounts& counts, const int32_t need[3]) {
    mech_.Rewind();
    if (mech_.Next(record_) != RecordStatus::Ok) return Fail(kLoadHeader, "the version record cannot be read");
    if (record_.size() < 2 * kNameLength + 4) return Fail(kLoadHeader, "version record: " + ShortRecord(36));
    if (mech_.Next(record_) != RecordStatus::Ok) return Fail(kLoadHeader, "the dimension record cannot be read");
    constexpr int64_t kDimensionBytes = 29 * 4 + 8;
    if (int64_t(record_.size()) < kDimensionBytes)
        return Fail(kLoadHeader, "dimension record: " + ShortRecord(kDimensionBytes));
    RecordCursor c(record_);
    for (int skip = 0; skip < 3; ++skip) c.Int();  // the required lengths, known from the header check
    counts = ReadCountsFrom(c);
    if (const std::string problem = CountProblem(counts, need); !problem.empty()) {
        return Fail(kLoadHeader, "dimension record: " + problem);
    }
    return kLoadOk;
}

void MechanismBinaryLoad::Prepare(const MechanismCounts& counts) {
    MechanismLayout& L = lib_.layout_;
    L = MechanismLayout::Compute(counts);
    std::fill(ick_, ick_ + L.intLength, 0);
    std::fill(rck_, rck_ + L.realLength, 0.0);
    std::fill(cck_, cck_ + L.nameLength * nameLength_, ' ');
    ick_[L.iOne] = 1;
    rck_[L.rGasConstant] = kGasConstant;
    rck_[L.rGasConstantCal] = kGasConstantCal;
    rck_[L.rAtmosphere] = kAtmosphere;
    lib_.terms_.assign(size_t(L.NPOLY), 0.0);
    lib_.pressureTableIndex_.assign(2 * size_t(L.II) + 1, 0);
}

int32_t MechanismBinaryLoad::ReadElements() {
    const MechanismLayout& L = lib_.layout_;
    if (mech_.Next(record_) != RecordStatus::Ok) return Fail(kLoadElements, "the element record cannot be read");
    const int64_t expected = int64_t(L.MM) * (kNameLength + 8);
    if (int64_t(record_.size()) < expected) return Fail(kLoadElements, ShortRecord(expected));
    RecordCursor c(record_);
    for (int32_t m = 0; m < L.MM; ++m) {
        StoreName(L.cElementNames + m, c.Name(kNameLength));
        rck_[L.rAtomicWeights + m] = c.Real();
    }
    return kLoadOk;
}

int32_t MechanismBinaryLoad::ReadSpecies() {
    const MechanismLayout& L = lib_.layout_;
    if (mech_.Next(record_) != RecordStatus::Ok) return Fail(kLoadSpecies, "the species record cannot be read");
    const int64_t ranges = L.MXTEMP - 1, rangeLength = int64_t(L.NPOLY) + 2;
    const int64_t expected = int64_t(L.KK) * (kNameLength + 4 * int64_t(L.MM) + 4 + 4 + 8 + 4 + 8 * int64_t(L.MXTEMP)) +
                             8 * rangeLength * ranges * L.KK;
    if (int64_t(record_.size()) < expected) return Fail(kLoadSpecies, ShortRecord(expected));
    RecordCursor c(record_);
    for (int32_t k = 0; k < L.KK; ++k) {
        const std::string name = c.Name(kNameLength);
        StoreName(L.cSpeciesNames + k, name);
        for (int32_t m = 0; m < L.MM; ++m) ick_[L.iElementCounts + int64_t(k) * L.MM + m] = c.Int();
        ick_[L.iPhase + k] = c.Int();
        ick_[L.iCharge + k] = c.Int();
        rck_[L.rMolecularWeights + k] = c.Real();
        const int32_t fitTemps = c.Int();
        if (fitTemps < 1 || fitTemps > L.MXTEMP) {
            return Fail(kLoadSpecies, "species " + std::to_string(k + 1) + " (" +
                                          name.substr(0, name.find_last_not_of(' ') + 1) +
                                          "): " + std::to_string(fitTemps) + " fit temperatures, outside 1.." +
                                          std::to_string(L.MXTEMP));
        }
        ick_[L.iFitTempCount + k] = fitTemps;
        for (int32_t j = 0; j < L.MXTEMP; ++j) rck_[L.rFitTemps + int64_t(k) * L.MXTEMP + j] = c.Real();
        double* poly = rck_ + L.rPolynomials + int64_t(k) * ranges * rangeLength;
        for (int64_t j = 0; j < ranges * rangeLength; ++j) poly[j] = c.Real();
    }
    return kLoadOk;
}

int32_t MechanismBinaryLoad::ReadReactions(bool& ended) {
    const MechanismLayout& L = lib_.layout_;
    const RecordStatus status = mech_.Next(record_);
    if (status == RecordStatus::EndOfFile) {
        ended = true;
        return kLoadOk;
    }
    if (status != RecordStatus::Ok) return Fail(kLoadReactions, "the reaction record cannot be read");
    const int64_t row = int64_t(L.NPARAM) + 1;
    const int64_t expected = int64_t(L.II) * (8 + 8 * int64_t(L.NPARAM) + 8 * int64_t(L.MXSP));
    if (int64_t(record_.size()) < expected) return Fail(kLoadReactions, ShortRecord(expected));
    RecordCursor c(record_);
    for (int32_t i = 0; i < L.II; ++i) {
        ick_[L.iSpeciesCount + i] = c.Int();
        ick_[L.iReactantCount + i] = c.Int();
        for (int32_t j = 0; j < L.NPARAM; ++j) rck_[L.rArrhenius + i * row + j] = c.Real();
        for (int32_t n = 0; n < L.MXSP; ++n) {
            const int32_t nu = c.Int();
            const int32_t k = c.Int();
            if (k < 0 || k > L.KK) {
                return Fail(kLoadReactions, "reaction " + std::to_string(i + 1) + ", slot " + std::to_string(n + 1) +
                                                ": species index " + std::to_string(k) + " outside 0.." +
                                                std::to_string(L.KK));
            }
            ick_[L.iStoich + int64_t(i) * L.MXSP + n] = nu;
            ick_[L.iSlotSpecies + int64_t(i) * L.MXSP + n] = k;
        }
    }
    for (int32_t i = 0; i < L.II; ++i) rck_[L.rArrhenius + i * row + L.NPARAM] = 1.0;
    return kLoadOk;
}

void ChemistryLibrary::ReadMechanismBinary(int32_t intWorkLen, int32_t realWorkLen, int32_t nameWorkLen,
                                           RecordReader& mech, std::ostream& msg, int32_t* ickwrk, double* rckwrk,
                                           char* cckwrk, int32_t nameElementLength, int32_t& errFlag) {
    // MXSP stays the last mechanism's until this one's counts are accepted: the engines report it
    // at the start of their next run, also after a load that failed early.
    const int32_t carriedMxsp = layout_.MXSP;
    layout_ = MechanismLayout{};
    layout_.MXSP = carriedMxsp;
    SetTables(ReactionTables{});
    terms_.clear();
    ReleasePressureTables();

    int32_t need[3] = {0, 0, 0};
    if (!CheckHeader(mech, msg, need[0], need[1], need[2])) {
        if (errFlag <= 0) errFlag = kLoadHeader;
        return;
    }
    if (errFlag > 0) return;

    const int32_t declared[3] = {intWorkLen, realWorkLen, nameWorkLen};
    const char* arrays[3] = {"ICKWRK", "RCKWRK", "CCKWRK"};
    for (int a = 0; a < 3; ++a) {
        if (declared[a] < need[a]) {
            msg << arrays[a] << " MUST BE DIMENSIONED AT LEAST " << FormatI(need[a], 5) << kLineEnd;
            errFlag = kLoadWorkArrayShort;
        }
    }
    if (errFlag > 0) return;

    MechanismBinaryLoad load(*this, mech, msg, ickwrk, rckwrk, cckwrk, nameElementLength);
    MechanismCounts counts;
    if ((errFlag = load.ReadCounts(counts, need)) != kLoadOk) return;
    if (nameElementLength < kNameLength) {
        errFlag = load.Fail(kLoadNameLength, "");
        return;
    }
    msg << " ---INI-------01,MM,KK,II,MXSP" << FormatI(counts.MM, 12) << FormatI(counts.KK, 12)
        << FormatI(counts.II, 12) << FormatI(counts.MXSP, 12) << kLineEnd;
    load.Prepare(counts);
    if ((errFlag = load.ReadElements()) != kLoadOk) return;
    if ((errFlag = load.ReadSpecies()) != kLoadOk) return;
    if (layout_.II > 0) {
        bool ended = false;
        if ((errFlag = load.ReadReactions(ended)) != kLoadOk) return;
        if (!ended) {
            if ((errFlag = load.ReadOptionalRecords()) != kLoadOk) return;
            if ((errFlag = load.ReadPressureTables()) != kLoadOk) return;
        }
    }
    ReactionTables tables = BuildReactionTables(layout_, ickwrk, pressureTableIndex_);
    OrderByExponents(tables, layout_, rckwrk);
    SetTables(std::move(tables));
}

void ChemistryLibrary::SetTables(ReactionTables tables) {
    tables_ = std::move(tables);
    speciesScratch_.assign(size_t(tables_.KK) + 1, 1.0);
    ratioScratch_.assign(3 * tables_.ratioReactions.size(), 1.0);
    netRates_.assign(size_t(tables_.II) + 1, 0.0);
    exponents_.assign(3 * (size_t(tables_.II) + 1 + tables_.reverse.size()), 0.0);
    rateConstants_.Clear();
    rateConstants_.Reserve(tables_.II, tables_.KK);
    fallOffTerms_.assign(tables_.fallOff.size(), FallOffTemperatureTerms{});
    fallOffScratch_.assign(5 * tables_.fallOff.size(), 0.0);
}

void ChemistryLibrary::ReleasePressureTables() {
    pressureTableIndex_.clear();
    pressureTableData_.clear();
    tables_.pressureTables.clear();
    rateConstants_.Clear();
}

}  // namespace vantor::chem
