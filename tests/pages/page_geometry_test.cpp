#include "pages/compressor_geometry.h"
#include "pages/eq_band_rules.h"
#include "pages/fader_geometry.h"
#include "pages/geq_editor.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

namespace {
constexpr int kDb0 = 181; // make-up gain step of 0.0 dB
} // namespace

TEST(CompressorGeometry, TransferCurveKneesAndEndsFollowThresholdRatioAndGain) {
    // Threshold, ratio and make-up gain steps; the curve's start, knee and end.
    const std::tuple<const char*, int, int, int, QPoint, QPoint, QPoint> cases[] = {
        {"-20 dBFS at 2:1", 40, 50, kDb0, {4, 144}, {104, 44}, {144, 24}},
        {"Inf:1 is flat right of the knee", 40, 100, kDb0, {4, 144}, {104, 44}, {144, 44}},
        {"0 dBFS threshold: 1:1 to the corner", 0, 100, kDb0, {4, 144}, {144, 4}, {144, 4}},
        {"1:1 ratio: one straight line", 96, 0, kDb0, {4, 144}, {48, 100}, {144, 4}},
        {"the end rounds down", 96, 99, kDb0, {4, 144}, {48, 100}, {144, 99}},
        {"+30 dB lifts past the top", 40, 50, 241, {4, 84}, {104, -16}, {144, -36}},
        {"-90 dB", 0, 0, 1, {4, 324}, {144, 184}, {144, 184}},
        {"-Inf lies below the square", 40, 50, 0, {4, 325}, {104, 225}, {144, 205}},
    };
    for (const auto& [name, t, r, g, start, knee, end] : cases) {
        const TransferCurve curve = TransferCurvePoints(t, r, g);
        EXPECT_EQ(std::tuple(curve.start, curve.knee, curve.end), std::tuple(start, knee, end))
            << name;
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
    // The mode; whether IN-1's and IN-2's columns are valid, and the bars they show.
    const std::tuple<int, bool, bool, int, int> cases[] = {
        {CompIndividual, true, true, 60, 75},
        {CompLinkStereo, true, false, 60, 60},
        {CompLinkIn1, true, false, 60, 60},
        {CompLinkIn2, false, true, 75, 75},
        {7, true, true, 60, 75}, // no mode at all: nothing is coupled
    };
    for (const auto& [mode, valid1, valid2, bar1, bar2] : cases) {
        EXPECT_EQ(std::tuple(CompColumnValid(mode, 0), CompColumnValid(mode, 1),
                             BarReduction(mode, levels, 0), BarReduction(mode, levels, 1)),
                  std::tuple(valid1, valid2, bar1, bar2))
            << mode;
    }
}

TEST(EqBandRules, TypesUseTheirBoxesAndKeepTheFrequencyInTheirLimits) {
    const std::tuple<EqBand, int, bool, EqBand> cases[] = {
        {{1, 121, 30, 10}, EqHiShelf, true, {3, 110, 30, 10}},
        {{1, 5, 30, 10}, EqLoShelf, true, {4, 12, 30, 10}},
        {{2, 100, 30, 10}, EqOff, true, {0, 69, 24, 46}},
        {{2, 100, 30, 10}, EqBandpass, false, {2, 100, 30, 10}},
        {{2, 100, 30, 10}, 6, false, {2, 100, 30, 10}},
        {{0, 69, 24, 46}, EqNotch, true, {5, 69, 24, 46}},
    };
    for (auto [band, type, changed, after] : cases) {
        EXPECT_EQ(ChangeEqType(band, type), changed) << type;
        EXPECT_EQ(band, after) << type;
    }
}

// Page pixels of knob tops: the band tracks start at 100, the level track at 40.
TEST(FaderGeometry, StepsSitAtTheirKnobTopsAtBothEndsAndAtMinusInf) {
    const std::tuple<FaderGeometry, int, int, int> cases[] = {
        // the track's top, a step, its top
        {GeqBandFader(), GeqLayout::kBandTrackTop, 48, 108}, // +12.0 dB
        {GeqBandFader(), GeqLayout::kBandTrackTop, 24, 156},
        {GeqBandFader(), GeqLayout::kBandTrackTop, 0, 204}, // -12.0 dB
        {LevelFader(), GeqLayout::kLevelTrackTop, 205, 48}, // +12.0 dB
        {LevelFader(), GeqLayout::kLevelTrackTop, 181, 72},
        {LevelFader(), GeqLayout::kLevelTrackTop, 1, 252},             // -90.0 dB
        {LevelFader(), GeqLayout::kLevelTrackTop, 0, 261},             // -Inf
        {MakeUpGainFader(), CompressorLayout::kGainTrackTop, 241, 10}, // +30.0 dB
        {MakeUpGainFader(), CompressorLayout::kGainTrackTop, 205, 46},
        {MakeUpGainFader(), CompressorLayout::kGainTrackTop, 181, 70},
        {MakeUpGainFader(), CompressorLayout::kGainTrackTop, 1, 250},
        {MakeUpGainFader(), CompressorLayout::kGainTrackTop, 0, 259},
    };
    for (const auto& [geometry, trackTop, step, pageTop] : cases) {
        SCOPED_TRACE(step);
        EXPECT_EQ(trackTop + KnobTopOf(geometry, step), pageTop);
        EXPECT_EQ(StepOfKnobTop(geometry, pageTop - trackTop), step);
        EXPECT_EQ(ClampKnobTop(geometry, pageTop - trackTop), pageTop - trackTop);
    }
    // A byte past the scale, as a damaged file may hold, draws the knob at the scale's end.
    EXPECT_EQ(KnobTopOf(GeqBandFader(), 200), KnobTopOf(GeqBandFader(), 48));
    EXPECT_EQ(KnobTopOf(LevelFader(), 255), KnobTopOf(LevelFader(), 205));
    EXPECT_EQ(KnobTopOf(LevelFader(), -3), KnobTopOf(LevelFader(), 0));
    EXPECT_EQ(CompressorLayout::gainTrackLeft(1), 590 + 21 + 36);
}

// Clamps keep the knob on the track and on the grid; paging (a press above or below the
// knob's centre) and stepping cross between -90.0 dB and -Inf. Tops relative to the track.
TEST(FaderGeometry, ClampsPagesAndSteps) {
    const FaderGeometry band = GeqBandFader();
    const FaderGeometry level = LevelFader();
    const FaderGeometry gain = MakeUpGainFader();
    const int minus90 = KnobTopOf(level, 1);
    const int inf = KnobTopOf(level, 0);
    const int half = level.knobHeight / 2;
    const std::tuple<const char*, int, int> cases[] = {
        {"band above the top end", ClampKnobTop(band, -30), 8},
        {"band on an odd pixel goes down", ClampKnobTop(band, 57), 58},
        {"band past the bottom lands on -12.0 dB", ClampKnobTop(band, 130), 104},
        {"level above the top end", ClampKnobTop(level, 0), 8},
        {"level one pixel below -90.0 dB is -Inf", ClampKnobTop(level, 213), 221},
        {"level keeps every pixel", ClampKnobTop(level, 101), 101},
        {"page down from -90.0 dB", PageTop(level, minus90, minus90 + half + 1), inf},
        {"page up from -Inf", PageTop(level, inf, inf - 20), minus90},
        {"page down from -Inf stays", PageTop(level, inf, inf + 30), inf},
        {"page up one pixel", PageTop(level, 100, 50), 99},
        {"page down one pixel", PageTop(level, 100, 150), 101},
        {"on the centre stays", PageTop(level, 100, 100 + half), 100},
        {"band page up", PageTop(band, 56, 0), 54},
        {"band page down at the end", PageTop(band, 104, 200), 104},
        {"step down from -90.0 dB", StepTop(level, minus90, -1), inf},
        {"step up from -Inf", StepTop(level, inf, 1), minus90},
        {"steps stop at the top", StepTop(level, KnobTopOf(level, 200), 10), KnobTopOf(level, 205)},
        {"make-up above the top end", ClampKnobTop(gain, -30), KnobTopOf(gain, 241)},
        {"make-up steps stop at the top", StepTop(gain, KnobTopOf(gain, 241), 10),
         KnobTopOf(gain, 241)},
        {"band steps down", StepTop(band, 56, -10), KnobTopOf(band, 14)},
    };
    for (const auto& [name, got, expected] : cases)
        EXPECT_EQ(got, expected) << name;
}
