#include "pages/compressor_page.h"

#include "graphs/fitted_text.h"
#include "pages/entry_box.h"
#include "pages/fader.h"
#include "pages/page_artwork.h"
#include "pages/reduction_bar.h"
#include "pages/spin_buttons.h"
#include "pages/transfer_curve_view.h"
#include "program/value_scales.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace mqx {

// A column's lamp: green while the link mode uses the column, red while it does not.
class ColumnLamp : public QWidget {
public:
    explicit ColumnLamp(QWidget* parent) : QWidget(parent) { setFixedSize(18, 18); }
    void setValid(bool valid) {
        if (valid != m_valid) {
            m_valid = valid;
            update();
        }
    }
    bool isValid() const { return m_valid; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PaintLamp(p, QRectF(rect()).adjusted(1, 1, -1, -1),
                  m_valid ? QColor(40, 200, 60) : QColor(220, 40, 30), true);
    }

private:
    bool m_valid = true;
};

namespace {

constexpr QSize kPageSize(690, 324);
constexpr int kColumnLeft = 12;
constexpr int kColumnWidth = 190;
constexpr int kCaptionWidth = 64;
constexpr int kBoxWidth = 98;
constexpr int kRowHeight = 22;
constexpr QPoint kGraphAt(392, 8);
constexpr int kGainBoxTop = 284;
constexpr int kGainBoxWidth = 52;

constexpr std::array<CompField, kCompFieldCount> kFields = {
    CompField::Attack,   CompField::Release, CompField::Threshold, CompField::Ratio,
    CompField::SideFreq, CompField::SideQ,   CompField::SideLevel,
};
constexpr std::array<const char*, kCompFieldCount> kCaptions = {
    "Attack", "Release", "Threshold", "Ratio", "Freq", "Q(BW)", "Level",
};
// Rows of the column: the four compressor boxes, then the Side EQ under its type list.
constexpr std::array<int, kCompFieldCount> kRowTops = {100, 124, 148, 172, 246, 270, 294};
constexpr int kTypeTop = 222;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}
std::size_t slot(CompField f) {
    return static_cast<std::size_t>(f);
}
QFont boxFont(const QFont& base) {
    QFont f = base;
    f.setPixelSize(11);
    f.setStretch(QFont::SemiCondensed);
    return f;
}

QLabel* caption(const QString& text, const QRect& where, QWidget* parent,
                Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(where);
    label->setAlignment(align);
    return label;
}

} // namespace

CompressorPage::CompressorPage(Session& session, ParameterEditSink& sink, Prompts& prompts,
                               TimerSource& timers, QWidget* parent)
    : QWidget(parent), m_editor(session, sink, prompts, timers) {
    build();
    m_editor.setChangedCallback([this] { refresh(); });
    refresh();
}

void CompressorPage::build() {
    setFixedSize(kPageSize);
    caption(QStringLiteral("Link Mode"), QRect(kColumnLeft, 8, 70, 24), this);
    m_linkList = new QComboBox(this);
    m_linkList->addItems({QStringLiteral("INDIVIDUAL"), QStringLiteral("LINK(STEREO)"),
                          QStringLiteral("LINK(IN-1)"), QStringLiteral("LINK(IN-2)")});
    m_linkList->setGeometry(kColumnLeft + 72, 8, 140, 24);
    m_linkList->installEventFilter(this);
    connect(m_linkList, &QComboBox::activated, this, [this](int mode) {
        m_editor.setLinkMode(mode);
        refresh();
    });

    for (int ch = 0; ch < 2; ++ch)
        buildColumn(ch);

    m_graph = new TransferCurveView(this);
    m_graph->move(kGraphAt);
    const int barsTop = kGraphAt.y() + m_graph->height() + 6;
    caption(QStringLiteral("Gain"), QRect(kGraphAt.x(), barsTop, 30, 18), this);
    caption(QStringLiteral("Reduction"), QRect(kGraphAt.x() + 32, barsTop, 80, 18), this);
    for (int ch = 0; ch < 2; ++ch) {
        const int top = barsTop + 22 + ch * 20;
        caption(ch == 0 ? QStringLiteral("IN-1") : QStringLiteral("IN-2"),
                QRect(kGraphAt.x(), top - 3, 34, 16), this);
        auto* bar = new ReductionBar(this);
        bar->move(kGraphAt.x() + 36, top);
        bar->setAccessibleName(QStringLiteral("Reduction"));
        m_columns[at(ch)].bar = bar;
    }

    for (int ch = 0; ch < 2; ++ch)
        buildFader(ch);
    caption(QStringLiteral("Gain Make"),
            QRect(CompressorLayout::gainTrackLeft(0) - 84, kGainBoxTop, 66, 20), this,
            Qt::AlignRight | Qt::AlignVCenter);

    // Reading order: the link mode, the IN-1 column from the top, the IN-2 column, then
    // each make-up fader with its box.
    QWidget* previous = m_linkList;
    const auto chain = [&previous, this](QWidget* next) {
        setTabOrder(previous, next);
        previous = next;
    };
    for (const Column& c : m_columns) {
        chain(c.on);
        for (CompField f :
             {CompField::Attack, CompField::Release, CompField::Threshold, CompField::Ratio})
            chain(c.boxes[slot(f)]);
        chain(c.type);
        for (CompField f : {CompField::SideFreq, CompField::SideQ, CompField::SideLevel})
            chain(c.boxes[slot(f)]);
    }
    for (const Column& c : m_columns) {
        chain(c.fader);
        chain(c.gainBox);
    }
}

