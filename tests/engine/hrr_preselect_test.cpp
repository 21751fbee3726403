#include <gtest/gtest.h>

#include <vector>

#include "engine/common/hrr_preselect.h"

namespace vantor::engine {
namespace {

TEST(HeatReleaseSelection, TakesTheLargestUntilEachSidesShareIsExceeded) {
    // Positive sum 12 (r1, r3, r4), negative sum 10 (r2, r5); 1e-21 is below the small limit.
    const std::vector<double> dH = {5.0, -3.0, 5.0, 2.0, -7.0, 0.0, 1e-21};
    EXPECT_EQ(HeatReleaseSelection().Select(dH, 0.5), (std::vector<int32_t>{1, 3, 5}));
    EXPECT_EQ(HeatReleaseSelection().Select(dH, 0.9), (std::vector<int32_t>{1, 3, 4, 5, 2}));
    // A share is "exceeded" only strictly: with the ratio 1 every reaction of the side is taken.
    EXPECT_EQ(HeatReleaseSelection().Select(dH, 1.0), (std::vector<int32_t>{1, 3, 4, 5, 2}));
    EXPECT_EQ(HeatReleaseSelection().Select(std::vector<double>{1e-21, -1e-21}, 1.0), (std::vector<int32_t>{}));
}

TEST(HeatReleaseSelection, EqualValuesGoInReactionOrder) {
    EXPECT_EQ(HeatReleaseSelection().Select(std::vector<double>{4.0, 9.0, 4.0, 9.0}, 0.4), (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(HeatReleaseSelection().Select(std::vector<double>{-4.0, -4.0}, 0.1), (std::vector<int32_t>{1}));
}

}  // namespace
}  // namespace vantor::engine
