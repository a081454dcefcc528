#include "graphs/block_diagram_model.h"
#include "graphs/block_diagram_page.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace mqx;
using P = OutputPart;

namespace {

// Every block of the picture; those in LitRects (block_diagram_model_test) are lit.
std::vector<QRect> blocks() {
    std::vector<QRect> out = {InputBlockRect(), SignalGeneratorRect()};
    for (int ch = 0; ch < kInputCount; ++ch)
        out.insert(out.end(), {GeqRect(ch), PeqRect(ch), CompressorRect(ch), InputDelayRect(ch)});
    for (int c = 0; c < kOutputCount; ++c)
        for (int part = 0; part < kOutputPartCount; ++part)
            out.push_back(OutputPartRect(c, static_cast<P>(part)));
    return out;
}

// A line runs from the first pixel right of `from` along the middle of `row`; the gaps
// that end in an arrowhead are left out.
struct Gap {
    QRect from, row;
};

std::vector<Gap> horizontalLines() {
    std::vector<Gap> out;
    for (int ch = 0; ch < kInputCount; ++ch)
        out.insert(out.end(), {{InputBlockRect(), InputDelayRect(ch)},
                               {InputRoutingRect(), InputDelayRect(ch)},
                               {InputDelayRect(ch), InputDelayRect(ch)}});
    for (int c = 0; c < kOutputCount; ++c) {
        out.push_back({OutputRoutingRect(), OutputRowRect(c)});
        for (int part = 0; part < kOutputPartCount; ++part)
            out.push_back({OutputPartRect(c, static_cast<P>(part)), OutputRowRect(c)});
    }
    return out;
}

bool dark(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y)).lightness() < 100;
}

// The device rows (or columns) of the line met along a scan across `span`.
std::vector<int> lineAcross(const QImage& image, int fixed, int from, int to, bool vertical) {
    std::vector<int> hits;
    for (int v = from; v < to; ++v)
        if (vertical ? dark(image, fixed, v) : dark(image, v, fixed))
            hits.push_back(v);
    return hits;
}

bool darkAlong(const QImage& image, int y, qreal from, qreal to) {
    return lineAcross(image, y, int(from), int(to), false).size() ==
           std::size_t(int(to) - int(from));
}

// The two middle device rows of a logical span of even length.
std::vector<int> middleTwo(int first, int length, qreal dpr) {
    std::vector<int> out;
    const int start = int((first + length / 2 - 1) * dpr);
    for (int v = start; v < start + int(2 * dpr); ++v)
        out.push_back(v);
    return out;
}

} // namespace

