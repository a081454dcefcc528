#include "pages/front_panel_view.h"

#include "graphs/fitted_text.h"
#include "pages/page_artwork.h"

#include <QPainter>

namespace mqx {
namespace {

constexpr int kLegendWidth = 78;
constexpr int kColumnWidth = 46;
constexpr int kLetterTop = 4;
constexpr int kFirstFrameTop = 30;
constexpr int kFrameMargin = 4;

constexpr std::array<const char*, 6> kLegend = {"IN-1",        "IN-2",         "1k Hz -",
                                                "500 Hz - 1k", "100 - 500 Hz", "- 100 Hz"};

QColor lampColour(int k) {
    if (k == 0)
        return {255, 153, 0}; // input 1
    if (k == 1)
        return {230, 20, 20}; // input 2
    return {40, 210, 60};     // the frequency bands
}

} // namespace

FrontPanelView::FrontPanelView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
}

QSize FrontPanelView::sizeHint() const {
    return {kLegendWidth + 6 * kColumnWidth + 4,
            kFirstFrameTop + kLampTop.back() + kLampHeight + kFrameMargin + 6};
}

void FrontPanelView::setMasks(const std::array<std::uint8_t, 6>& masks) {
    if (masks == m_masks)
        return;
    m_masks = masks;
    update();
}

QRect FrontPanelView::lampRect(int channel, int k) const {
    const int x = kLegendWidth + channel * kColumnWidth + (kColumnWidth - kLampWidth) / 2;
    return {x, kFirstFrameTop + kLampTop.at(static_cast<std::size_t>(k)), kLampWidth, kLampHeight};
}

void FrontPanelView::paintPanel(QPainter& p) const {
    p.fillRect(rect(), QColor(36, 38, 42));
    p.setFont(ArtworkFont(font(), kSmallestTextPixels, false));
    for (int k = 0; k < 6; ++k) {
        const QRect lamp = lampRect(0, k);
        p.setPen(QColor(210, 210, 210));
        DrawFittedText(p, QRect(6, lamp.top() - 3, kLegendWidth - 10, kLampHeight + 6),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromLatin1(kLegend[static_cast<std::size_t>(k)]));
    }
    for (int c = 0; c < 6; ++c) {
        const QRect first = lampRect(c, 0);
        p.drawPixmap(first.center().x() - 8, kLetterTop, ChannelLetterTile(c));
        const QRect frame = first.united(lampRect(c, 5))
                                .adjusted(-kFrameMargin, -kFrameMargin, kFrameMargin, kFrameMargin);
        p.setPen(QColor(90, 94, 100));
        p.setBrush(QColor(24, 25, 28));
        p.drawRoundedRect(frame, 3, 3);
        const std::uint8_t mask = m_masks[static_cast<std::size_t>(c)];
        for (int k = 0; k < 6; ++k)
            PaintLamp(p, lampRect(c, k), lampColour(k), (mask & (1u << (5 - k))) != 0);
    }
}

void FrontPanelView::paintEvent(QPaintEvent*) {
    // Drawn off screen and shown in one piece.
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(size() * ratio);
    picture.setDevicePixelRatio(ratio);
    {
        QPainter off(&picture);
        paintPanel(off);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, picture);
}

} // namespace mqx
