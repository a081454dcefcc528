#include "graphs/level_meter_strip.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

using namespace mqx;

namespace {

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kOrange(255, 153, 0);
const QColor kBlack(0, 0, 0);

class LevelMeterStripTest : public ::testing::Test {
protected:
    // The strip as shown on a screen of the widget's own pixel ratio.
    QImage shown() { return strip.grab().toImage(); }

    LevelMeterStrip strip;
};

// Every pixel of the rows [top, bottom) of a meter column has the colour.
::testing::AssertionResult columnRows(const QImage& image, int x0, int top, int bottom,
                                      const QColor& colour) {
    const qreal dpr = image.devicePixelRatio();
    for (int y = int(top * dpr); y < int(bottom * dpr); ++y) {
        for (int x = int(x0 * dpr); x < int((x0 + 6) * dpr); ++x) {
            const QColor seen = image.pixelColor(x, y);
            if (seen.rgb() != colour.rgb())
                return ::testing::AssertionFailure()
                       << "device pixel (" << x << ", " << y << ") is " << seen.name().toStdString()
                       << ", wanted " << colour.name().toStdString();
        }
    }
    return ::testing::AssertionSuccess();
}

bool anyRowPixel(const QImage& image, int x0, int y, const QColor& colour) {
    for (int x = x0; x < x0 + 6; ++x) {
        if (image.pixelColor(x, y).rgb() == colour.rgb())
            return true;
    }
    return false;
}

} // namespace

TEST_F(LevelMeterStripTest, FixedSizeHoldsTheWidestLayout) {
    EXPECT_EQ(strip.size(), QSize(LevelMeterStrip::kWidth, LevelMeterStrip::kHeight));
    EXPECT_GE(strip.width(), 125 + 23 * 5 + 6);
    EXPECT_GT(strip.height(), 91);
}

TEST_F(LevelMeterStripTest, FineBarsFromTheMinimumToTheClipLamp) {
    MeterLevels levels;
    levels.inputMeter = {29, 30};
    levels.outputMeter = {89, 90, 0, 0, 0, 0};
    strip.setLevels(levels);
    const QImage image = shown();

    EXPECT_TRUE(columnRows(image, 4, 89, 91, kGreen));
    EXPECT_FALSE(anyRowPixel(image, 4, 88, kGreen));
    EXPECT_TRUE(columnRows(image, 53, 87, 91, kGreen));
    EXPECT_FALSE(anyRowPixel(image, 53, 86, kGreen));
    // Nothing green below the bar's bottom row either.
    EXPECT_FALSE(anyRowPixel(image, 53, 91, kGreen));

    EXPECT_TRUE(columnRows(image, 116, 29, 91, kGreen));
    EXPECT_FALSE(anyRowPixel(image, 116, 28, kRed));
    EXPECT_FALSE(anyRowPixel(image, 116, 26, kRed));
    EXPECT_TRUE(columnRows(image, 139, 29, 91, kGreen));
    EXPECT_TRUE(columnRows(image, 139, 26, 29, kRed));
    EXPECT_FALSE(anyRowPixel(image, 139, 25, kRed));
}

TEST_F(LevelMeterStripTest, CoarseLampsAtTheirRowsOnly) {
    strip.setMode(kMeterModeCoarse);
    MeterLevels levels;
    levels.outputMeter = {0, 0, 75, 0, 0, 90};
    strip.setLevels(levels);
    const QImage image = shown();

    const int x75 = 125 + 23 * 2;
    for (int k : {0, 1, 2}) {
        const int y = 34 + 12 * k;
        EXPECT_FALSE(anyRowPixel(image, x75, y, kGreen) || anyRowPixel(image, x75, y, kRed)) << k;
    }
    EXPECT_TRUE(columnRows(image, x75, 70, 73, kGreen));
    EXPECT_TRUE(columnRows(image, x75, 82, 85, kGreen));
    EXPECT_FALSE(anyRowPixel(image, x75, 73, kGreen));

    const int x90 = 125 + 23 * 5;
    EXPECT_TRUE(columnRows(image, x90, 34, 37, kRed));
    for (int k = 1; k < 5; ++k)
        EXPECT_TRUE(columnRows(image, x90, 34 + 12 * k, 37 + 12 * k, kGreen)) << k;
    // No Fine bar or clip lamp is left behind in Coarse mode.
    EXPECT_FALSE(anyRowPixel(image, x90, 27, kRed));
    EXPECT_FALSE(anyRowPixel(image, 4, 90, kGreen));
}

TEST_F(LevelMeterStripTest, ModeChangeMovesTheOutputColumns) {
    MeterLevels levels;
    levels.outputMeter = {90, 0, 0, 0, 0, 0};
    strip.setLevels(levels);
    EXPECT_TRUE(columnRows(shown(), 116, 40, 41, kGreen));
    strip.setMode(kMeterModeCoarse);
    const QImage coarse = shown();
    EXPECT_FALSE(anyRowPixel(coarse, 116, 35, kRed));
    EXPECT_TRUE(columnRows(coarse, 125, 34, 37, kRed));
    strip.setMode(kMeterModeFine);
    EXPECT_TRUE(columnRows(shown(), 116, 40, 41, kGreen));
}

TEST_F(LevelMeterStripTest, DynamicsLampsInBothModes) {
    MeterLevels levels;
    levels.compReduction = {89, 90};
    levels.outputState = {0, 1, 0, 0, 0, 0};
    strip.setLevels(levels);
    for (int mode : {kMeterModeFine, kMeterModeCoarse}) {
        strip.setMode(mode);
        const QImage image = shown();
        const int out1 = mode == kMeterModeCoarse ? 148 : 139;
        EXPECT_TRUE(columnRows(image, 4, 17, 20, kOrange)) << mode;
        EXPECT_TRUE(columnRows(image, 53, 17, 20, kBlack)) << mode;
        EXPECT_TRUE(columnRows(image, out1, 17, 20, kOrange)) << mode;
        EXPECT_TRUE(columnRows(image, out1 - 23, 17, 20, kBlack)) << mode;
        EXPECT_FALSE(anyRowPixel(image, 4, 20, kOrange)) << mode;
        EXPECT_FALSE(anyRowPixel(image, 4, 16, kOrange)) << mode;
    }
}

TEST_F(LevelMeterStripTest, HighDensityPictureKeepsTheLogicalGeometry) {
    MeterLevels levels;
    levels.inputMeter = {30, 90};
    strip.setLevels(levels);
    const QImage image = strip.picture(2.0);
    EXPECT_EQ(image.size(), QSize(2 * LevelMeterStrip::kWidth, 2 * LevelMeterStrip::kHeight));
    EXPECT_TRUE(columnRows(image, 4, 87, 91, kGreen));
    EXPECT_TRUE(columnRows(image, 53, 26, 29, kRed));
    // The device rows just above the bar and just above the clip lamp stay dark.
    EXPECT_FALSE(anyRowPixel(image, 2 * 4, 2 * 87 - 1, kGreen));
    EXPECT_FALSE(anyRowPixel(image, 2 * 53, 2 * 26 - 1, kRed));
}