void CompressorPage::buildColumn(int ch) {
    Column& c = m_columns[at(ch)];
    const int left = kColumnLeft + ch * kColumnWidth;
    const QFont small = boxFont(font());

    auto* tile = new QLabel(this);
    tile->setPixmap(InputNumberTile(ch));
    tile->setGeometry(left, 40, 24, 24);
    caption(ch == 0 ? QStringLiteral("IN-1") : QStringLiteral("IN-2"), QRect(left + 30, 40, 40, 24),
            this);
    c.lamp = new ColumnLamp(this);
    c.lamp->move(left + 72, 43);

    caption(QStringLiteral("ON/OFF"), QRect(left, 70, kCaptionWidth, 24), this);
    c.on = new QPushButton(this);
    c.on->setCheckable(true);
    c.on->setGeometry(left + kCaptionWidth + 2, 70, 56, 24);
    c.on->installEventFilter(this);
    connect(c.on, &QPushButton::clicked, this, [this, ch](bool checked) {
        m_editor.setOn(ch, checked);
        refresh();
    });

    caption(QStringLiteral("Side EQ"), QRect(left, 200, 120, 20), this);
    caption(QStringLiteral("Type"), QRect(left, kTypeTop, kCaptionWidth, kRowHeight), this);
    c.type = new QComboBox(this);
    c.type->addItems({QStringLiteral("Off"), QStringLiteral("Peaking"), QStringLiteral("Bandpass"),
                      QStringLiteral("Hi-Shelf"), QStringLiteral("Lo-Shelf"),
                      QStringLiteral("Notch")});
    c.type->setGeometry(left + kCaptionWidth + 2, kTypeTop, kBoxWidth + 17, kRowHeight);
    c.type->installEventFilter(this);
    connect(c.type, &QComboBox::activated, this, [this, ch](int type) {
        m_editor.selectType(ch, type);
        refresh();
    });

    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const CompField f = kFields[i];
        const int top = kRowTops[i];
        c.captions[i] = caption(QString::fromLatin1(kCaptions[i]),
                                QRect(left, top, kCaptionWidth, kRowHeight), this);
        auto* box = new EntryBox(this);
        box->setFont(small);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setGeometry(left + kCaptionWidth + 2, top, kBoxWidth, kRowHeight);
        box->installEventFilter(this);
        c.boxes[i] = box;
        auto* spins = new SpinButtons(this);
        spins->move(left + kCaptionWidth + 2 + kBoxWidth + 1, top);
        spins->upButton()->installEventFilter(this);
        spins->downButton()->installEventFilter(this);
        c.spins[i] = spins;
        connect(spins, &SpinButtons::stepped, this,
                [this, ch, f](bool up) { step(ch, f, up ? 1 : -1); });
        connect(box, &EntryBox::stepped, this, [this, ch, f](int steps) { step(ch, f, steps); });
        connect(box, &EntryBox::commitRequested, this, [this, ch, f] { commit(ch, f); });
    }
}

