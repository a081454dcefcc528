#include "graphs/block_diagram_model.h"
#include "graphs/block_diagram_page.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace mqx;

namespace {

class BlockDiagramPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyRecordDefaults(record);
        page.setRecord(&record);
    }

    QImage shown() { return page.grab().toImage(); }

    // The fill of a block, read just inside its top-left corner (clear of the label).
    static QRgb fillOf(const QImage& image, const QRect& r) {
        return image.pixel(r.left() + 3, r.top() + 3);
    }

    ProgramRecord record;
    BlockDiagramPage page;
};

int lightness(QRgb c) {
    return QColor(c).lightness();
}

// Pixels that differ between two equally sized images, as one bounding rectangle per region
// asked about: every difference must lie in one of `allowed`.
::testing::AssertionResult differOnlyInside(const QImage& a, const QImage& b,
                                            const std::vector<QRect>& allowed) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            const bool inside = std::any_of(allowed.begin(), allowed.end(),
                                            [&](const QRect& r) { return r.contains(x, y); });
            if (!inside)
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") changed";
        }
    }
    return ::testing::AssertionSuccess();
}

bool anyDifferenceIn(const QImage& a, const QImage& b, const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return true;
        }
    }
    return false;
}

} // namespace

TEST_F(BlockDiagramPageTest, FactoryProgramShowsLitAndUnlitBlocksApart) {
    const QImage image = shown();
    ASSERT_EQ(image.size(), QSize(677, 233));
    const auto lit = LitRects(LightDiagram(record));
    const QRgb litFill = fillOf(image, lit.front());
    const QRgb unlitFill = fillOf(image, SignalGeneratorRect());
    EXPECT_GT(std::abs(lightness(litFill) - lightness(unlitFill)), 80);
    for (const QRect& r : lit) {
        EXPECT_EQ(fillOf(image, r), litFill);
        EXPECT_EQ(image.pixel(r.right() - 3, r.bottom() - 3), litFill);
    }
    const QRect unlit[] = {PeqRect(0),
                           CompressorRect(1),
                           InputDelayRect(0),
                           OutputPartRect(0, OutputPart::HighPass),
                           OutputPartRect(2, OutputPart::Mute),
                           OutputPartRect(5, OutputPart::Level)};
    for (const QRect& r : unlit)
        EXPECT_EQ(fillOf(image, r), unlitFill);
}

TEST_F(BlockDiagramPageTest, MutingOutputThreeRepaintsOnlyItsMuteBlock) {
    const QImage before = shown();
    record.out[2].on = 0;
    page.refresh();
    const QImage muted = shown();
    const QRect mute(580, 77, 40, 32);
    EXPECT_TRUE(differOnlyInside(before, muted, {mute}));
    EXPECT_EQ(fillOf(muted, mute), fillOf(before, GeqRect(0)));
    EXPECT_EQ(fillOf(before, mute), fillOf(before, PeqRect(0)));

    record.out[2].on = 1;
    page.refresh();
    EXPECT_EQ(shown(), before);
}

TEST_F(BlockDiagramPageTest, PeqCompModeRedrawsRoutingAndEqualiserBlocksOnly) {
    const QImage geqMode = shown();
    record.eq_mode = 1;
    page.refresh();
    const QImage peqMode = shown();

    const auto routing = PeqCompRoutingRects();
    std::vector<QRect> allowed(routing.begin(), routing.end());
    for (int ch = 0; ch < 2; ++ch) {
        allowed.push_back(GeqRect(ch));
        allowed.push_back(PeqRect(ch));
        allowed.push_back(CompressorRect(ch));
    }
    EXPECT_TRUE(differOnlyInside(geqMode, peqMode, allowed));
    for (const QRect& r : routing)
        EXPECT_TRUE(anyDifferenceIn(geqMode, peqMode, r));
    EXPECT_EQ(fillOf(peqMode, PeqRect(1)), fillOf(geqMode, GeqRect(1)));
    EXPECT_EQ(fillOf(peqMode, GeqRect(1)), fillOf(geqMode, PeqRect(1)));
    EXPECT_EQ(fillOf(peqMode, CompressorRect(0)), fillOf(geqMode, PeqRect(1)));
}

TEST_F(BlockDiagramPageTest, WithoutARecordNothingIsLit) {
    const QImage factory = shown();
    page.setRecord(nullptr);
    const QImage empty = shown();
    const QRgb unlitFill = fillOf(factory, SignalGeneratorRect());
    EXPECT_EQ(fillOf(empty, InputBlockRect()), unlitFill);
    EXPECT_EQ(fillOf(empty, GeqRect(0)), unlitFill);
    EXPECT_EQ(fillOf(empty, OutputPartRect(1, OutputPart::LowPass)), unlitFill);
}

TEST_F(BlockDiagramPageTest, HighDensityPictureLightsTheSameLogicalRectangle) {
    record.out[2].on = 0;
    const QImage image = page.picture(2.0);
    ASSERT_EQ(image.size(), QSize(1354, 466));
    const QImage plain = shown();
    const QRgb litFill = fillOf(plain, OutputPartRect(2, OutputPart::Mute));
    EXPECT_EQ(image.pixel(2 * 580 + 6, 2 * 77 + 6), litFill);
    EXPECT_EQ(image.pixel(2 * 619 - 6, 2 * 108 - 6), litFill);
    EXPECT_NE(image.pixel(2 * 620 + 1, 2 * 90), litFill);
    EXPECT_NE(image.pixel(2 * 590, 2 * 109 + 1), litFill);
}

TEST_F(BlockDiagramPageTest, LeftPressOnABlockAsksForItsTab) {
    QSignalSpy spy(&page, &BlockDiagramPage::tabRequested);
    QTest::mouseClick(&page, Qt::LeftButton, {}, PeqRect(1).center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 4);

    // The tab follows the block, not the mode: GEQ 2 in PEQ+Comp. mode still opens tab 2.
    record.eq_mode = 1;
    page.refresh();
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(100, 130));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 2);

    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(300, 200));
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(2).at(0).toInt(), 12);
}

TEST_F(BlockDiagramPageTest, PressesThatOpenNothing) {
    QSignalSpy spy(&page, &BlockDiagramPage::tabRequested);
    QTest::mouseClick(&page, Qt::RightButton, {}, PeqRect(1).center());
    QTest::mouseClick(&page, Qt::LeftButton, {}, OutputPartRect(0, OutputPart::Mute).center());
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(650, 20));
    QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(262, 100));
    EXPECT_EQ(spy.count(), 0);
}
