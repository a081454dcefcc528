#include "graphs/response_graph_view.h"

#include <gtest/gtest.h>

#include <QColor>

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
