#include "graphs/block_diagram_page.h"

#include "graphs/block_diagram_model.h"
#include "graphs/fitted_text.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace mqx {

namespace {

const QColor kFace(240, 240, 240);
const QColor kLine(64, 64, 64);
const QColor kUnlitFill(226, 226, 226);
const QColor kUnlitBorder(168, 168, 168);
// Unlit blocks read as off by their pale fill and border; their labels stay legible.
const QColor kUnlitText(92, 92, 92);
const QColor kLitFill(28, 116, 204);
const QColor kLitBorder(10, 58, 116);
const QColor kLitText(255, 255, 255);
const QColor kRoutingFill(255, 255, 255);
const QColor kRoutingText(64, 64, 64);

constexpr int kLineWidth = 2;
constexpr int kLabelPixels = kSmallestTextPixels;
constexpr int kOutputLabelLeft = 632;

constexpr std::array<const char*, kOutputPartCount> kPartLabels = {
    "HPF", "LPF", "EQ", "LEVEL", "LIMIT", "DELAY", "PHASE", "MUTE"};

// Rows the signal runs on: an input channel's line, its GEQ and PEQ/compressor rows,
// and an output row's line.
int channelRow(int ch) {
    return InputDelayRect(ch).center().y() + 1;
}
int geqRow(int ch) {
    return GeqRect(ch).center().y() + 1;
}
int peqRow(int ch) {
    return PeqRect(ch).center().y() + 1;
}
int outputRow(int c) {
    return OutputRowRect(c).center().y() + 1;
}

// Lines are filled rectangles centred on the row, so they stay sharp at any pixel ratio.
void hLine(QPainter& p, int x1, int x2, int y) {
    p.fillRect(QRect(x1, y - kLineWidth / 2, x2 - x1, kLineWidth), kLine);
}

void vLine(QPainter& p, int x, int y1, int y2) {
    const int top = std::min(y1, y2) - kLineWidth / 2;
    p.fillRect(QRect(x - kLineWidth / 2, top, kLineWidth, std::abs(y2 - y1) + kLineWidth), kLine);
}

// A small arrowhead pointing right, its tip at (x, y).
void arrowInto(QPainter& p, int x, int y) {
    QPainterPath head;
    head.moveTo(x, y);
    head.lineTo(x - 5, y - 4);
    head.lineTo(x - 5, y + 4);
    head.closeSubpath();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(head, kLine);
    p.restore();
}

void block(QPainter& p, const QRect& r, const QString& label, bool lit) {
    p.fillRect(r, lit ? kLitBorder : kUnlitBorder);
    p.fillRect(r.adjusted(1, 1, -1, -1), lit ? kLitFill : kUnlitFill);
    p.setPen(lit ? kLitText : kUnlitText);
    // A little air at both ends of the block; a long label is narrowed, never shrunk.
    DrawFittedText(p, r.adjusted(3, 0, -3, 0), Qt::AlignCenter, label);
}

void verticalText(QPainter& p, const QRect& r, const QString& text) {
    p.save();
    p.translate(r.center().x() + 1, r.center().y() + 1);
    p.rotate(-90);
    p.drawText(QRect(-r.height() / 2, -r.width() / 2, r.height(), r.width()), Qt::AlignCenter,
               text);
    p.restore();
}

void tallBlock(QPainter& p, const QRect& r, const QString& label, bool lit) {
    p.fillRect(r, lit ? kLitBorder : kUnlitBorder);
    p.fillRect(r.adjusted(1, 1, -1, -1), lit ? kLitFill : kUnlitFill);
    p.setPen(lit ? kLitText : kUnlitText);
    verticalText(p, r, label);
}

void routingBox(QPainter& p, const QRect& r, const QString& label) {
    p.fillRect(r, kLine);
    p.fillRect(r.adjusted(1, 1, -1, -1), kRoutingFill);
    p.setPen(kRoutingText);
    verticalText(p, r, label);
}

// How each input channel reaches its delay: through the GEQ, or through PEQ and compressor.
// All of it stays inside the two routing areas, so a mode change repaints nothing else.
void paintEqRouting(QPainter& p, bool peqComp) {
    const auto areas = PeqCompRoutingRects();
    const int splitX = areas[0].center().x() + 1;
    const int joinX = areas[1].center().x() + 1;
    const int splitEnd = areas[0].right() + 1;
    for (int ch = 0; ch < kInputCount; ++ch) {
        const int line = channelRow(ch);
        const int eqRow = peqComp ? peqRow(ch) : geqRow(ch);
        hLine(p, areas[0].left(), splitX, line);
        vLine(p, splitX, line, eqRow);
        hLine(p, splitX, splitEnd, eqRow);
        arrowInto(p, splitEnd, eqRow);
        hLine(p, areas[1].left(), joinX, eqRow);
        vLine(p, joinX, eqRow, line);
        hLine(p, joinX, areas[1].right() + 1, line);
    }
}

void paintFixedLines(QPainter& p) {
    const QRect input = InputBlockRect();
    const QRect inputRouting = InputRoutingRect();
    const QRect generator = SignalGeneratorRect();
    const QRect outputRouting = OutputRoutingRect();
    const auto areas = PeqCompRoutingRects();

    // The generator feeds the input selection from below.
    vLine(p, inputRouting.center().x() + 1, generator.top(), inputRouting.bottom() + 1);
    for (int ch = 0; ch < kInputCount; ++ch) {
        const int line = channelRow(ch);
        hLine(p, input.right() + 1, inputRouting.left(), line);
        hLine(p, inputRouting.right() + 1, areas[0].left(), line);
        hLine(p, PeqRect(ch).right() + 1, CompressorRect(ch).left(), peqRow(ch));
        arrowInto(p, CompressorRect(ch).left(), peqRow(ch));
        hLine(p, areas[1].right() + 1, InputDelayRect(ch).left(), line);
        arrowInto(p, InputDelayRect(ch).left(), line);
        hLine(p, InputDelayRect(ch).right() + 1, outputRouting.left(), line);
    }
    for (int c = 0; c < kOutputCount; ++c) {
        const int row = outputRow(c);
        hLine(p, outputRouting.right() + 1, OutputRowRect(c).left(), row);
        arrowInto(p, OutputRowRect(c).left(), row);
        for (int part = 0; part + 1 < kOutputPartCount; ++part) {
            const QRect here = OutputPartRect(c, static_cast<OutputPart>(part));
            const QRect next = OutputPartRect(c, static_cast<OutputPart>(part + 1));
            hLine(p, here.right() + 1, next.left(), row);
        }
        const QRect mute = OutputPartRect(c, OutputPart::Mute);
        hLine(p, mute.right() + 1, kOutputLabelLeft - 3, row);
    }
}

void paintLabels(QPainter& p, const QFont& bold) {
    p.setFont(bold);
    p.setPen(kRoutingText);
    for (int c = 0; c < kOutputCount; ++c) {
        const QRect row = OutputRowRect(c);
        p.drawText(
            QRect(kOutputLabelLeft, row.top(), kDiagramWidth - kOutputLabelLeft, row.height()),
            Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("OUT-%1").arg(c + 1));
    }
}

void paintDiagram(QPainter& p, const QFont& base, const DiagramLighting& lit) {
    const QFont bold = ArtworkFont(base, kLabelPixels, true);
    p.setFont(bold);

    p.fillRect(QRect(0, 0, kDiagramWidth, kDiagramHeight), kFace);
    paintFixedLines(p);
    paintEqRouting(p, lit.peqCompRouting);

    tallBlock(p, InputBlockRect(), QStringLiteral("INPUT"), lit.input);
    block(p, SignalGeneratorRect(), QStringLiteral("SIG GEN"), lit.signalGenerator);
    routingBox(p, InputRoutingRect(), QStringLiteral("SELECT"));
    routingBox(p, OutputRoutingRect(), QStringLiteral("SOURCE"));
    for (int ch = 0; ch < kInputCount; ++ch) {
        const auto i = static_cast<std::size_t>(ch);
        const QString n = QString::number(ch + 1);
        block(p, GeqRect(ch), QStringLiteral("GEQ ") + n, lit.geq[i]);
        block(p, PeqRect(ch), QStringLiteral("PEQ ") + n, lit.peq[i]);
        block(p, CompressorRect(ch), QStringLiteral("COMP ") + n, lit.compressor[i]);
        block(p, InputDelayRect(ch), QStringLiteral("DELAY"), lit.inputDelay[i]);
    }
    for (int c = 0; c < kOutputCount; ++c) {
        for (int part = 0; part < kOutputPartCount; ++part) {
            const auto k = static_cast<std::size_t>(part);
            block(p, OutputPartRect(c, static_cast<OutputPart>(part)),
                  QString::fromLatin1(kPartLabels[k]),
                  lit.outputParts[static_cast<std::size_t>(c)][k]);
        }
    }
    paintLabels(p, bold);
}

} // namespace

BlockDiagramPage::BlockDiagramPage(QWidget* parent) : QWidget(parent) {
    setFixedSize(kDiagramWidth, kDiagramHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BlockDiagramPage::setRecord(const ProgramRecord* record) {
    m_record = record;
    update();
}

void BlockDiagramPage::refresh() {
    update();
}

QSize BlockDiagramPage::sizeHint() const {
    return {kDiagramWidth, kDiagramHeight};
}

QImage BlockDiagramPage::picture(qreal devicePixelRatio) const {
    QImage image(QSize(kDiagramWidth, kDiagramHeight) * devicePixelRatio,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    paintDiagram(p, font(), m_record != nullptr ? LightDiagram(*m_record) : DiagramLighting{});
    return image;
}

void BlockDiagramPage::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), picture(devicePixelRatio()));
}

void BlockDiagramPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int tab = TabAtPoint(event->position().toPoint());
        if (tab >= 0)
            emit tabRequested(tab);
    }
    QWidget::mousePressEvent(event);
}

} // namespace mqx
