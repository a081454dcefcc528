#include "graphs/level_meter_strip.h"

#include "graphs/fitted_text.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <array>

namespace mqx {

namespace {

const QColor kPanel(34, 38, 44);
const QColor kWell(8, 10, 12);
const QColor kCaption(214, 218, 224);
const QColor kScale(168, 174, 182);
const QColor kTick(96, 104, 114);
const QColor kDimGreen(0, 62, 0);
const QColor kDimGreenDark(0, 34, 0);
const QColor kDimRed(86, 0, 0);

constexpr int kInputCount = 2;
constexpr int kOutputCount = 6;
constexpr int kCaptionTop = 1;
constexpr int kCaptionHeight = 12;
constexpr int kNumberTop = 93;

// One mark of a scale: the row it sits on and its text. The meter values are read as
// decibels below the unit's clip point, one value a decibel, with 90 at clip; the Coarse
// lamp thresholds (90, 84, 80, 70, 50) land on the usual 0/-6/-10/-20/-40 marks that way.
struct ScaleMark {
    int y;
    const char* text;
};

int fineMarkRow(int m) {
    return kFineBarBottom - FineBarHeight(m);
}

// Marks at least 12 rows apart, so that legible text fits between them; the clip lamp
// speaks for itself in Fine mode, where a mark of its own would crowd the lamp captions.
std::array<ScaleMark, 4> fineMarks() {
    return {{{fineMarkRow(84), "-6"},
             {fineMarkRow(70), "-20"},
             {fineMarkRow(50), "-40"},
             {fineMarkRow(30), "-60"}}};
}

std::array<ScaleMark, kCoarseLampCount> coarseMarks() {
    constexpr std::array<const char*, kCoarseLampCount> texts = {"CLIP", "-6", "-10", "-20", "-40"};
    std::array<ScaleMark, kCoarseLampCount> marks{};
    for (int k = 0; k < kCoarseLampCount; ++k)
        marks[static_cast<std::size_t>(k)] = {CoarseLampRect(0, k).center().y(),
                                              texts[static_cast<std::size_t>(k)]};
    return marks;
}

// Text centred vertically on row y, inside [left, right).
void rowText(QPainter& p, int left, int right, int y, Qt::Alignment horizontal,
             const QString& text) {
    DrawFittedText(p, QRect(left, y - 6, right - left, 13), horizontal | Qt::AlignVCenter, text);
}

void paintWells(QPainter& p, int mode) {
    for (int ch = 0; ch < kInputCount + kOutputCount; ++ch) {
        const bool input = ch < kInputCount;
        const int x0 = MeterColumnX(input ? MeterKind::Input : MeterKind::Output,
                                    input ? ch : ch - kInputCount, mode);
        // A dark frame one pixel round every lamp, so that a black lamp still reads as one.
        const QRect dynamics = DynamicsLampRect(x0);
        p.fillRect(dynamics.adjusted(-1, -1, 1, 1), kWell);
        if (mode == kMeterModeCoarse) {
            const QRect top = CoarseLampRect(x0, 0);
            const QRect bottom = CoarseLampRect(x0, kCoarseLampCount - 1);
            p.fillRect(QRect(top.topLeft(), bottom.bottomRight()).adjusted(-1, -2, 1, 2), kWell);
            for (int k = 0; k < kCoarseLampCount; ++k)
                p.fillRect(CoarseLampRect(x0, k), k == 0 ? kDimRed : kDimGreen);
        } else {
            const QRect clip = FineClipRect(x0);
            const QRect bar = FineBarRect(x0, kFineBarMaximum);
            p.fillRect(QRect(clip.topLeft(), bar.bottomRight()).adjusted(-1, -1, 1, 1), kWell);
            p.fillRect(clip, kDimRed);
            // Unlit segments, two rows each, so the travel of the bar can be seen at rest.
            for (int y = bar.top(); y <= bar.bottom(); y += 2) {
                p.fillRect(QRect(x0, y, kMeterColumnWidth, 1), kDimGreen);
                p.fillRect(QRect(x0, y + 1, kMeterColumnWidth, 1), kDimGreenDark);
            }
        }
    }
}

void paintScale(QPainter& p, int left, int right, Qt::Alignment horizontal, int mode) {
    auto draw = [&](int y, const char* text) {
        p.setPen(kTick);
        if (horizontal == Qt::AlignRight) {
            p.drawLine(right + 1, y, right + 2, y);
        } else {
            p.drawLine(left - 2, y, left - 1, y);
            p.drawLine(right, y, right + 1, y);
        }
        p.setPen(kScale);
        rowText(p, left, right, y, horizontal, QString::fromLatin1(text));
    };
    if (mode == kMeterModeCoarse) {
        for (const ScaleMark& mark : coarseMarks())
            draw(mark.y, mark.text);
    } else {
        for (const ScaleMark& mark : fineMarks())
            draw(mark.y, mark.text);
    }
}

QImage paintBackground(const QFont& base, int mode, qreal dpr) {
    QImage image(QSize(LevelMeterStrip::kWidth, LevelMeterStrip::kHeight) * dpr,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(kPanel);
    QPainter p(&image);
    paintWells(p, mode);

    const int in0 = MeterColumnX(MeterKind::Input, 0, mode);
    const int in1 = MeterColumnX(MeterKind::Input, 1, mode);
    const int out0 = MeterColumnX(MeterKind::Output, 0, mode);
    const int out5 = MeterColumnX(MeterKind::Output, kOutputCount - 1, mode);
    const int dynamicsRow = DynamicsLampRect(0).center().y();
    const int inGapLeft = in0 + kMeterColumnWidth + 3;
    const int inGapRight = in1 - 3;
    const int outGapLeft = in1 + kMeterColumnWidth + 3;
    const int outGapRight = out0 - 5;

    p.setFont(ArtworkFont(base, 11, true));
    p.setPen(kCaption);
    p.drawText(QRect(in0 - 3, kCaptionTop, in1 - in0 + kMeterColumnWidth + 6, kCaptionHeight),
               Qt::AlignCenter, QStringLiteral("INPUT"));
    p.drawText(QRect(out0 - 3, kCaptionTop, out5 - out0 + kMeterColumnWidth + 6, kCaptionHeight),
               Qt::AlignCenter, QStringLiteral("OUTPUT"));

    p.setFont(ArtworkFont(base, 11, false));
    rowText(p, inGapLeft, inGapRight, dynamicsRow, Qt::AlignHCenter, QStringLiteral("COMP"));
    rowText(p, outGapLeft, outGapRight, dynamicsRow, Qt::AlignRight, QStringLiteral("LIMIT"));

    p.setFont(ArtworkFont(base, 11, false));
    paintScale(p, inGapLeft, inGapRight, Qt::AlignHCenter, mode);
    paintScale(p, outGapLeft, outGapRight, Qt::AlignRight, mode);
    p.setPen(kScale);
    p.drawText(QRect(outGapLeft, kNumberTop, outGapRight - outGapLeft, 12),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("dB"));

    p.setFont(ArtworkFont(base, 11, true));
    p.setPen(kCaption);
    for (int ch = 0; ch < kInputCount + kOutputCount; ++ch) {
        const bool input = ch < kInputCount;
        const int number = input ? ch : ch - kInputCount;
        const int x0 = MeterColumnX(input ? MeterKind::Input : MeterKind::Output, number, mode);
        p.drawText(QRect(x0 - 6, kNumberTop, kMeterColumnWidth + 12, 12), Qt::AlignCenter,
                   QString::number(number + 1));
    }
    return image;
}

} // namespace

LevelMeterStrip::LevelMeterStrip(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    // Every pixel is painted from the off-screen picture; nothing shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LevelMeterStrip::setMode(int mode) {
    const int checked = mode == kMeterModeCoarse ? kMeterModeCoarse : kMeterModeFine;
    if (checked == m_mode)
        return;
    m_mode = checked;
    update();
}

void LevelMeterStrip::setLevels(const MeterLevels& levels) {
    m_levels = levels;
    update();
}

QSize LevelMeterStrip::sizeHint() const {
    return {kWidth, kHeight};
}

const QImage& LevelMeterStrip::background(qreal devicePixelRatio) const {
    if (m_backgroundMode != m_mode || m_background.devicePixelRatio() != devicePixelRatio) {
        m_background = paintBackground(font(), m_mode, devicePixelRatio);
        m_backgroundMode = m_mode;
    }
    return m_background;
}

QImage LevelMeterStrip::picture(qreal devicePixelRatio) const {
    QImage image = background(devicePixelRatio).copy();
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    for (const MeterFill& fill : MeterStripFills(m_levels, m_mode))
        p.fillRect(fill.rect, QColor(fill.colour.red, fill.colour.green, fill.colour.blue));
    return image;
}

void LevelMeterStrip::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        m_backgroundMode = -1;
    QWidget::changeEvent(event);
}

void LevelMeterStrip::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), picture(devicePixelRatio()));
}

} // namespace mqx
