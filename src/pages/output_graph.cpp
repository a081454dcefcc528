#include "pages/output_graph.h"

#include "pages/output_filter_editor.h"
#include "pages/page_artwork.h"

#include <QPainter>

#include <algorithm>

namespace mqx {
namespace {

constexpr std::array<const char*, kOutputElements> kMarkerLabels = {"H", "L", "1", "2", "3"};

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

OutputGraph::OutputGraph(OutputFilterEditor& editor, QWidget* parent)
    : ResponseGraphView(editor.graphScale(), parent), m_editor(editor) {
    setAccessibleName(QStringLiteral("Output response"));
    computeCurves();
}

void OutputGraph::computeCurves() {
    const ProgramRecord& r = m_editor.record();
    const std::uint8_t shown =
        r.out[at(m_editor.channel())].display_mask | OutputBit(m_editor.channel());
    for (int c = 0; c < kOutputCount; ++c)
        if ((shown & OutputBit(c)) != 0)
            m_curves[at(c)] = OutputResponse(r.out[at(c)]);
}

const ResponseCurve* OutputGraph::selectedCurve() const {
    const OutputCurves& own = m_curves[at(m_editor.channel())];
    switch (m_editor.selected()) {
    case ElementHpf:
        return &own.highPass;
    case ElementLpf:
        return &own.lowPass;
    case ElementEq1:
    case ElementEq2:
    case ElementEq3:
        return &own.eq[at(m_editor.selected() - ElementEq1)];
    default:
        return nullptr;
    }
}

double OutputGraph::selectedCurveAtCentre() const {
    const ResponseCurve* curve = selectedCurve();
    return curve != nullptr ? (*curve)[at(m_editor.gridIndex(m_editor.selected()))] : 0.0;
}

void OutputGraph::paintContent(QPainter& p) {
    const GraphScale& s = scale();
    const int own = m_editor.channel();
    const int selected = m_editor.selected();
    for (int e = 0; e < kOutputElements; ++e)
        if (e != selected && m_editor.isOn(e))
            drawMarker(p, s, m_editor.gridIndex(e), QString::fromLatin1(kMarkerLabels[at(e)]),
                       false);
    if (selected >= 0)
        drawMarker(p, s, m_editor.gridIndex(selected),
                   QString::fromLatin1(kMarkerLabels[at(selected)]), true);

    computeCurves();
    const std::uint8_t mask = m_editor.output().display_mask;
    for (int c = kOutputCount - 1; c >= 0; --c)
        if (c != own && (mask & OutputBit(c)) != 0)
            drawCurve(p, s, m_curves[at(c)].sum, ChannelColour(c), 1);
    if (selected >= 0)
        drawCentreLine(p, s, s.originX + m_editor.gridIndex(selected));
    drawCurve(p, s, m_curves[at(own)].sum, ChannelColour(own), 2);
    if (selected >= 0)
        drawHandles(p, m_editor.handles(selectedCurveAtCentre()), m_editor.isDragging());
}

double OutputGraph::readoutDb(int gridIndex) const {
    return m_curves[at(m_editor.channel())].sum[at(gridIndex)];
}

bool OutputGraph::pointerPressed(QPoint point) {
    return m_editor.pressGraph(point.x(), point.y(), selectedCurveAtCentre());
}

void OutputGraph::pointerMoved(QPoint point) {
    m_editor.moveGraph(point.x(), point.y());
    if (m_dragged)
        m_dragged();
}

void OutputGraph::pointerReleased() {
    m_editor.releaseGraph();
}

} // namespace mqx
