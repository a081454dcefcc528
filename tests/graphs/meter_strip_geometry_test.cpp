#include "graphs/meter_strip_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace mqx;

// The heights and the clip lamp at the band edges are in the pictures.
TEST(FineMeter, SegmentsGrowOneAtATime) {
    for (int m = 1; m <= 255; ++m) {
        const int step = FineSegmentCount(m) - FineSegmentCount(m - 1);
        EXPECT_TRUE(step == 0 || step == 1) << "m = " << m;
    }
}

TEST(CoarseMeter, LampsLightFromTheBottomUp) {
    const std::pair<int, int> cases[] = {{0, 0},  {49, 0}, {50, 1}, {69, 1}, {70, 2}, {79, 2},
                                         {80, 3}, {83, 3}, {84, 4}, {89, 4}, {90, 5}, {255, 5}};
    for (const auto& [m, lit] : cases) {
        const auto lamps = CoarseLampsLit(m); // the top lamp first
        EXPECT_TRUE(std::ranges::is_sorted(lamps) && std::ranges::count(lamps, true) == lit) << m;
    }
}
