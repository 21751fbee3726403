// Loading mechanism binaries: header checks, work-array lengths, every record's failure, clean
// ends of file, and checks of the counts and indices a damaged file may carry.

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "chemlib/binary_builder.h"
#include "chemlib/chemistry_routines.h"
#include "common/record_io.h"

using namespace vantor;
using namespace vantor::chem;
using namespace vantor::chem::test;

namespace {

// A mechanism that has every optional record, so each can be damaged.
BinaryBuilder FullMechanism() {
    BinaryBuilder b = TwoSpeciesMechanism();
    b.species.push_back(ConstantCpSpecies("C", {2}, 20.0, 5.0, 50.0, 30.0));
    ReactionData r = b.reactions[0];
    b.reactions = {r, r, r};
    b.reactions[2].slots[0] = {-2, 1};
    b.reactions[2].slots[3] = {1, 3};
    b.reverse = {{2, {1.0, 0.0, 0.0}}};
    b.fallOff = {{1, 4, 0, {1, 0, 0, 0.5, 100, 1000, 500, 0}}};
    b.thirdBody = {{1, {{2, 2.0}}}};
    b.landauTeller = {{2, {1.0, 2.0}}};
    b.revLandauTeller = {{2, {1.0, 2.0}}};
    b.wavelength = {{1, {500.0}}};
    b.electronImpact = {{3, 2}};
    b.jlep = {{3, std::vector<double>(9, 0.0)}};
    b.fit1 = {{3, std::vector<double>(4, 0.0)}};
    b.excitation = {{3, {1.0}}};
    b.realNu = {{3, {-1.5, 0, 0, 1.5, 0, 0}}};
    b.orders = {{2, {{-1, 0.5}, {2, 1.5}}}};
    b.npmax = 2;
    b.tables = {{1, {1e6, 1, 0, 0, 1e7, 2, 0, 0}}};
    b.tableReactions = {3};
    return b;
}

void SetInt(std::vector<uint8_t>& record, size_t at, int32_t v) { std::memcpy(record.data() + at, &v, 4); }

// Offset of count number n (0-based, after the three lengths) in the dimension record.
size_t CountOffset(int n) { return 12 + 4 * size_t(n); }

std::vector<uint8_t> WithRecords(std::vector<NamedRecord> records, size_t keep) {
    records.resize(keep);
    return BinaryBuilder::Frame(records);
}

}  // namespace

TEST(HeaderCheck, AcceptsTheKnownVersionsPaddedWithBlanksOnly) {
    for (const char* version : {"3.6b", "3.6c", "3.6d", "3.8", "3.9"}) {
        BinaryBuilder b = TwoSpeciesMechanism();
        b.version = version;
        const auto loaded = LoadBytes(b.Bytes());
        EXPECT_EQ(loaded->errFlag, 0) << version;
    }
    BinaryBuilder b = TwoSpeciesMechanism();
    b.version = "3.9x";
    const auto loaded = LoadBytes(b.Bytes(), std::array<int32_t, 3>{1000, 1000, 100});
    EXPECT_EQ(loaded->errFlag, kLoadHeader);
    EXPECT_EQ(loaded->messages, " Chemkin binary file is incompatible with Chemkin\r\n Library Version 4.3\r\n");
}

TEST(HeaderCheck, WritesEveryFailedCheckInOrderAndStopsTheLoad) {
    BinaryBuilder b = TwoSpeciesMechanism();
    b.version = "4.0";
    b.precision = "SINGLE";
    b.errorMarker = true;
    const auto loaded = LoadBytes(b.Bytes(), std::array<int32_t, 3>{1000, 1000, 100});
    EXPECT_EQ(loaded->errFlag, kLoadHeader);
    EXPECT_EQ(loaded->messages,
              " There is an error in the Chemkin binary file...\r\n"
              " Check CHEMKIN INTERPRETER output for error conditions.\r\n"
              " Chemkin binary file is incompatible with Chemkin\r\n Library Version 4.3\r\n"
              " Precision of Chemkin binary file does not agree with\r\n precision of Chemkin library\r\n");
    EXPECT_EQ(loaded->ickwrk[0], -7) << "nothing may be read after a failed header check";
}

