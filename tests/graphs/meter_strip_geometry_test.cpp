#include "graphs/meter_strip_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace mqx;

TEST(FineMeter, SegmentsHeightsAndClipLampAtEveryBandEdge) {
    // {value, segments, bar height, clip lamp}
    const std::tuple<int, int, int, bool> cases[] = {
        {0, 1, 2, false},    {29, 1, 2, false},   {30, 2, 4, false},   {32, 2, 4, false},
        {33, 3, 6, false},   {59, 11, 22, false}, {60, 12, 24, false}, {79, 21, 42, false},
        {80, 22, 44, false}, {88, 30, 60, false}, {89, 31, 62, false}, {90, 32, 62, true},
        {255, 32, 62, true},
    };
    for (const auto& [m, segments, height, clip] : cases)
        EXPECT_EQ(std::tuple(FineSegmentCount(m), FineBarHeight(m), FineClipLit(m)),
                  std::tuple(segments, height, clip))
            << m;
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

TEST(DynamicsLamp, CompressorBelowNinetyAndLimiterNonZero) {
    for (const auto& [value, input, output] : {std::tuple{0, true, false},
                                               {1, true, true},
                                               {89, true, true},
                                               {90, false, true},
                                               {255, false, true}}) {
        EXPECT_EQ(InputDynamicsLit(static_cast<std::uint8_t>(value)), input) << value;
        EXPECT_EQ(OutputDynamicsLit(static_cast<std::uint8_t>(value)), output) << value;
    }
}
