#include "graphs/graph_geometry.h"
#include "graphs/response_graph_view.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include <algorithm>

using namespace mqx;

namespace {

// The face alone: no curves, a flat read-out.
struct BareGraph : ResponseGraphView {
    using ResponseGraphView::ResponseGraphView;
    void paintContent(QPainter&) override {}
    double readoutDb(int) const override { return 0.0; }
};

} // namespace

// The dB grid of each graph: a line every `step` dB over the whole range, the first step
// of 3, 6 and 12 that leaves 20 pixels for a label; read down a column of plain plot at
// 1x and 2x.
TEST(ResponseGraphView, DecibelLinesEveryStepOverTheWholeRange) {
    const struct {
        GraphScale scale;
        int step;
    } cases[] = {{PeqGraphScale(), 6}, {OutputGraphScale(), 12}};
    for (const auto& c : cases) {
        const GraphScale& s = c.scale;
        BareGraph graph(s);
        for (int dpr : {1, 2}) {
            SCOPED_TRACE(testing::Message() << s.pxPerDb << " px/dB at " << dpr << "x");
            const QImage image = graph.render(dpr);
            // The darkest column half way between two lines stands clear of the frequency lines.
            const int between = (s.zeroY + c.step * s.pxPerDb / 2) * dpr;
            int x = (s.originX + 2) * dpr;
            for (int i = x; i < (s.right() - 2) * dpr; ++i)
                if (QColor(image.pixel(i, between)).lightness() <
                    QColor(image.pixel(x, between)).lightness())
                    x = i;
            const QRgb plot = image.pixel(x, between);
            std::vector<int> rows, expected;
            for (int y = (s.top + 1) * dpr; y < s.bottom * dpr; ++y)
                if (image.pixel(x, y) != plot)
                    rows.push_back(y);
            for (int db = s.lowestDb; db <= s.highestDb; db += c.step) {
                const int y = s.zeroY - db * s.pxPerDb;
                if (y > s.top && y < s.bottom)
                    for (int d = 0; d < dpr; ++d)
                        expected.push_back(y * dpr + d);
            }
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(rows, expected);
        }
    }
}

// A curve that holds a level and then steps up: the thinned polyline still runs along the
// level to its last point before it climbs, in every column of the run and of the step.
TEST(ResponseGraphView, ACurveKeepsTheEndsOfEveryLevelRun) {
    const GraphScale s = PeqGraphScale();
    constexpr int kStepAt = 120;
    ResponseCurve curve{};
    for (int i = kStepAt; i < kGridPoints; ++i)
        curve[static_cast<std::size_t>(i)] = 12.0;
    QImage image(s.right() + 10, s.bottom + 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        ResponseGraphView::drawCurve(p, s, curve, Qt::black, 1.0);
    }
    const auto inked = [&image](int x, int y) {
        return QColor(image.pixel(x, y)).lightness() < 128;
    };
    // The flat caps leave the two end columns half inked.
    for (int i = 1; i + 1 < kGridPoints; ++i) {
        const int x = s.originX + i;
        const int y = CurveY(s, curve[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(inked(x, y)) << "grid point " << i;
    }
}
