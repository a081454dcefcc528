#include "pages/compressor_geometry.h"
#include "pages/eq_band_rules.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

namespace {
constexpr int kDb0 = 181; // make-up gain step of 0.0 dB
} // namespace

TEST(CompressorGeometry, TransferCurveKneesAndEndsFollowThresholdRatioAndGain) {
    struct Case {
        const char* name;
        int t, r, g;
        QPoint start, knee, end;
    };
    const Case cases[] = {
        {"-20 dBFS at 2:1", 40, 50, kDb0, {4, 144}, {104, 44}, {144, 24}},
        {"Inf:1 is flat right of the knee", 40, 100, kDb0, {4, 144}, {104, 44}, {144, 44}},
        {"0 dBFS threshold: 1:1 to the corner", 0, 100, kDb0, {4, 144}, {144, 4}, {144, 4}},
        {"1:1 ratio: one straight line", 96, 0, kDb0, {4, 144}, {48, 100}, {144, 4}},
        {"the end rounds down", 96, 99, kDb0, {4, 144}, {48, 100}, {144, 99}},
        {"+30 dB lifts past the top", 40, 50, 241, {4, 84}, {104, -16}, {144, -36}},
        {"-90 dB", 0, 0, 1, {4, 324}, {144, 184}, {144, 184}},
        {"-Inf lies below the square", 40, 50, 0, {4, 325}, {104, 225}, {144, 205}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TransferCurve curve = TransferCurvePoints(c.t, c.r, c.g);
        EXPECT_EQ(std::tuple(curve.start, curve.knee, curve.end),
                  std::tuple(c.start, c.knee, c.end));
    }
    // The corners of the clip are the graph's 0 dBFS and -70 dBFS.
    EXPECT_TRUE(kTransferClip.contains(QPoint(144, 144)));
    EXPECT_FALSE(kTransferClip.contains(QPoint(145, 4)));
    EXPECT_EQ(TransferX(0), 144);
    EXPECT_EQ(TransferY(-70), 144);
}

TEST(CompressorGeometry, ReductionBarsGrowLeftFromTheRightEdge) {
    const std::pair<int, int> lengths[] = {
        {0, 94},  {20, 94}, {50, 94}, {51, 92}, {52, 92}, {53, 90}, {56, 88},
        {57, 86}, {80, 40}, {81, 36}, {88, 8},  {89, 4},  {90, 0},  {255, 0},
    };
    for (auto [meter, length] : lengths)
        EXPECT_EQ(ReductionBarLength(meter), length) << meter;
    EXPECT_EQ(ReductionBarRect(89), QRect(93, 2, 4, 6));
    EXPECT_EQ(ReductionBarRect(20), QRect(3, 2, 94, 6));
    EXPECT_TRUE(ReductionBarRect(90).isEmpty());
}

TEST(CompressorGeometry, LinkModesChooseTheValidColumnsAndWhatEachBarShows) {
    MeterLevels levels;
    levels.compReduction = {60, 75};
    struct Case {
        int mode;
        bool valid1, valid2;
        int bar1, bar2;
    };
    const Case cases[] = {
        {CompIndividual, true, true, 60, 75},
        {CompLinkStereo, true, false, 60, 60},
        {CompLinkIn1, true, false, 60, 60},
        {CompLinkIn2, false, true, 75, 75},
        {7, true, true, 60, 75}, // no mode at all: nothing is coupled
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::tuple(CompColumnValid(c.mode, 0), CompColumnValid(c.mode, 1),
                             BarReduction(c.mode, levels, 0), BarReduction(c.mode, levels, 1)),
                  std::tuple(c.valid1, c.valid2, c.bar1, c.bar2))
            << c.mode;
    }
}

TEST(EqBandRules, TypesUseTheirBoxesAndKeepTheFrequencyInTheirLimits) {
    struct Case {
        EqBand before;
        int type;
        bool changed;
        EqBand after;
    };
    const Case cases[] = {
        {{1, 121, 30, 10}, EqHiShelf, true, {3, 110, 30, 10}},
        {{1, 5, 30, 10}, EqLoShelf, true, {4, 12, 30, 10}},
        {{2, 100, 30, 10}, EqOff, true, {0, 69, 24, 46}},
        {{2, 100, 30, 10}, EqBandpass, false, {2, 100, 30, 10}},
        {{2, 100, 30, 10}, 6, false, {2, 100, 30, 10}},
        {{0, 69, 24, 46}, EqNotch, true, {5, 69, 24, 46}},
    };
    for (const Case& c : cases) {
        EqBand b = c.before;
        EXPECT_EQ(ChangeEqType(b, c.type), c.changed) << c.type;
        EXPECT_EQ(b, c.after) << c.type;
    }
}
