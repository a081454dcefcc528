#include "pages/geq_editor.h"

#include "core/prompts.h"
#include "core/session.h"
#include "program/value_scales.h"

#include <algorithm>

namespace mqx {
namespace {

constexpr char kModeTitle[] = "EQ Mode Warning";
constexpr char kPeqModeText[] = "Now PEQ+Compressor mode.";
constexpr int kBandEntryKind = 0;
constexpr int kBandScale = 5; // EqGainDb
constexpr int kLevelEntryKind = 10;
constexpr int kLevelScale = 1; // LevelDb

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

int GeqLayout::curveBandAt(int x) {
    const int width = GeqBandFader().trackWidth;
    int band = 0;
    for (int b = 0; b < kGeqBands; ++b)
        if (bandTrackLeft(b) + width - 4 < x)
            ++band;
    return std::min(band, kGeqBands - 1);
}

GeqEditor::GeqEditor(Session& session, ParameterEditSink& sink, Prompts& prompts,
                     TimerSource& timers, int channel)
    : m_session(session), m_edits(session, sink), m_prompts(prompts),
      m_channel(std::clamp(channel, 0, kInputCount - 1)),
      m_levelDrag(
          timers, GeqLayout::kLevelTrackLeft, GeqLayout::kLevelTrackTop, [this] { return level(); },
          [this](int value) { storeLevel(value); },
          [this] {
              if (m_changed)
                  m_changed();
          }),
      m_timers(timers.createTimers(*this)) {}

GeqEditor::~GeqEditor() = default;

bool GeqEditor::geqMode() const {
    return m_session.CurrentRecord().eq_mode == 0;
}
bool GeqEditor::isLinked() const {
    return m_session.CurrentRecord().geq_link == 1;
}
bool GeqEditor::isOn() const {
    return m_session.CurrentRecord().geq_on[at(m_channel)] == 1;
}
int GeqEditor::band(int b) const {
    return m_session.CurrentRecord().geq_level[at(b)][at(m_channel)];
}
int GeqEditor::signalMeter() const {
    return m_session.meterLevels.geqMeter[at(m_channel)];
}
int GeqEditor::level() const {
    return m_session.CurrentRecord().geq_gain[at(m_channel)];
}
QString GeqEditor::bandText(int b) const {
    return QLatin1Char(' ') + StepText(Scale::EqGainDb, band(b));
}
QString GeqEditor::levelText() const {
    return QLatin1Char(' ') + StepText(Scale::LevelDb, level()) + QStringLiteral("dB");
}
int GeqEditor::bandKnobTop(int b) const {
    return GeqLayout::kBandTrackTop + KnobTopOf(m_band, band(b));
}
int GeqEditor::levelKnobTop() const {
    return m_levelDrag.knobTop();
}

bool GeqEditor::checkMode() const {
    if (geqMode())
        return true;
    refuse();
    return false;
}

void GeqEditor::refuse() const {
    m_prompts.message(QString::fromLatin1(kModeTitle), QString::fromLatin1(kPeqModeText),
                      PromptIcon::Exclamation);
}

QByteArray GeqEditor::channelCode(const char* code) const {
    return QByteArray(code) + (isLinked() ? '0' : static_cast<char>('1' + m_channel));
}

std::uint8_t& GeqEditor::bandByte(int b, int ch) {
    return m_session.CurrentRecord().geq_level[at(b)][at(ch)];
}

void GeqEditor::storeBand(int b, int value) {
    const int old = band(b);
    bandByte(b, m_channel) = static_cast<std::uint8_t>(value);
    if (isLinked())
        bandByte(b, 1 - m_channel) = static_cast<std::uint8_t>(value);
    if (value != old)
        m_edits.send(channelCode("012") + EditDigits(b, 2), value);
}

void GeqEditor::storeLevel(int value) {
    ProgramRecord& r = m_session.CurrentRecord();
    const int old = level();
    r.geq_gain[at(m_channel)] = static_cast<std::uint8_t>(value);
    if (isLinked())
        r.geq_gain[at(1 - m_channel)] = static_cast<std::uint8_t>(value);
    if (value != old)
        m_edits.send(channelCode("013"), value);
}

void GeqEditor::setOn(bool on) {
    if (!checkMode())
        return;
    ProgramRecord& r = m_session.CurrentRecord();
    const auto v = static_cast<std::uint8_t>(on ? 1 : 0);
    r.geq_on[at(m_channel)] = v;
    if (isLinked())
        r.geq_on[at(1 - m_channel)] = v;
    m_edits.send(channelCode("014"), v);
}

void GeqEditor::moveBandTo(int b, int top) {
    storeBand(b, StepOfKnobTop(m_band, ClampKnobTop(m_band, top - GeqLayout::kBandTrackTop)));
}

bool GeqEditor::onBandTrack(int b, int x, int y) const {
    const int left = GeqLayout::bandTrackLeft(b);
    return x >= left && x < left + m_band.trackWidth && y >= GeqLayout::kBandTrackTop &&
           y < GeqLayout::kBandTrackTop + m_band.trackHeight;
}

void GeqEditor::selectBand(int b) {
    if (b >= 0 && b < kGeqBands)
        m_selected = b;
}

bool GeqEditor::press(int x, int y, bool ctrl) {
    if (!checkMode())
        return false;
    m_pointerX = x;
    m_pointerY = y;
    m_outside = false;
    for (int b = 0; b < kGeqBands; ++b) {
        if (!onBandTrack(b, x, y))
            continue;
        selectBand(b);
        const int knobTop = bandKnobTop(b);
        const bool onKnob = y >= knobTop && y < knobTop + m_band.knobHeight;
        if (ctrl) {
            m_mode = Mode::Curve;
            m_curveY = y;
        } else if (onKnob) {
            m_mode = Mode::BandKnob;
            m_offset = y - (knobTop + m_band.knobHeight / 2);
        } else {
            m_mode = Mode::BandPage;
            pageBand();
            m_timers->start(BandDelay, kDelayMs);
        }
        return true;
    }
    return m_levelDrag.press(x, y);
}

bool GeqEditor::doubleClick(int x, int y, bool ctrl) {
    if (!checkMode())
        return false;
    // A double click on a knob with Ctrl held would start a curve of one point.
    for (int b = 0; b < kGeqBands; ++b) {
        const int knobTop = bandKnobTop(b);
        if (ctrl && onBandTrack(b, x, y) && y >= knobTop && y < knobTop + m_band.knobHeight)
            return false;
    }
    return press(x, y, ctrl);
}

void GeqEditor::pageBand() {
    // Paging lands on the two-pixel grid, so the pointer is taken on it too.
    const int y = m_pointerY + (m_pointerY & 1);
    const int top = bandKnobTop(m_selected) - GeqLayout::kBandTrackTop;
    moveBandTo(m_selected,
               GeqLayout::kBandTrackTop + PageTop(m_band, top, y - GeqLayout::kBandTrackTop));
}

void GeqEditor::move(int x, int y) {
    m_pointerX = x;
    m_pointerY = y;
    if (m_levelDrag.isTracking()) {
        m_levelDrag.move(x, y);
        if (m_changed)
            m_changed();
        return;
    }
    switch (m_mode) {
    case Mode::None:
        return;
    case Mode::BandKnob:
        moveBandTo(m_selected, y - m_offset - m_band.knobHeight / 2);
        break;
    case Mode::BandPage:
        m_outside = !onBandTrack(m_selected, x, y);
        return;
    case Mode::Curve: {
        const int under = GeqLayout::curveBandAt(x);
        if (under == m_selected) {
            m_curveY = y;
        } else if (under > m_selected) {
            const int slope = (y - m_curveY) / (under - m_selected);
            for (int b = m_selected; b < under; ++b) {
                const int pointY = m_curveY + slope * (b - m_selected);
                moveBandTo(b, pointY - m_band.knobHeight / 2);
            }
            m_selected = under;
            // The next stretch starts where this one ended, so a drag draws one curve
            // through the pointer's path rather than steps at the first point's height.
            m_curveY = y;
        } else {
            m_selected = under;
        }
        break;
    }
    }
    if (m_changed)
        m_changed();
}

void GeqEditor::release() {
    m_mode = Mode::None;
    m_levelDrag.release();
    for (int id : {BandDelay, BandRepeat})
        m_timers->stop(id);
}

void GeqEditor::onTimer(int id) {
    switch (id) {
    case BandDelay:
        m_timers->stop(id);
        m_timers->start(id + 1, kRepeatMs);
        return;
    case BandRepeat:
        if (m_mode != Mode::BandPage || m_outside)
            return;
        pageBand();
        break;
    default:
        return;
    }
    if (m_changed)
        m_changed();
}

void GeqEditor::stepBand(int b, int steps) {
    if (b < 0 || b >= kGeqBands || !checkMode())
        return;
    selectBand(b);
    const int top = bandKnobTop(b) - GeqLayout::kBandTrackTop;
    storeBand(b, StepOfKnobTop(m_band, StepTop(m_band, top, steps)));
}

void GeqEditor::stepLevel(int steps) {
    if (!checkMode())
        return;
    m_levelDrag.step(steps);
}

bool GeqEditor::commitBandText(int b, QStringView text) {
    if (b < 0 || b >= kGeqBands || !checkMode())
        return false;
    if (!IsValidEntry(text, kBandEntryKind)) {
        release();
        m_prompts.message(QString::fromLatin1(kApplicationTitle),
                          QString::fromLatin1(kEnterNumberMessage), PromptIcon::Exclamation);
        return false;
    }
    storeBand(b, TextToStep(text, kBandScale, m_band.lowestStep, m_band.highestStep));
    if (m_selected == b)
        m_selected = -1;
    return true;
}

bool GeqEditor::commitLevelText(QStringView text) {
    if (!checkMode())
        return false;
    if (!IsValidEntry(text, kLevelEntryKind)) {
        release();
        m_prompts.message(QString::fromLatin1(kApplicationTitle),
                          QString::fromLatin1(kEnterNumberMessage), PromptIcon::Exclamation);
        return false;
    }
    storeLevel(TextToStep(text, kLevelScale, m_levelDrag.geometry().lowestStep,
                          m_levelDrag.geometry().highestStep));
    return true;
}

} // namespace mqx
