#include "core/program_record.h"
#include "graphs/level_meter_strip.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

using namespace mqx;

namespace {

// The colours the meters are painted in, as the operator sees them.
QRgb painted(const MeterColour& c) {
    if (c == kMeterGreen)
        return qRgb(0, 255, 0);
    if (c == kMeterRed)
        return qRgb(255, 0, 0);
    return c == kDynamicsLit ? qRgb(255, 153, 0) : qRgb(0, 0, 0);
}

QRect device(const QRect& r, qreal dpr) {
    return {int(r.x() * dpr), int(r.y() * dpr), int(r.width() * dpr), int(r.height() * dpr)};
}

// A dim lamp of the background: red for a clip lamp, green for the others.
bool dim(QRgb c, bool red) {
    return red ? qRed(c) > 40 && qGreen(c) < 20 && qRed(c) < 200
               : qGreen(c) > 20 && qRed(c) < 20 && qGreen(c) < 200;
}

} // namespace

// Every fill of the geometry, in both modes and at 1x and 2x, covers exactly its own
// rectangle in its colour; the lamps that are not lit show dimly in theirs.
TEST(LevelMeterStripTest, PaintsTheGeometrysFillsAndDimLampsInBothModesAndRatios) {
    MeterLevels rest;
    rest.setAtRest();
    MeterLevels busy;
    busy.inputMeter = {30, 90};
    busy.compReduction = {89, 90};
    busy.outputMeter = {89, 90, 75, 50, 0, 255};
    busy.outputState = {0, 1, 0, 3, 0, 0};
    LevelMeterStrip strip;
    for (int mode : {kMeterModeFine, kMeterModeCoarse, kMeterModeFine}) {
        strip.setMode(mode);
        for (const MeterLevels& levels : {rest, busy}) {
            strip.setLevels(levels);
            const std::vector<MeterFill> fills = MeterStripFills(levels, mode);
            for (qreal dpr : {1.0, 2.0}) {
                SCOPED_TRACE(testing::Message() << "mode " << mode << " dpr " << dpr);
                const QImage image = strip.picture(dpr);
                ASSERT_EQ(image.size(), strip.size() * dpr);
                for (const MeterFill& f : fills) {
                    EXPECT_TRUE(strip.rect().contains(f.rect));
                    const QRect r = device(f.rect, dpr);
                    const QRgb want = painted(f.colour);
                    for (int y = r.top() - 1; y <= r.bottom() + 1; ++y)
                        for (int x = r.left() - 1; x <= r.right() + 1; ++x)
                            ASSERT_EQ(image.pixel(x, y) == want, r.contains(x, y))
                                << "device pixel " << x << "," << y << " of the fill at "
                                << f.rect.x() << "," << f.rect.y();
                }
                const auto shown = [&](const QRect& r) {
                    return image.pixel(device(r, dpr).center());
                };
                for (int c = 0; c < kInputCount + kOutputCount; ++c) {
                    const int x0 = c < kInputCount
                                       ? MeterColumnX(MeterKind::Input, c, mode)
                                       : MeterColumnX(MeterKind::Output, c - kInputCount, mode);
                    const auto lit = [&](const QRect& r) {
                        return std::any_of(fills.begin(), fills.end(), [&](const MeterFill& f) {
                            return f.rect.intersects(r);
                        });
                    };
                    if (mode == kMeterModeCoarse) {
                        for (int k = 0; k < kCoarseLampCount; ++k) {
                            const QRect lamp = CoarseLampRect(x0, k);
                            EXPECT_TRUE(lit(lamp) || dim(shown(lamp), k == 0)) << c << k;
                        }
                    } else {
                        const QRect clip = FineClipRect(x0);
                        const QRect topSegment = FineBarRect(x0, 62).adjusted(0, 0, 0, -60);
                        EXPECT_TRUE(lit(clip) || dim(shown(clip), true)) << c;
                        EXPECT_TRUE(lit(topSegment) || dim(shown(topSegment), false)) << c;
                    }
                }
            }
        }
    }
}
