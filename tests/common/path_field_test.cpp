#include <gtest/gtest.h>

#include <cstring>

#include "common/path_field.h"

using namespace vantor;

TEST(PathField, EncodesUtf16WithTerminatorAndBlankFill) {
    PathField f;
    ASSERT_TRUE(EncodePathField("/a b/Chem.bin", f));
    EXPECT_EQ(f[0], u'/');
    EXPECT_EQ(f[2], u' ');  // a blank inside the path is kept
    EXPECT_EQ(f[13], u'\0');
    for (int i = 14; i < kPathFieldUnits; ++i) EXPECT_EQ(f[i], u' ') << i;
    EXPECT_EQ(DecodePathField(f), "/a b/Chem.bin");
}

TEST(PathField, RoundTripsNonAsciiIncludingSurrogatePairs) {
    PathField f;
    const std::string path = "/home/jos\xC3\xA9/\xF0\x9F\x94\xA5/Out.dat";  // é and a 4-byte character
    ASSERT_TRUE(EncodePathField(path, f));
    EXPECT_EQ(DecodePathField(f), path);
    EXPECT_EQ(Utf16Length(path), 21);  // 19 single units and one pair
}

TEST(PathField, RefusesTooLongAndInvalidUtf8LeavingBlanks) {
    PathField f;
    EXPECT_TRUE(EncodePathField(std::string(99, 'x'), f));
    EXPECT_EQ(f[99], u'\0');
    EXPECT_FALSE(EncodePathField(std::string(100, 'x'), f));
    for (char16_t u : f) EXPECT_EQ(u, u' ');
    EXPECT_FALSE(EncodePathField("bad\xC3", f));
    EXPECT_FALSE(EncodePathField("\xC0\xAF", f));  // overlong
    EXPECT_EQ(DecodePathField(f), "");
}

TEST(PathField, FieldWithoutTerminatorDropsTrailingBlanks) {
    PathField f;
    ClearPathField(f);
    f[0] = u'a';
    f[1] = u'b';
    EXPECT_EQ(DecodePathField(f), "ab");
}

TEST(JobRecord, MixtureAccessorsFollowTheTransposedLayout) {
    static JobRecord job;
    std::memset(&job, 0, sizeof job);
    job.mixIndex(2, 3) = 7;
    job.mixAmount(2, 3) = 0.5;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&job);
    int16_t idx;
    double amount;
    std::memcpy(&idx, bytes + 2850 + 2 * (2 + 51 * 3), 2);
    std::memcpy(&amount, bytes + 8056 + 8 * (2 + 51 * 3), 8);
    EXPECT_EQ(idx, 7);
    EXPECT_EQ(amount, 0.5);
    job.Press[0] = 1.5;  // element 1 lives at 2000 + 8
    std::memcpy(&amount, bytes + 2008, 8);
    EXPECT_EQ(amount, 1.5);
}
