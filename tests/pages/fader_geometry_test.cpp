#include "pages/compressor_geometry.h"
#include "pages/fader_geometry.h"
#include "pages/geq_editor.h"

#include <gtest/gtest.h>

using namespace mqx;

// Page pixels of knob tops: the band tracks start at 100, the level track at 40.
TEST(FaderGeometry, StepsSitAtTheirKnobTopsAtBothEndsAndAtMinusInf) {
    const struct {
        FaderGeometry geometry;
        int trackTop, step, pageTop;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        EXPECT_EQ(c.trackTop + KnobTopOf(c.geometry, c.step), c.pageTop);
        EXPECT_EQ(StepOfKnobTop(c.geometry, c.pageTop - c.trackTop), c.step);
        EXPECT_EQ(ClampKnobTop(c.geometry, c.pageTop - c.trackTop), c.pageTop - c.trackTop);
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
    const struct {
        const char* name;
        int got, expected;
    } cases[] = {
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
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
}
