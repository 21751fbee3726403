#include <gtest/gtest.h>

#include "common/record_io.h"

using namespace vantor;

namespace {
std::vector<uint8_t> TwoRecords() {
    RecordWriter w;
    w.Write(RecordBuilder().Name("3.9", 16).Name("DOUBLE", 16).Logical(false));
    w.Write(RecordBuilder().Int(42).Real(2.5));
    return w.Bytes();
}
}  // namespace

TEST(RecordIo, FramesRecordsWithLeadingAndTrailingCounts) {
    const auto bytes = TwoRecords();
    ASSERT_EQ(bytes.size(), 4 + 36 + 4 + 4 + 12 + 4u);
    EXPECT_EQ(bytes[0], 36);
    EXPECT_EQ(bytes[40], 36);

    RecordReader r(bytes);
    std::vector<uint8_t> rec;
    ASSERT_EQ(r.Next(rec), RecordStatus::Ok);
    RecordCursor c(rec);
    EXPECT_EQ(c.Name(16), "3.9             ");
    EXPECT_EQ(c.Name(16), "DOUBLE          ");
    EXPECT_FALSE(c.Logical());
    EXPECT_FALSE(c.Failed());
    ASSERT_EQ(r.Next(rec), RecordStatus::Ok);
    RecordCursor d(rec);
    EXPECT_EQ(d.Int(), 42);
    EXPECT_EQ(d.Real(), 2.5);
    EXPECT_EQ(r.Next(rec), RecordStatus::EndOfFile);
    r.Rewind();
    EXPECT_EQ(r.Next(rec), RecordStatus::Ok);
}

TEST(RecordIo, ReadingPastARecordFailsTheCursor) {
    std::vector<uint8_t> rec = RecordBuilder().Int(1).Bytes();
    RecordCursor c(rec);
    EXPECT_EQ(c.Int(), 1);
    EXPECT_EQ(c.Real(), 0.0);
    EXPECT_TRUE(c.Failed());
    EXPECT_EQ(c.Int(), 0);  // stays failed
}

TEST(RecordIo, DamagedFramesAreErrorsNotCrashes) {
    auto bytes = TwoRecords();
    {  // cut inside the second record
        RecordReader r(std::vector<uint8_t>(bytes.begin(), bytes.end() - 5));
        std::vector<uint8_t> rec;
        EXPECT_EQ(r.Next(rec), RecordStatus::Ok);
        EXPECT_EQ(r.Next(rec), RecordStatus::Error);
    }
    {  // a huge leading count
        auto b = bytes;
        b[3] = 0x7f;
        RecordReader r(b);
        std::vector<uint8_t> rec;
        EXPECT_EQ(r.Next(rec), RecordStatus::Error);
    }
    {  // counts that disagree
        auto b = bytes;
        b[40] = 35;
        RecordReader r(b);
        std::vector<uint8_t> rec;
        EXPECT_EQ(r.Next(rec), RecordStatus::Error);
    }
    {  // a missing file
        RecordReader r;
        EXPECT_FALSE(r.Open("/nonexistent/Chem.bin"));
        std::vector<uint8_t> rec;
        EXPECT_EQ(r.Next(rec), RecordStatus::Error);
    }
}

TEST(RecordIo, LogicalIsTrueWhenLowestBitSet) {
    auto rec = RecordBuilder().Int(3).Int(2).Bytes();
    RecordCursor c(rec);
    EXPECT_TRUE(c.Logical());
    EXPECT_FALSE(c.Logical());
}
