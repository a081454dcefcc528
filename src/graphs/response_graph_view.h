#pragma once
// The face shared by the response graphs: the background (plot, grid, frequency and dB
// labels) painted once per device pixel ratio and kept, the curves and handles a graph
// draws over it, the grey frame, and, while the pointer is over the plot, the frequency
// and the summed gain under it. Everything is painted into one image at the screen's
// device pixel ratio and shown in one piece.
//
// A graph supplies what it draws (paintContent), the gain the read-out names (readoutDb)
// and what the pointer does (pointerPressed / Moved / Released); the geometry comes from
// its GraphScale, so the PEQ graph and the output graph differ only in those.

#include "graphs/graph_geometry.h"
#include "graphs/response_curve.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace mqx {

class ResponseGraphView : public QWidget {
    Q_OBJECT
public:
    explicit ResponseGraphView(const GraphScale& scale, QWidget* parent = nullptr);

    const GraphScale& scale() const { return m_scale; }
    // The whole graph at `ratio` device pixels a logical pixel.
    QImage render(qreal ratio);
    // The read-out's text for the pointer at grid point i; empty when it names nothing.
    QString readoutText(int gridIndex) const;
    std::optional<QPoint> pointer() const { return m_pointer; }

    QSize sizeHint() const override { return {m_scale.width, m_scale.height}; }

    // Painting helpers for the graphs.
    static void drawCurve(QPainter& painter, const GraphScale& scale, const ResponseCurve& curve,
                          const QColor& colour, qreal width);
    static void drawCentreLine(QPainter& painter, const GraphScale& scale, int x);
    static void drawHandles(QPainter& painter, const BandHandles& handles, bool dragging);
    // A numbered marker under the plot at grid point i; `label` is what it carries.
    static void drawMarker(QPainter& painter, const GraphScale& scale, int gridIndex,
                           const QString& label, bool selected);

protected:
    virtual void paintContent(QPainter& painter) = 0;
    virtual double readoutDb(int gridIndex) const = 0;
    virtual bool pointerPressed(QPoint) { return false; }
    virtual void pointerMoved(QPoint) {}
    virtual void pointerReleased() {}

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const QImage& background(qreal ratio);
    void paintBackground(QPainter& painter) const;
    void paintReadout(QPainter& painter) const;

    GraphScale m_scale;
    QImage m_background;
    std::optional<QPoint> m_pointer;
    bool m_pressed = false;
};

} // namespace mqx
