#include "graphs/graph_geometry.h"
#include "graphs/response_graph_view.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

using namespace mqx;

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