// Lit and unlit blocks in their own fills to their edges, and every line of the signal
// centred on the blocks it joins, for a factory program and a busy one, at 1x and 2x.
TEST(BlockDiagramPageTest, BlocksAndLinesSitOnTheGeometrysRectangles) {
    ProgramRecord factory;
    ApplyRecordDefaults(factory);
    ProgramRecord busy = factory;
    busy.eq_mode = 1;
    busy.input_mode = 1;
    busy.comp_on = {1, 0};
    busy.master_delay[0] = 5;
    for (OutputChannel& o : busy.out)
        o.on = 0, o.phase = 1;
    BlockDiagramPage page;
    for (const ProgramRecord* record : {&factory, &busy}) {
        page.setRecord(record);
        const DiagramLighting lighting = LightDiagram(*record);
        for (qreal dpr : {1.0, 2.0}) {
            SCOPED_TRACE(testing::Message() << "dpr " << dpr << (record == &busy ? " busy" : ""));
            const QImage image = page.picture(dpr);
            ASSERT_EQ(image.size(), QSize(kDiagramWidth, kDiagramHeight) * dpr);
            const auto at = [&](QPoint p) { return image.pixel(p * dpr); };
            const std::vector<QRect> lit = LitRects(lighting);
            const QRgb litFill = at(lit.front().topLeft() + QPoint(3, 3));
            const QRgb unlitFill = at(OutputPartRect(0, P::Level).topLeft() + QPoint(3, 3));
            EXPECT_GT(std::abs(QColor(litFill).lightness() - QColor(unlitFill).lightness()), 80);
            for (const QRect& r : blocks()) {
                const QRgb fill = std::ranges::count(lit, r) ? litFill : unlitFill;
                EXPECT_EQ(at(r.topLeft() + QPoint(3, 3)), fill) << r.x() << "," << r.y();
                EXPECT_EQ(at(r.bottomRight() - QPoint(3, 3)), fill) << r.x() << "," << r.y();
                // The frame is the block's own first pixel; the pixel before it is not.
                EXPECT_NE(at(r.topLeft()), fill);
                EXPECT_NE(image.pixel(int(r.left() * dpr) - 1, int((r.top() + 5) * dpr)), fill);
            }
            for (const Gap& g : horizontalLines()) {
                const int x = int((g.from.right() + 1) * dpr);
                EXPECT_EQ(lineAcross(image, x, int(g.row.top() * dpr),
                                     int((g.row.bottom() + 1) * dpr), true),
                          middleTwo(g.row.top(), g.row.height(), dpr))
                    << "right of " << g.from.x() << "," << g.from.y();
            }
            // The generator's feed below the input selection, and the routing lines that
            // turn off each channel's line half way into the routing areas.
            const QRect select = InputRoutingRect();
            EXPECT_EQ(lineAcross(image, int(195 * dpr), int(select.left() * dpr),
                                 int((select.right() + 1) * dpr), false),
                      middleTwo(select.left(), select.width(), dpr));
            // In each routing area the rows run from its edges to the turn.
            const auto areas = PeqCompRoutingRects();
            for (int a = 0; a < 2; ++a)
                for (int ch = 0; ch < kInputCount; ++ch) {
                    SCOPED_TRACE(testing::Message() << "routing area " << a << " channel " << ch);
                    const QRect& area = areas[static_cast<std::size_t>(a)];
                    const QRect eq = record->eq_mode == 1 ? PeqRect(ch) : GeqRect(ch);
                    const QRect delay = InputDelayRect(ch);
                    const int y = (eq.center().y() + delay.center().y()) / 2;
                    EXPECT_EQ(lineAcross(image, int(y * dpr), int(area.left() * dpr),
                                         int((area.right() + 1) * dpr), false),
                              middleTwo(area.left(), area.width(), dpr));
                    const int turn = area.left() + area.width() / 2 - 1;
                    const QRect& fromLeft = a == 0 ? delay : eq;
                    const QRect& toRight = a == 0 ? eq : delay;
                    for (int row : middleTwo(fromLeft.top(), fromLeft.height(), dpr))
                        EXPECT_TRUE(darkAlong(image, row, area.left() * dpr, (turn + 2) * dpr));
                    for (int row : middleTwo(toRight.top(), toRight.height(), dpr))
                        EXPECT_TRUE(darkAlong(image, row, turn * dpr, (area.right() + 1) * dpr));
                }
        }
    }
    // Without a record nothing is lit.
    page.setRecord(nullptr);
    const QImage empty = page.picture(1.0);
    const QRgb unlit = empty.pixel(OutputPartRect(0, P::Level).topLeft() + QPoint(3, 3));
    for (const QRect& block : blocks())
        EXPECT_EQ(empty.pixel(block.topLeft() + QPoint(3, 3)), unlit);
}

TEST(BlockDiagramPageTest, LeftPressesOnABlockAskForItsTab) {
    ProgramRecord record;
    ApplyRecordDefaults(record);
    record.eq_mode = 1; // the tab follows the block, not the mode
    BlockDiagramPage page;
    page.setRecord(&record);
    const std::tuple<Qt::MouseButton, QPoint, int> presses[] = {
        {Qt::LeftButton, PeqRect(1).center(), 4},
        {Qt::LeftButton, GeqRect(1).center(), 2},
        {Qt::LeftButton, OutputPartRect(5, P::Delay).center(), 12},
        {Qt::RightButton, PeqRect(1).center(), -1},
        {Qt::LeftButton, OutputPartRect(0, P::Mute).center(), -1}};
    for (const auto& [button, point, tab] : presses) {
        QSignalSpy spy(&page, &BlockDiagramPage::tabRequested);
        QTest::mouseClick(&page, button, {}, point);
        EXPECT_EQ(spy.isEmpty() ? -1 : spy.at(0).at(0).toInt(), tab)
            << point.x() << "," << point.y();
        EXPECT_LE(spy.count(), 1);
    }
}
