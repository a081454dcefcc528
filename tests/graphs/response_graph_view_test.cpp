#include "graphs/graph_geometry.h"
#include "graphs/response_graph_view.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace mqx;

namespace {

struct FlatGraph : ResponseGraphView {
    FlatGraph() : ResponseGraphView(PeqGraphScale()) { resize(sizeHint()); }
    void paintContent(QPainter&) override {}
    double readoutDb(int) const override { return 0.0; }
};

} // namespace

TEST(ResponseGraph, TheReadoutShowsOverEveryColumnOfTheGridOnly) {
    FlatGraph graph;
    const GraphScale& s = graph.scale();
    const QImage bare = graph.grab().toImage();
    const int y = (s.top + s.bottom) / 2;
    const std::tuple<int, int, bool> cases[] = {{s.originX, y, true},
                                                {s.originX + kGridPoints - 1, y, true},
                                                {s.originX - 1, y, false},
                                                {s.originX + kGridPoints, y, false},
                                                {s.originX, s.top - 1, false}};
    for (const auto& [x, at, shows] : cases) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, at), graph.mapToGlobal(QPointF(x, at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&graph, &move);
        EXPECT_EQ(graph.grab().toImage() != bare, shows) << x << "," << at;
    }
}