TEST(HeaderCheck, UnreadableHeaderAndLengths) {
    for (const auto& bytes : {std::vector<uint8_t>{}, std::vector<uint8_t>{1, 2, 3},
                              BinaryBuilder::Frame({{"version", RecordBuilder().Name("3.9", 16).Bytes()}}),
                              WithRecords(TwoSpeciesMechanism().Records(), 1)}) {
        RecordReader reader(bytes);
        std::ostringstream msg;
        int32_t a = -1, b = -2, c = -3;
        ProcessChemistryLibrary().CheckMechanismBinaryHeader(reader, msg, a, b, c);
        EXPECT_EQ(msg.str(), " Error reading Chemkin binary file 1.\r\n");
        EXPECT_EQ(a, -1);
        EXPECT_EQ(b, -2);
        EXPECT_EQ(c, -3);
    }
}

TEST(HeaderCheck, ReadsTheLengthsAndRewinds) {
    const BinaryBuilder b = TwoSpeciesMechanism();
    const MechanismLayout L = MechanismLayout::Compute(b.Counts());
    RecordReader reader(b.Bytes());
    std::vector<uint8_t> record;
    reader.Next(record);
    std::ostringstream msg;
    int32_t i = 0, r = 0, c = 0;
    ProcessChemistryLibrary().CheckMechanismBinaryHeader(reader, msg, i, r, c);
    EXPECT_EQ(msg.str(), "");
    EXPECT_EQ(i, L.intLength);
    EXPECT_EQ(r, L.realLength);
    EXPECT_EQ(c, L.nameLength);
    ASSERT_EQ(reader.Next(record), RecordStatus::Ok);
    EXPECT_EQ(RecordCursor(record).Name(16), "3.9             ");
}

TEST(Lengths, ReportsEveryShortArrayInOrderWithFlag20) {
    const BinaryBuilder b = TwoSpeciesMechanism();
    const MechanismLayout L = MechanismLayout::Compute(b.Counts());
    const auto loaded = LoadBytes(
        b.Bytes(), std::array<int32_t, 3>{int32_t(L.intLength - 1), int32_t(L.realLength - 1), int32_t(L.nameLength)});
    EXPECT_EQ(loaded->errFlag, kLoadWorkArrayShort);
    EXPECT_EQ(loaded->messages,
              "ICKWRK MUST BE DIMENSIONED AT LEAST " + std::string(5 - std::to_string(L.intLength).size(), ' ') +
                  std::to_string(L.intLength) + "\r\nRCKWRK MUST BE DIMENSIONED AT LEAST " +
                  std::string(5 - std::to_string(L.realLength).size(), ' ') + std::to_string(L.realLength) + "\r\n");

    const auto names = LoadBytes(b.Bytes(), std::array<int32_t, 3>{int32_t(L.intLength), int32_t(L.realLength), 2});
    EXPECT_EQ(names->errFlag, kLoadWorkArrayShort);
    EXPECT_EQ(names->messages, "CCKWRK MUST BE DIMENSIONED AT LEAST     3\r\n");

    const auto shortNames = LoadBytes(b.Bytes(), std::nullopt, 15);
    EXPECT_EQ(shortNames->errFlag, kLoadNameLength);
    EXPECT_EQ(shortNames->messages, "CHARACTER LENGTH OF CCKWRK MUST BE AT LEAST 16 \r\n");
}