void CompressorPage::buildFader(int ch) {
    Column& c = m_columns[at(ch)];
    const FaderGeometry g = MakeUpGainFader();
    const int left = CompressorLayout::gainTrackLeft(ch);
    c.fader = new Fader(g, this);
    c.fader->move(left, CompressorLayout::kGainTrackTop);
    c.fader->setAccessibleName(ch == 0 ? QStringLiteral("Gain Make IN-1")
                                       : QStringLiteral("Gain Make IN-2"));
    c.gainBox = new EntryBox(this);
    c.gainBox->setFont(boxFont(font()));
    c.gainBox->setAlignment(Qt::AlignCenter);
    c.gainBox->setTextMargins(0, 0, 0, 0);
    c.gainBox->setGeometry(left + g.trackWidth / 2 - kGainBoxWidth / 2, kGainBoxTop, kGainBoxWidth,
                           20);
    c.gainBox->installEventFilter(this);
    caption(ch == 0 ? QStringLiteral("IN-1") : QStringLiteral("IN-2"),
            QRect(c.gainBox->x(), kGainBoxTop + 21, kGainBoxWidth, 18), this, Qt::AlignCenter);
    const auto stepGain = [this, ch](int steps) {
        m_editor.stepGain(ch, steps);
        refresh();
        if (m_columns[at(ch)].gainBox->hasFocus())
            m_columns[at(ch)].gainBox->selectAll();
    };
    connect(c.fader, &Fader::stepped, this, stepGain);
    connect(c.gainBox, &EntryBox::stepped, this, stepGain);
    connect(c.gainBox, &EntryBox::commitRequested, this, [this, ch] { commitGain(ch); });
}

void CompressorPage::refresh() {
    const bool peqMode = !m_editor.geqMode();
    m_linkList->setCurrentIndex(m_editor.linkMode() <= CompLinkIn2 ? m_editor.linkMode() : -1);
    m_linkList->setFocusPolicy(peqMode ? Qt::StrongFocus : Qt::ClickFocus);
    std::array<TransferCurveView::Curve, 2> curves{};
    for (int ch = 0; ch < 2; ++ch) {
        Column& c = m_columns[at(ch)];
        const bool usable = peqMode && m_editor.columnValid(ch);
        // A column the unit does not use is left out of the Tab chain; a click on it
        // still tells why it refuses.
        const Qt::FocusPolicy policy = usable ? Qt::StrongFocus : Qt::ClickFocus;
        c.lamp->setValid(m_editor.columnValid(ch));
        c.on->setChecked(m_editor.isOn(ch));
        c.on->setText(m_editor.isOn(ch) ? QStringLiteral("ON") : QStringLiteral("OFF"));
        c.on->setFocusPolicy(policy);
        c.type->setCurrentIndex(m_editor.sideType(ch) < 6 ? m_editor.sideType(ch) : -1);
        c.type->setFocusPolicy(policy);
        for (CompField f : kFields) {
            const bool used = m_editor.fieldUsed(ch, f);
            c.boxes[slot(f)]->setEnabled(used);
            c.boxes[slot(f)]->setFocusPolicy(policy);
            c.spins[slot(f)]->setEnabled(used);
            c.captions[slot(f)]->setEnabled(used);
            showField(ch, f);
        }
        c.fader->setKnobTop(m_editor.gainKnobTop(ch) - CompressorLayout::kGainTrackTop);
        c.fader->setFocusPolicy(peqMode ? Qt::StrongFocus : Qt::ClickFocus);
        c.gainBox->setFocusPolicy(peqMode ? Qt::StrongFocus : Qt::ClickFocus);
        if (!(c.gainBox->hasFocus() && c.gainBox->isModified()))
            c.gainBox->setText(m_editor.gainText(ch));
        curves[at(ch)] = {m_editor.columnValid(ch), m_editor.value(ch, CompField::Threshold),
                          m_editor.value(ch, CompField::Ratio), m_editor.gain(ch)};
    }
    m_graph->setCurves(curves);
    metersChanged();
}

void CompressorPage::showField(int ch, CompField f) {
    EntryBox* box = m_columns[at(ch)].boxes[slot(f)];
    // Text being typed stays until the box is left.
    if (!(box->hasFocus() && box->isModified()))
        box->setText(m_editor.fieldText(ch, f));
}

void CompressorPage::step(int ch, CompField f, int steps) {
    EntryBox* box = m_columns[at(ch)].boxes[slot(f)];
    box->setModified(false); // a step replaces whatever was typed
    m_editor.stepField(ch, f, steps);
    refresh();
    if (box->hasFocus())
        box->selectAll();
}

