#include "pages/channel_strip.h"

#include "core/program_record.h"
#include "pages/page_artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace mqx {
namespace {

// The link indicator holds 17 x 17 letters 19 pixels apart, the selector 11 x 11 boxes 14
// apart with their letters under them.
constexpr int kLetterPitch = 19;
constexpr int kLetterSize = 17;
constexpr int kBoxPitch = 14;
constexpr int kBoxSize = 11;
constexpr int kInset = 5;
constexpr int kTopInset = 4;

} // namespace

ChannelStrip::ChannelStrip(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

QSize ChannelStrip::sizeHint() const {
    if (m_kind == Kind::LinkIndicator)
        return {kInset + kLetterPitch * kOutputCount + 3, kLetterSize + 2 * kTopInset};
    return {kInset + kBoxPitch * kOutputCount + 2, kTopInset + kBoxSize + 16};
}

void ChannelStrip::setMask(std::uint8_t mask) {
    if (mask == m_mask)
        return;
    m_mask = mask;
    update();
}

QRect ChannelStrip::slot(int c) const {
    if (m_kind == Kind::LinkIndicator)
        return {kInset + kLetterPitch * c, kTopInset, kLetterSize, kLetterSize};
    return {kInset + kBoxPitch * c, kTopInset, kBoxSize, kBoxSize};
}

void ChannelStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(QColor(30, 34, 40));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    QFont f = font();
    f.setBold(true);
    for (int c = 0; c < kOutputCount; ++c) {
        const bool marked = (m_mask & OutputBit(c)) != 0;
        const QRect s = slot(c);
        const QString letter(QChar(u'A' + c));
        if (m_kind == Kind::LinkIndicator) {
            // Only the linked channels' letters are shown; the others' places stay dark.
            if (!marked)
                continue;
            p.setPen(Qt::NoPen);
            p.setBrush(ChannelColour(c));
            p.drawRoundedRect(QRectF(s).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
            f.setPixelSize(12);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(s, Qt::AlignCenter, letter);
            continue;
        }
        p.setPen(QPen(QColor(180, 180, 180), 1));
        p.setBrush(marked ? ChannelColour(c) : QColor(12, 14, 17));
        p.drawRect(QRectF(s).adjusted(0.5, 0.5, -0.5, -0.5));
        f.setPixelSize(10);
        p.setFont(f);
        p.setPen(ChannelColour(c));
        p.drawText(QRect(s.left() - 1, s.bottom() + 2, kBoxSize + 2, 12), Qt::AlignCenter, letter);
    }
}

void ChannelStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (m_kind == Kind::LinkIndicator) {
        emit clicked();
        return;
    }
    const QPoint at = event->position().toPoint();
    for (int c = 0; c < kOutputCount; ++c)
        if (slot(c).contains(at))
            emit channelClicked(c);
}

} // namespace mqx
