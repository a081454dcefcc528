#include "graphs/meter_strip_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace mqx;

namespace {

MeterFill fill(int x, int y, int w, int h, MeterColour colour) {
    return {QRect(x, y, w, h), colour};
}

bool contains(const std::vector<MeterFill>& fills, const MeterFill& wanted) {
    return std::find(fills.begin(), fills.end(), wanted) != fills.end();
}

} // namespace

TEST(FineMeter, SegmentCountAtEveryBandEdge) {
    const std::pair<int, int> table[] = {
        {0, 1},   {29, 1},  {30, 2},  {32, 2},  {33, 3},  {59, 11},
        {60, 12}, {79, 21}, {80, 22}, {89, 31}, {90, 32}, {255, 32},
    };
    for (const auto& [m, n] : table)
        EXPECT_EQ(FineSegmentCount(m), n) << "m = " << m;
}

TEST(FineMeter, BarNeverSkipsOrDropsASegment) {
    for (int m = 1; m <= 255; ++m) {
        const int step = FineSegmentCount(m) - FineSegmentCount(m - 1);
        EXPECT_TRUE(step == 0 || step == 1) << "m = " << m;
    }
}

TEST(FineMeter, HeightsAndClipLampAtTheEdges) {
    EXPECT_EQ(FineBarHeight(0), 2);
    EXPECT_EQ(FineBarHeight(29), 2);
    EXPECT_EQ(FineBarHeight(30), 4);
    EXPECT_EQ(FineBarHeight(88), 60);
    EXPECT_EQ(FineBarHeight(89), 62);
    EXPECT_EQ(FineBarHeight(90), 62);
    EXPECT_EQ(FineBarHeight(200), 62);
    EXPECT_FALSE(FineClipLit(89));
    EXPECT_TRUE(FineClipLit(90));
    EXPECT_TRUE(FineClipLit(255));
}

TEST(CoarseMeter, LampsLightFromTheBottomUp) {
    using Lamps = std::array<bool, kCoarseLampCount>;
    EXPECT_EQ(CoarseLampsLit(0), (Lamps{false, false, false, false, false}));
    EXPECT_EQ(CoarseLampsLit(49), (Lamps{false, false, false, false, false}));
    EXPECT_EQ(CoarseLampsLit(50), (Lamps{false, false, false, false, true}));
    EXPECT_EQ(CoarseLampsLit(70), (Lamps{false, false, false, true, true}));
    EXPECT_EQ(CoarseLampsLit(75), (Lamps{false, false, false, true, true}));
    EXPECT_EQ(CoarseLampsLit(80), (Lamps{false, false, true, true, true}));
    EXPECT_EQ(CoarseLampsLit(84), (Lamps{false, true, true, true, true}));
    EXPECT_EQ(CoarseLampsLit(89), (Lamps{false, true, true, true, true}));
    EXPECT_EQ(CoarseLampsLit(90), (Lamps{true, true, true, true, true}));
}

TEST(DynamicsLamp, CompressorBelowNinetyAndLimiterNonZero) {
    EXPECT_TRUE(InputDynamicsLit(0));
    EXPECT_TRUE(InputDynamicsLit(89));
    EXPECT_FALSE(InputDynamicsLit(90));
    EXPECT_FALSE(InputDynamicsLit(255));
    EXPECT_FALSE(OutputDynamicsLit(0));
    EXPECT_TRUE(OutputDynamicsLit(1));
    EXPECT_TRUE(OutputDynamicsLit(9));
}

TEST(MeterColumns, InputsStayPutAndOutputsMoveRightInCoarseMode) {
    for (int mode : {kMeterModeFine, kMeterModeCoarse}) {
        EXPECT_EQ(MeterColumnX(MeterKind::Input, 0, mode), 4);
        EXPECT_EQ(MeterColumnX(MeterKind::Input, 1, mode), 53);
    }
    EXPECT_EQ(MeterColumnX(MeterKind::Output, 0, kMeterModeFine), 116);
    EXPECT_EQ(MeterColumnX(MeterKind::Output, 5, kMeterModeFine), 231);
    EXPECT_EQ(MeterColumnX(MeterKind::Output, 0, kMeterModeCoarse), 125);
    EXPECT_EQ(MeterColumnX(MeterKind::Output, 5, kMeterModeCoarse), 240);
}

TEST(MeterStripFills, AtRestFineShowsMinimumBarsAndDarkLamps) {
    MeterLevels rest;
    rest.setAtRest();
    const auto fills = MeterStripFills(rest, kMeterModeFine);
    ASSERT_EQ(fills.size(), 16u);
    for (int x : {4, 53, 116, 139, 162, 185, 208, 231}) {
        EXPECT_TRUE(contains(fills, fill(x, 89, 6, 2, kMeterGreen))) << x;
        EXPECT_TRUE(contains(fills, fill(x, 17, 6, 3, kDynamicsDark))) << x;
    }
}

TEST(MeterStripFills, FineClippingInputWithCompressorAndLimitingOutput) {
    MeterLevels levels;
    levels.inputMeter = {30, 90};
    levels.compReduction = {90, 89};
    levels.outputMeter = {0, 0, 89, 0, 0, 0};
    levels.outputState = {0, 0, 0, 0, 0, 3};
    const auto fills = MeterStripFills(levels, kMeterModeFine);

    EXPECT_TRUE(contains(fills, fill(4, 87, 6, 4, kMeterGreen)));
    EXPECT_TRUE(contains(fills, fill(4, 17, 6, 3, kDynamicsDark)));
    EXPECT_TRUE(contains(fills, fill(53, 29, 6, 62, kMeterGreen)));
    EXPECT_TRUE(contains(fills, fill(53, 26, 6, 3, kMeterRed)));
    EXPECT_TRUE(contains(fills, fill(53, 17, 6, 3, kDynamicsLit)));
    // Full height without clipping.
    EXPECT_TRUE(contains(fills, fill(162, 29, 6, 62, kMeterGreen)));
    EXPECT_FALSE(contains(fills, fill(162, 26, 6, 3, kMeterRed)));
    EXPECT_TRUE(contains(fills, fill(231, 17, 6, 3, kDynamicsLit)));
    EXPECT_EQ(fills.size(), 17u);
}

TEST(MeterStripFills, CoarseDrawsOnlyLitLampsAtTheMovedColumns) {
    MeterLevels levels;
    levels.outputMeter = {0, 0, 75, 0, 0, 90};
    levels.outputState = {0, 0, 1, 0, 0, 0};
    const auto fills = MeterStripFills(levels, kMeterModeCoarse);

    EXPECT_TRUE(contains(fills, fill(171, 70, 6, 3, kMeterGreen)));
    EXPECT_TRUE(contains(fills, fill(171, 82, 6, 3, kMeterGreen)));
    EXPECT_TRUE(contains(fills, fill(171, 17, 6, 3, kDynamicsLit)));
    EXPECT_TRUE(contains(fills, fill(240, 34, 6, 3, kMeterRed)));
    for (int y : {46, 58, 70, 82})
        EXPECT_TRUE(contains(fills, fill(240, y, 6, 3, kMeterGreen))) << y;
    // Eight dynamics lamps, two lamps of output 3 and five of output 6.
    EXPECT_EQ(fills.size(), 15u);
}
