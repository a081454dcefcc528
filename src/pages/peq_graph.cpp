#include "pages/peq_graph.h"

#include "pages/peq_editor.h"
#include "program/value_scales.h"

#include <QPainter>

namespace mqx {
namespace {

const QColor kSumColour(0, 255, 0);
const QColor kBandColour(255, 0, 0);

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

PeqGraph::PeqGraph(PeqEditor& editor, QWidget* parent)
    : ResponseGraphView(editor.graphScale(), parent), m_editor(editor) {
    setAccessibleName(QStringLiteral("PEQ response"));
}

void PeqGraph::paintContent(QPainter& p) {
    const GraphScale& s = scale();
    m_curves = &m_cache.update(m_editor.record(), m_editor.channel());
    const int selected = m_editor.selectedBand();
    const auto gridOf = [this](int b) {
        return NearestGridIndex(FrequencyHzValue(m_editor.band(b).freq));
    };
    for (int b = 0; b < kPeqBands; ++b)
        if (b != selected && m_editor.bandActive(b))
            drawMarker(p, s, gridOf(b), QString::number(b + 1), false);
    if (selected >= 0)
        drawMarker(p, s, gridOf(selected), QString::number(selected + 1), true);

    drawCurve(p, s, m_curves->sum, kSumColour, 1);
    if (selected >= 0) {
        drawCentreLine(p, s, s.originX + gridOf(selected));
        drawCurve(p, s, m_curves->band[at(selected)], kBandColour, 1);
        if (m_editor.peqMode()) {
            const auto k = static_cast<std::size_t>(gridOf(selected));
            const BandHandles h =
                HandlesOf(s, m_editor.band(selected), m_curves->band[at(selected)][k]);
            drawHandles(p, h, m_editor.isDragging());
        }
    }
}

double PeqGraph::readoutDb(int gridIndex) const {
    return m_curves->sum[static_cast<std::size_t>(gridIndex)];
}

bool PeqGraph::pointerPressed(QPoint at) {
    return m_editor.pressGraph(at.x(), at.y());
}

void PeqGraph::pointerMoved(QPoint at) {
    m_editor.moveGraph(at.x(), at.y());
}

void PeqGraph::pointerReleased() {
    m_editor.releaseGraph();
}

} // namespace mqx