void CompressorPage::commit(int ch, CompField f) {
    EntryBox* box = m_columns[at(ch)].boxes[slot(f)];
    if (!box->isModified())
        return;
    const QString typed = box->text();
    box->setModified(false);
    box->setText(m_editor.fieldText(ch, f));
    m_lastEdited = box;
    if (!m_editor.commitText(ch, f, typed)) {
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    refresh();
}

void CompressorPage::commitGain(int ch) {
    EntryBox* box = m_columns[at(ch)].gainBox;
    if (!box->isModified())
        return;
    const QString typed = box->text();
    box->setModified(false);
    box->setText(m_editor.gainText(ch));
    m_lastEdited = box;
    if (!m_editor.commitGainText(ch, typed)) {
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    refresh();
}

int CompressorPage::columnOf(const QObject* control) const {
    for (int ch = 0; ch < 2; ++ch) {
        const Column& c = m_columns[at(ch)];
        if (control == c.on || control == c.type)
            return ch;
        for (std::size_t i = 0; i < kFields.size(); ++i)
            if (control == c.boxes[i] || control == c.spins[i]->upButton() ||
                control == c.spins[i]->downButton())
                return ch;
    }
    return -1;
}

// Every press on a control first passes the guards: in GEQ mode nothing on the page takes
// a press, and a column the link mode leaves unused takes none either (but its make-up
// fader and box). A refused press goes nowhere and the focus moves off the column.
bool CompressorPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        const int ch = columnOf(watched);
        const bool allowed = ch >= 0 ? m_editor.checkColumn(ch) : m_editor.checkMode();
        if (!allowed) {
            setFocus(Qt::OtherFocusReason);
            refresh();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool CompressorPage::lampShowsValid(int ch) const {
    return column(ch).lamp->isValid();
}

EntryBox* CompressorPage::box(int ch, CompField field) const {
    return column(ch).boxes[slot(field)];
}
SpinButtons* CompressorPage::arrows(int ch, CompField field) const {
    return column(ch).spins[slot(field)];
}

void CompressorPage::metersChanged() {
    for (int ch = 0; ch < 2; ++ch)
        m_columns[at(ch)].bar->setMeter(m_editor.barReduction(ch));
}

QSize CompressorPage::sizeHint() const {
    return kPageSize;
}
QSize CompressorPage::minimumSizeHint() const {
    return kPageSize;
}

// The make-up faders' decibel marks, between the two tracks: every 10 dB from +30 down to
// -80, and -Inf at the bottom.
void CompressorPage::paintEvent(QPaintEvent*) {
    const qreal dpr = devicePixelRatio();
    const int left = CompressorLayout::gainTrackLeft(0) + MakeUpGainFader().trackWidth;
    const QRect area(left, 0, CompressorLayout::kGainTrackGap, kGainBoxTop);
    if (m_scale.isNull() || m_scale.devicePixelRatio() != dpr) {
        m_scale = QImage(area.size() * dpr, QImage::Format_ARGB32_Premultiplied);
        m_scale.setDevicePixelRatio(dpr);
        m_scale.fill(Qt::transparent);
        QPainter p(&m_scale);
        p.setFont(ArtworkFont(font(), 11, false));
        p.setPen(palette().color(QPalette::WindowText));
        const FaderGeometry g = MakeUpGainFader();
        const auto mark = [&](int step, const QString& text) {
            const int y = CompressorLayout::kGainTrackTop + KnobTopOf(g, step) + g.knobHeight / 2;
            DrawFittedText(p, QRectF(0, y - 6, area.width(), 13), Qt::AlignCenter, text);
        };
        for (int db = 30; db >= -80; db -= 10)
            mark(181 + 2 * db, db > 0 ? QStringLiteral("+%1").arg(db) : QString::number(db));
        mark(0, QStringLiteral("-Inf"));
    }
    QPainter p(this);
    p.drawImage(area.topLeft(), m_scale);
}

void CompressorPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (!m_editor.press(at.x(), at.y()))
        setFocus(Qt::MouseFocusReason);
    refresh();
}

void CompressorPage::mouseMoveEvent(QMouseEvent* event) {
    if (!m_editor.isTracking())
        return;
    const QPoint at = event->position().toPoint();
    m_editor.move(at.x(), at.y());
}

// The page holds the pointer from the press on, so a release anywhere ends the drag.
void CompressorPage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_editor.release();
    refresh();
}

void CompressorPage::showPage() {
    refresh();
}

void CompressorPage::leavePage() {
    m_editor.release();
    const QWidget* focused = focusWidget();
    for (int ch = 0; ch < 2; ++ch) {
        const Column& c = m_columns[at(ch)];
        if (focused == c.gainBox)
            commitGain(ch);
        for (CompField f : kFields)
            if (focused == c.boxes[slot(f)])
                commit(ch, f);
    }
}

void CompressorPage::focusLastEdited() {
    if (m_lastEdited != nullptr)
        m_lastEdited->setFocus(Qt::OtherFocusReason);
}

} // namespace mqx