TEST(Load, FillsTheWorkArrays) {
    const auto loaded = LoadBytes(FullMechanism().Bytes());
    ASSERT_EQ(loaded->errFlag, 0) << loaded->messages;
    EXPECT_EQ(loaded->messages, " ---INI-------01,MM,KK,II,MXSP           1           3           3           6\r\n");
    const MechanismLayout& L = loaded->lib.Layout();
    EXPECT_EQ(loaded->ickwrk[L.iOne], 1);
    EXPECT_EQ(loaded->rckwrk[L.rGasConstant], 83145100.0);
    EXPECT_EQ(loaded->rckwrk[L.rGasConstantCal], 1.9872155831739962);
    EXPECT_EQ(loaded->rckwrk[L.rAtmosphere], 1013250.0);
    EXPECT_EQ(std::string(loaded->cckwrk.data() + 16 * (L.cSpeciesNames + 2), 16), "C               ");
    EXPECT_EQ(loaded->rckwrk[L.rMolecularWeights + 2], 20.0);
    for (int i = 0; i < L.II; ++i) EXPECT_EQ(loaded->rckwrk[L.rArrhenius + 4 * i + 3], 1.0) << "perturbation factor";
    EXPECT_EQ(loaded->ickwrk[L.iFallOffForm], 4);
    EXPECT_EQ(loaded->ickwrk[L.iOrderSpecies + 1], 2);
    EXPECT_EQ(loaded->lib.PressureTableIndex(), (std::vector<int32_t>{2, 0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(loaded->lib.PressureTableData()[16], 1e6);
}

TEST(Load, NoReactionsReadsNothingAfterTheSpecies) {
    BinaryBuilder b = TwoSpeciesMechanism();
    b.reactions.clear();
    auto records = b.Records();
    records.push_back({"junk", {1, 2, 3}});
    const auto loaded = LoadBytes(BinaryBuilder::Frame(records));
    EXPECT_EQ(loaded->errFlag, 0) << loaded->messages;
    EXPECT_EQ(loaded->lib.PressureTableIndex(), std::vector<int32_t>{0});
    EXPECT_EQ(loaded->Rates(1e6, 1000.0, {0.5, 0.5}), kRateOk);
}

TEST(Load, CleanEndsOfFileAreNoFailure) {
    const auto records = FullMechanism().Records();
    for (const char* last : {"species", "orders", "tableindex1", "tableindex2", "table1", "table2"}) {
        const auto loaded = LoadBytes(WithRecords(records, size_t(IndexOf(records, last) + 1)));
        EXPECT_EQ(loaded->errFlag, 0) << "file ending after " << last << ": " << loaded->messages;
        const auto& index = loaded->lib.PressureTableIndex();
        ASSERT_EQ(index.size(), 7u);
        EXPECT_EQ(loaded->Rates(1e6, 1000.0, {0.3, 0.3, 0.4}), kRateOk) << last;
    }
    const auto endAfterOrders = LoadBytes(WithRecords(records, size_t(IndexOf(records, "orders") + 1)));
    EXPECT_EQ(endAfterOrders->lib.PressureTableIndex(), std::vector<int32_t>(7, 0));
    const auto endInTables = LoadBytes(WithRecords(records, size_t(IndexOf(records, "table2") + 1)));
    ASSERT_EQ(endInTables->lib.PressureTableData().size(), 24u);
    EXPECT_EQ(endInTables->lib.PressureTableData()[16], 0.0) << "unread table entries are 0";
}

TEST(Load, EveryDamagedRecordGivesItsFlagAndMessage) {
    struct Case {
        const char* record;
        int32_t flag;
        const char* message;
    };
    const Case cases[] = {
        {"dimensions", 1, " Error reading binary file..."},
        {"elements", 2, " Error reading element data..."},
        {"species", 3, " Error reading species data..."},
        {"reactions", 4, " Error reading reaction data..."},
        {"reverse", 5, " Error reading reverse Arrhenius parameters..."},
        {"falloff", 6, " Error reading Fall-off data..."},
        {"thirdbody", 7, " Error reading third-body data..."},
        {"landauteller", 8, " Error reading Landau-Teller data..."},
        {"revlandauteller", 9, " Error reading reverse Landau-Teller data..."},
        {"wavelength", 10, " Error reading Wavelength data..."},
        {"electronimpact", 11, " Error reading Electron-impact data..."},
        {"jlep", 12, " Error reading Janev-Langer-Evans-Post data..."},
        {"fit1", 13, " Error reading Fit # 1 data..."},
        {"excitation", 14, " Error reading excitation-reaction data..."},
        {"realnu", 15, " Error reading real stoichometric data..."},
        {"orders", 16, " Error reading order data..."},
        {"tableindex1", 17, " Error reading pressure-table data..."},
        {"tableindex2", 17, " Error reading pressure-table data..."},
        {"table2", 17, " Error reading pressure-table data..."},
    };
    const auto records = FullMechanism().Records();
    for (const Case& c : cases) {
        const int at = IndexOf(records, c.record);
        ASSERT_GE(at, 0) << c.record;
        // A record shorter than its counts say.
        auto shortened = records;
        shortened[at].bytes.resize(shortened[at].bytes.size() - 4);
        auto loaded = LoadBytes(BinaryBuilder::Frame(shortened));
        EXPECT_EQ(loaded->errFlag, c.flag) << c.record;
        EXPECT_NE(loaded->messages.find(std::string(c.message) + "\r\n"), std::string::npos) << loaded->messages;
        // A frame cut off inside the record.
        auto bytes = WithRecords(records, size_t(at + 1));
        bytes.resize(bytes.size() - 6);
        loaded = LoadBytes(bytes);
        EXPECT_EQ(loaded->errFlag, c.flag) << c.record << " cut";
        // A missing optional record is a failure too; a missing table record is a clean end.
        if (c.flag >= kLoadReverse && c.flag <= kLoadOrders) {
            loaded = LoadBytes(WithRecords(records, size_t(at)));
            EXPECT_EQ(loaded->errFlag, c.flag) << c.record << " missing";
        }
    }
}

TEST(Load, RejectsCountsAndIndicesOutsideTheirRange) {
    const auto expectFlag = [](const BinaryBuilder& b, int32_t flag, const char* what) {
        const auto loaded = LoadBytes(b.Bytes());
        EXPECT_EQ(loaded->errFlag, flag) << what << ": " << loaded->messages;
        return loaded->messages;
    };
    BinaryBuilder b = FullMechanism();
    b.reactions[1].slots[4] = {1, 4};
    EXPECT_NE(
        expectFlag(b, kLoadReactions, "species index KK+1").find("reaction 2, slot 5: species index 4 outside 0..3"),
        std::string::npos);
    b = FullMechanism();
    b.reverse[0].reaction = 4;
    expectFlag(b, kLoadReverse, "reaction number II+1");
    b = FullMechanism();
    b.landauTeller[0].reaction = 0;
    expectFlag(b, kLoadLandauTeller, "reaction number 0");
    b = FullMechanism();
    b.fallOff[0].form = 5;
    expectFlag(b, kLoadFallOff, "fall-off form 5");
    b = FullMechanism();
    b.fallOff[0].bath = 4;
    expectFlag(b, kLoadFallOff, "bath species KK+1");
    b = FullMechanism();
    b.NFALPAR = 6;
    b.fallOff[0].form = 4;
    expectFlag(b, kLoadFallOff, "four-parameter Troe with six fall-off parameters");
    b = FullMechanism();
    b.species[1].fitTemps = 4;
    expectFlag(b, kLoadSpecies, "four fit temperatures of three");
    b.species[1].fitTemps = 0;
    expectFlag(b, kLoadSpecies, "no fit temperature");
    b = FullMechanism();
    b.MXTHIRD = 1;
    b.thirdBody[0].enhanced = {{1, 2.0}, {2, 3.0}};
    expectFlag(b, kLoadThirdBody, "more enhanced species than MXTHIRD");
    b = FullMechanism();
    b.thirdBody[0].enhanced = {{0, 2.0}};
    expectFlag(b, kLoadThirdBody, "enhanced species 0");
    b = FullMechanism();
    b.electronImpact[0].second = 0;
    expectFlag(b, kLoadElectronImpact, "temperature index 0");
    b = FullMechanism();
    b.orders[0].entries[1].first = -4;
    expectFlag(b, kLoadOrders, "order species -(KK+1)");
    b = FullMechanism();
    b.tables[0].first = 3;
    expectFlag(b, kLoadPressureTables, "more terms per pressure than NPMAX");
    b.tables[0].first = 0;
    expectFlag(b, kLoadPressureTables, "no term per pressure");
}

TEST(Load, RejectsDamagedDimensionsAndTableLengths) {
    const auto records = FullMechanism().Records();
    const int dims = IndexOf(records, "dimensions");
    const auto withCount = [&](int n, int32_t value) {
        auto damaged = records;
        SetInt(damaged[dims].bytes, CountOffset(n), value);
        return LoadBytes(BinaryBuilder::Frame(damaged), std::array<int32_t, 3>{100000, 100000, 1000});
    };
    EXPECT_EQ(withCount(1, -1)->errFlag, kLoadHeader) << "negative KK";
    EXPECT_EQ(withCount(2, 4)->errFlag, kLoadHeader) << "II whose layout does not give the declared lengths";
    EXPECT_EQ(withCount(5, 1 << 30)->errFlag, kLoadHeader) << "absurd MXTEMP";
    const auto tooBig = withCount(1, 4);
    EXPECT_NE(tooBig->messages.find(" Error reading binary file...\r\n dimension record: the counts need ICKWRK"),
              std::string::npos)
        << tooBig->messages;

    const int index1 = IndexOf(records, "tableindex1");
    for (const int32_t npmax : {-1, 1 << 30}) {
        auto damaged = records;
        SetInt(damaged[index1].bytes, 0, npmax);
        EXPECT_EQ(LoadBytes(BinaryBuilder::Frame(damaged))->errFlag, kLoadPressureTables) << npmax;
    }
    auto longTable = records;
    longTable[IndexOf(records, "table1")].bytes.resize(longTable[IndexOf(records, "table1")].bytes.size() + 8);
    EXPECT_EQ(LoadBytes(BinaryBuilder::Frame(longTable))->errFlag, kLoadPressureTables) << "table record too long";
}

TEST(Load, AFailedLoadLeavesNothingToEvaluateAndTheNextLoadWorks) {
    ChemistryLibrary lib;
    auto records = FullMechanism().Records();
    records[IndexOf(records, "falloff")].bytes.resize(8);
    std::vector<int32_t> ick(1000);
    std::vector<double> rck(1000);
    std::vector<char> cck(16 * 10);
    std::ostringstream msg;
    int32_t flag = 0;
    RecordReader bad(BinaryBuilder::Frame(records));
    lib.ReadMechanismBinary(1000, 1000, 10, bad, msg, ick.data(), rck.data(), cck.data(), 16, flag);
    ASSERT_EQ(flag, kLoadFallOff);
    const double T[2] = {1000.0, 1000.0};
    const double Y[3] = {1.0, 0.0, 0.0};
    double wdot[3], qf[3], qr[3];
    EXPECT_EQ(lib.ComputeProductionRates(msg, 2, 1e6, T, Y, ick.data(), rck.data(), wdot, qf, qr), kRateOk);

    RecordReader good(FullMechanism().Bytes());
    flag = 0;
    lib.ReadMechanismBinary(1000, 1000, 10, good, msg, ick.data(), rck.data(), cck.data(), 16, flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(lib.Layout().II, 3);
}

TEST(Load, AFlagSetByTheCallerStopsAfterTheHeaderCheck) {
    RecordReader reader(TwoSpeciesMechanism().Bytes());
    std::vector<int32_t> ick(100, -7);
    std::vector<double> rck(100);
    std::vector<char> cck(160);
    std::ostringstream msg;
    int32_t flag = 3;
    ChemistryLibrary lib;
    lib.ReadMechanismBinary(100, 100, 10, reader, msg, ick.data(), rck.data(), cck.data(), 16, flag);
    EXPECT_EQ(flag, 3);
    EXPECT_EQ(msg.str(), "");
    EXPECT_EQ(ick[0], -7);
}
