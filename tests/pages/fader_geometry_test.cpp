#include "pages/fader_geometry.h"
#include "pages/geq_editor.h"

#include <gtest/gtest.h>

using namespace mqx;

namespace {

// Page pixels: the band tracks start at 100, the level track at 40.
constexpr int kBand = GeqLayout::kBandTrackTop;
constexpr int kLevel = GeqLayout::kLevelTrackTop;

struct StepAndTop {
    const char* name;
    FaderGeometry geometry;
    int trackTop;
    int step;
    int pageTop;
};

} // namespace

TEST(FaderGeometry, StepsSitAtTheirKnobTopsAtBothEndsAndAtMinusInf) {
    const StepAndTop cases[] = {
        {"band +12.0 dB", GeqBandFader(), kBand, 48, 108},
        {"band 0.0 dB", GeqBandFader(), kBand, 24, 156},
        {"band -12.0 dB", GeqBandFader(), kBand, 0, 204},
        {"level +12.0 dB", LevelFader(), kLevel, 205, 48},
        {"level 0.0 dB", LevelFader(), kLevel, 181, 72},
        {"level -90.0 dB", LevelFader(), kLevel, 1, 252},
        {"level -Inf", LevelFader(), kLevel, 0, 261},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.trackTop + KnobTopOf(c.geometry, c.step), c.pageTop);
        EXPECT_EQ(StepOfKnobTop(c.geometry, c.pageTop - c.trackTop), c.step);
        EXPECT_EQ(ClampKnobTop(c.geometry, c.pageTop - c.trackTop), c.pageTop - c.trackTop);
    }
}

TEST(FaderGeometry, ClampsKeepTheKnobOnTheTrackAndOnTheGrid) {
    struct Case {
        const char* name;
        FaderGeometry geometry;
        int wanted; // knob top relative to the track
        int kept;
    };
    const Case cases[] = {
        {"band above the top end", GeqBandFader(), -30, 8},
        {"band on an odd pixel goes down", GeqBandFader(), 57, 58},
        {"band past the bottom clamp lands on -12.0 dB", GeqBandFader(), 130, 104},
        {"level above the top end", LevelFader(), 0, 8},
        {"level one pixel below -90.0 dB is -Inf", LevelFader(), 213, 221},
        {"level keeps every pixel", LevelFader(), 101, 101},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClampKnobTop(c.geometry, c.wanted), c.kept);
    }
}

TEST(FaderGeometry, PagingAndSteppingCrossBetweenMinusNinetyAndMinusInf) {
    const FaderGeometry g = LevelFader();
    const int minus90 = KnobTopOf(g, 1);
    const int inf = KnobTopOf(g, 0);
    const int centre90 = minus90 + g.knobHeight / 2;
    struct Case {
        const char* name;
        int top;
        int pointer;
        int paged;
    };
    const Case cases[] = {
        {"down from -90.0 dB", minus90, centre90 + 1, inf},
        {"up from -Inf", inf, inf - 20, minus90},
        {"down from -Inf stays", inf, inf + 30, inf},
        {"up one pixel", 100, 50, 99},
        {"down one pixel", 100, 150, 101},
        {"on the centre stays", 100, 100 + g.knobHeight / 2, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PageTop(g, c.top, c.pointer), c.paged);
    }
    EXPECT_EQ(StepTop(g, minus90, -1), inf);
    EXPECT_EQ(StepTop(g, inf, 1), minus90);
    EXPECT_EQ(StepTop(g, KnobTopOf(g, 200), 10), KnobTopOf(g, 205));

    const FaderGeometry band = GeqBandFader();
    EXPECT_EQ(PageTop(band, 56, 0), 54);
    EXPECT_EQ(PageTop(band, 104, 200), 104);
    EXPECT_EQ(StepTop(band, 56, -10), KnobTopOf(band, 14));
    // A byte past the scale, as a damaged file may hold, draws the knob at the scale's end.
    EXPECT_EQ(KnobTopOf(band, 200), KnobTopOf(band, 48));
    EXPECT_EQ(KnobTopOf(g, 255), KnobTopOf(g, 205));
    EXPECT_EQ(KnobTopOf(g, -3), KnobTopOf(g, 0));
}
