#include "pages/peq_editor.h"

#include "core/prompts.h"
#include "core/session.h"
#include "graphs/band_response.h"
#include "program/value_scales.h"

#include <algorithm>
#include <cstdlib>

namespace mqx {
namespace {

constexpr char kModeTitle[] = "EQ Mode Warning";
constexpr char kGeqModeText[] = "Now GEQ mode.";

constexpr int kLastQ = 72;
constexpr int kLastLevel = 48;

struct BoxScale {
    const char* code;
    int entryKind;
    int scaleNumber; // of TextToStep
    Scale scale;
    const char* unit;
};
constexpr BoxScale kFrequencyBox{"022", 3, 3, Scale::FrequencyHz, "Hz"};
constexpr BoxScale kQBox{"024", 6, 4, Scale::QBandwidth, ""};
constexpr BoxScale kLevelBox{"023", 2, 5, Scale::EqGainDb, "dB"};
constexpr int kOutputEntryKind = 10;
constexpr int kOutputScaleNumber = 1;

const BoxScale& scaleOf(PeqBox box) {
    switch (box) {
    case PeqBox::Frequency:
        return kFrequencyBox;
    case PeqBox::Q:
        return kQBox;
    case PeqBox::Level:
        break;
    }
    return kLevelBox;
}

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

PeqEnabling PeqEnablingOf(int type) {
    if (type < 0)
        return {};
    const EqFieldsUsed used = FieldsUsedBy(type);
    return {true, used.frequency, used.q, used.level};
}

PeqEditor::PeqEditor(Session& session, ParameterEditSink& sink, Prompts& prompts,
                     TimerSource& timers, int channel)
    : m_session(session), m_edits(session, sink), m_prompts(prompts),
      m_channel(std::clamp(channel, 0, kInputCount - 1)),
      m_levelDrag(
          timers, PeqLayout::kLevelTrackLeft, PeqLayout::kLevelTrackTop, [this] { return level(); },
          [this](int value) { storeLevel(value); },
          [this] {
              if (m_changed)
                  m_changed();
          }) {}

const ProgramRecord& PeqEditor::record() const {
    return m_session.CurrentRecord();
}
bool PeqEditor::peqMode() const {
    return m_session.CurrentRecord().eq_mode != 0;
}
bool PeqEditor::isLinked() const {
    return m_session.CurrentRecord().peq_link == 1;
}
bool PeqEditor::isOn() const {
    return m_session.CurrentRecord().peq_on[at(m_channel)] == 1;
}
const EqBand& PeqEditor::band(int b) const {
    return m_session.CurrentRecord().peq_band[at(std::clamp(b, 0, kPeqBands - 1))][at(m_channel)];
}
EqBand& PeqEditor::bandOf(int b, int ch) {
    return m_session.CurrentRecord().peq_band[at(b)][at(ch)];
}
int PeqEditor::selectedType() const {
    return m_selected < 0 ? -1 : band(m_selected).type;
}
int PeqEditor::level() const {
    return m_session.CurrentRecord().peq_gain[at(m_channel)];
}
QString PeqEditor::levelText() const {
    return QLatin1Char(' ') + StepText(Scale::LevelDb, level()) + QStringLiteral("dB");
}
int PeqEditor::signalMeter() const {
    return m_session.meterLevels.peqMeter[at(m_channel)];
}

std::uint8_t& PeqEditor::field(EqBand& b, PeqBox box) {
    switch (box) {
    case PeqBox::Frequency:
        return b.freq;
    case PeqBox::Q:
        return b.q;
    case PeqBox::Level:
        break;
    }
    return b.level;
}

bool PeqEditor::boxEnabled(PeqBox box) const {
    const PeqEnabling e = enabling();
    return box == PeqBox::Frequency ? e.frequency : box == PeqBox::Q ? e.q : e.level;
}

FrequencyRange PeqEditor::rangeOf(PeqBox box) const {
    switch (box) {
    case PeqBox::Frequency:
        return FrequencyLimits(selectedType());
    case PeqBox::Q:
        return {0, kLastQ};
    case PeqBox::Level:
        break;
    }
    return {0, kLastLevel};
}

QString PeqEditor::boxText(PeqBox box) const {
    if (!boxEnabled(box))
        return {};
    const BoxScale& s = scaleOf(box);
    EqBand copy = band(m_selected);
    return StepText(s.scale, field(copy, box)) + QLatin1String(s.unit);
}

bool PeqEditor::checkMode() const {
    if (peqMode())
        return true;
    refuse();
    return false;
}

void PeqEditor::refuse() const {
    m_prompts.message(QString::fromLatin1(kModeTitle), QString::fromLatin1(kGeqModeText),
                      PromptIcon::Exclamation);
}

void PeqEditor::refuseEntry() const {
    m_prompts.message(QString::fromLatin1(kApplicationTitle),
                      QString::fromLatin1(kEnterNumberMessage), PromptIcon::Exclamation);
}

QByteArray PeqEditor::channelCode(const char* code) const {
    return QByteArray(code) + (isLinked() ? '0' : static_cast<char>('1' + m_channel));
}

void PeqEditor::sendBand(int b) {
    const EqBand& v = band(b);
    m_edits.sendGroups(channelCode("021") + EditDigits(b, 2), {v.type, v.freq, v.level, v.q});
}

void PeqEditor::pressBandButton(int b) {
    if (b < 0 || b >= kPeqBands || !checkMode())
        return;
    if (b == m_selected) {
        m_selected = -1;
        return;
    }
    m_selected = b;
    if (m_session.peqBandOff.type[at(m_channel)][at(b)] != 0)
        setBandOn(b, true);
}

void PeqEditor::setBandOn(int b, bool on) {
    if (b < 0 || b >= kPeqBands || !checkMode())
        return;
    auto& memory = m_session.peqBandOff.type;
    const auto switchOne = [&](int ch) {
        EqBand& v = bandOf(b, ch);
        std::uint8_t& kept = memory[at(ch)][at(b)];
        if (on) {
            if (v.type == kEqOff)
                v.type = kept != 0 ? kept : static_cast<std::uint8_t>(kEqPeaking);
            kept = 0;
        } else {
            if (v.type != kEqOff)
                kept = v.type;
            v.type = kEqOff;
        }
    };
    switchOne(m_channel);
    if (isLinked()) {
        // The unit takes one set of values for both channels: the other follows this one.
        switchOne(1 - m_channel);
        bandOf(b, 1 - m_channel) = bandOf(b, m_channel);
    }
    if (!on && b == m_selected)
        m_selected = -1;
    sendBand(b);
}

void PeqEditor::selectType(int type) {
    if (!checkMode() || m_selected < 0)
        return;
    EqBand& v = bandOf(m_selected, m_channel);
    if (!ChangeEqType(v, type))
        return;
    m_session.peqBandOff.type[at(m_channel)][at(m_selected)] = 0;
    if (isLinked()) {
        bandOf(m_selected, 1 - m_channel) = v;
        m_session.peqBandOff.type[at(1 - m_channel)][at(m_selected)] = 0;
    }
    sendBand(m_selected);
}

void PeqEditor::store(PeqBox box, int value) {
    const FrequencyRange r = rangeOf(box);
    value = std::clamp(value, r.lowest, r.highest);
    std::uint8_t& mine = field(bandOf(m_selected, m_channel), box);
    if (mine == value)
        return;
    mine = static_cast<std::uint8_t>(value);
    if (isLinked())
        field(bandOf(m_selected, 1 - m_channel), box) = mine;
    m_edits.send(channelCode(scaleOf(box).code) + EditDigits(m_selected, 2), value);
}

void PeqEditor::stepBox(PeqBox box, int steps) {
    if (!checkMode() || !boxEnabled(box))
        return;
    store(box, field(bandOf(m_selected, m_channel), box) + steps);
}

bool PeqEditor::commitBoxText(PeqBox box, QStringView text) {
    if (!checkMode() || !boxEnabled(box))
        return false;
    const BoxScale& s = scaleOf(box);
    if (!IsValidEntry(text, s.entryKind)) {
        releaseLevel();
        refuseEntry();
        return false;
    }
    const FrequencyRange r = rangeOf(box);
    store(box, TextToStep(text, s.scaleNumber, r.lowest, r.highest));
    return true;
}

void PeqEditor::setOn(bool on) {
    if (!checkMode())
        return;
    ProgramRecord& r = m_session.CurrentRecord();
    const auto v = static_cast<std::uint8_t>(on ? 1 : 0);
    r.peq_on[at(m_channel)] = v;
    if (isLinked())
        r.peq_on[at(1 - m_channel)] = v;
    m_edits.send(channelCode("026"), v);
}

void PeqEditor::storeLevel(int value) {
    ProgramRecord& r = m_session.CurrentRecord();
    const int old = level();
    r.peq_gain[at(m_channel)] = static_cast<std::uint8_t>(value);
    if (isLinked())
        r.peq_gain[at(1 - m_channel)] = static_cast<std::uint8_t>(value);
    if (value != old)
        m_edits.send(channelCode("025"), value);
}

bool PeqEditor::pressLevel(int x, int y) {
    if (!m_levelDrag.onTrack(x, y) || !checkMode())
        return false;
    return m_levelDrag.press(x, y);
}

void PeqEditor::stepLevel(int steps) {
    if (checkMode())
        m_levelDrag.step(steps);
}

bool PeqEditor::commitLevelText(QStringView text) {
    if (!checkMode())
        return false;
    if (!IsValidEntry(text, kOutputEntryKind)) {
        releaseLevel();
        refuseEntry();
        return false;
    }
    const FaderGeometry& g = m_levelDrag.geometry();
    storeLevel(TextToStep(text, kOutputScaleNumber, g.lowestStep, g.highestStep));
    return true;
}

BandHandles PeqEditor::handles() const {
    if (m_selected < 0)
        return {};
    const EqBand& v = band(m_selected);
    const int k = NearestGridIndex(FrequencyHzValue(v.freq));
    const double atCentre = v.type == kEqPeaking ? BandResponse(v)[at(k)] : 0.0;
    return HandlesOf(m_scale, v, atCentre);
}

bool PeqEditor::pressGraph(int x, int y) {
    if (!peqMode() || m_selected < 0)
        return false;
    const BandHandles h = handles();
    const HandleGrab grab = GrabHandle(h, x, y);
    if (grab.part == HandleGrab::None)
        return false;
    m_drag = grab.part == HandleGrab::Centre ? Drag::Centre : Drag::Q;
    m_offsetX = grab.offsetX;
    m_offsetY = grab.offsetY;
    return true;
}

void PeqEditor::moveGraph(int x, int y) {
    if (m_drag == Drag::None || m_selected < 0 || !peqMode())
        return;
    const int type = selectedType();
    if (m_drag == Drag::Q) {
        const int centre =
            m_scale.originX + NearestGridIndex(FrequencyHzValue(band(m_selected).freq));
        store(PeqBox::Q, QStepOfDistance(x + m_offsetX - centre));
    } else {
        const int i = std::clamp(x + m_offsetX - m_scale.originX, 1, kGridPoints - 1);
        const FrequencyRange limits = FrequencyLimits(type);
        store(PeqBox::Frequency, FrequencyStepNearGrid(i, limits.lowest, limits.highest));
        if (type == kEqPeaking || type == kEqHiShelf || type == kEqLoShelf)
            store(PeqBox::Level, LevelStepOfY(m_scale, y + m_offsetY));
    }
    if (m_changed)
        m_changed();
}

} // namespace mqx
