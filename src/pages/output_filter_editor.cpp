#include "pages/output_filter_editor.h"

#include "core/prompts.h"
#include "core/session.h"
#include "pages/output_links.h"
#include "program/value_scales.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace mqx {
namespace {

constexpr int kLastQ = 72;
constexpr int kLastLevel = 48;
constexpr int kLastXoverFrequency = 121; // a drag never switches a crossover off

struct Entry {
    int kind;
    int scaleNumber;
};
constexpr Entry kHpfEntry{8, 11}; // "off" gives 0
constexpr Entry kLpfEntry{8, 12}; // "off" gives 122
constexpr Entry kEqFrequencyEntry{3, 3};
constexpr Entry kQEntry{6, 4};
constexpr Entry kLevelEntry{2, 5};

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

std::uint8_t u8(int v) {
    return static_cast<std::uint8_t>(v);
}

} // namespace

OutputFilterEditor::OutputFilterEditor(Session& session, ParameterEditSink& sink, Prompts& prompts,
                                       int channel)
    : m_session(session), m_edits(session, sink), m_prompts(prompts),
      m_channel(std::clamp(channel, 0, kOutputCount - 1)) {}

const ProgramRecord& OutputFilterEditor::record() const {
    return m_session.CurrentRecord();
}
const OutputChannel& OutputFilterEditor::output() const {
    return m_session.CurrentRecord().out[at(m_channel)];
}
OutputChannel& OutputFilterEditor::mine() {
    return m_session.CurrentRecord().out[at(m_channel)];
}

bool OutputFilterEditor::isOn(int e) const {
    const OutputChannel& o = output();
    switch (e) {
    case ElementHpf:
        return o.hpf_freq != kHpfOff;
    case ElementLpf:
        return o.lpf_freq != kLpfOff;
    default:
        return e >= ElementEq1 && e <= ElementEq3 && o.eq[at(e - ElementEq1)].type != EqOff;
    }
}

bool OutputFilterEditor::hasSaved(int e) const {
    const SavedBandSetting& s = m_session.savedBandSettings.channel[at(m_channel)];
    switch (e) {
    case ElementHpf:
        return s.hpf_freq != kHpfOff;
    case ElementLpf:
        return s.lpf_freq != kLpfOff;
    default:
        return e >= ElementEq1 && e <= ElementEq3 && s.eq_type[at(e - ElementEq1)] != EqOff;
    }
}

int OutputFilterEditor::selectedType() const {
    if (m_selected < 0)
        return -1;
    if (m_selected == ElementHpf)
        return output().hpf_type;
    if (m_selected == ElementLpf)
        return output().lpf_type;
    return output().eq[eqIndex()].type;
}

FilterEnabling OutputFilterEditor::enabling() const {
    if (m_selected < 0)
        return {};
    if (!isEq())
        return {true, true, false, false};
    const EqFieldsUsed used = FieldsUsedBy(selectedType());
    return {true, used.frequency, used.q, used.level};
}

QStringList OutputFilterEditor::typeTexts() const {
    QStringList texts;
    if (m_selected < 0)
        return texts;
    const Scale scale = isEq() ? Scale::EqType : Scale::XoverType;
    const int count = isEq() ? kEqTypeCount : kXoverTypeCount;
    for (int t = 0; t < count; ++t)
        texts << StepText(scale, t);
    return texts;
}

int OutputFilterEditor::frequencyStep(int e) const {
    const OutputChannel& o = output();
    if (e == ElementHpf)
        return o.hpf_freq;
    if (e == ElementLpf)
        return o.lpf_freq;
    return o.eq[at(std::clamp(e, int{ElementEq1}, int{ElementEq3}) - ElementEq1)].freq;
}

int OutputFilterEditor::gridIndex(int e) const {
    return NearestGridIndex(FrequencyHzValue(frequencyStep(e)));
}

std::uint8_t OutputFilterEditor::value(FilterBox box) const {
    if (box == FilterBox::Frequency)
        return u8(frequencyStep(m_selected));
    const EqBand& b = output().eq[eqIndex()];
    return box == FilterBox::Q ? b.q : b.level;
}

FrequencyRange OutputFilterEditor::rangeOf(FilterBox box) const {
    switch (box) {
    case FilterBox::Frequency:
        if (m_selected == ElementHpf)
            return {kHpfOff, kLastXoverFrequency};
        if (m_selected == ElementLpf)
            return {1, kLpfOff};
        return FrequencyLimits(selectedType());
    case FilterBox::Q:
        return {0, kLastQ};
    case FilterBox::Level:
        break;
    }
    return {0, kLastLevel};
}

QString OutputFilterEditor::boxText(FilterBox box) const {
    const FilterEnabling e = enabling();
    switch (box) {
    case FilterBox::Frequency: {
        if (!e.frequency)
            return {};
        const QString text = StepText(Scale::FrequencyHz, value(box));
        return isEq() || isOn(m_selected) ? text + QStringLiteral("Hz") : text;
    }
    case FilterBox::Q:
        return e.q ? StepText(Scale::QBandwidth, value(box)) : QString();
    case FilterBox::Level:
        break;
    }
    return e.level ? StepText(Scale::EqGainDb, value(box)) + QStringLiteral("dB") : QString();
}

QByteArray OutputFilterEditor::code(const char* base) const {
    return QByteArray(base) + EditDigits(m_channel, 1);
}
QByteArray OutputFilterEditor::eqCode(const char* base, int e) const {
    return code(base) + EditDigits(e - ElementEq1, 2);
}

void OutputFilterEditor::sendEqBand(int e) {
    const EqBand& b = output().eq[at(e - ElementEq1)];
    m_edits.sendGroups(eqCode("045", e), {b.type, b.freq, b.level, b.q});
}

void OutputFilterEditor::sendElement(int e) {
    if (e == ElementHpf)
        m_edits.send(code("042"), output().hpf_freq);
    else if (e == ElementLpf)
        m_edits.send(code("044"), output().lpf_freq);
    else
        sendEqBand(e);
}

void OutputFilterEditor::sendStep(FilterBox box) {
    if (!isEq()) {
        sendElement(m_selected);
        return;
    }
    const char* base = box == FilterBox::Frequency ? "046"
                       : box == FilterBox::Level   ? "047"
                                                   : "048";
    m_edits.send(eqCode(base, m_selected), value(box));
}

bool OutputFilterEditor::store(FilterBox box, int v) {
    const FrequencyRange r = rangeOf(box);
    v = std::clamp(v, r.lowest, r.highest);
    if (v == value(box))
        return false;
    const int e = m_selected;
    ForLinkedOutputs(m_session.CurrentRecord(), m_channel, [&](OutputChannel& o, int) {
        if (e == ElementHpf)
            o.hpf_freq = u8(v);
        else if (e == ElementLpf)
            o.lpf_freq = u8(v);
        else {
            EqBand& b = o.eq[at(e - ElementEq1)];
            (box == FilterBox::Frequency ? b.freq : box == FilterBox::Q ? b.q : b.level) = u8(v);
        }
    });
    return true;
}

void OutputFilterEditor::pressBandButton(int e) {
    if (e < 0 || e >= kOutputElements)
        return;
    if (e == m_selected) {
        m_selected = -1;
        return;
    }
    m_selected = e;
    if (hasSaved(e) && !isOn(e))
        setOn(e, true);
}

void OutputFilterEditor::setOn(int e, bool on) {
    if (e < 0 || e >= kOutputElements)
        return;
    // Only a real change acts: ON with nothing put aside would "restore" the off value,
    // and a second OFF would put the off value aside over the setting kept.
    if (on ? (!hasSaved(e) || isOn(e)) : !isOn(e))
        return;
    auto& saved = m_session.savedBandSettings.channel;
    const SavedBandSetting kept = saved[at(m_channel)];
    const OutputChannel before = output();
    const std::size_t k = at(std::max(e - ElementEq1, 0));
    ForLinkedOutputs(m_session.CurrentRecord(), m_channel, [&](OutputChannel& o, int c) {
        SavedBandSetting& s = saved[at(c)];
        if (e == ElementHpf) {
            o.hpf_freq = on ? kept.hpf_freq : u8(kHpfOff);
            s.hpf_freq = on ? u8(kHpfOff) : before.hpf_freq;
        } else if (e == ElementLpf) {
            o.lpf_freq = on ? kept.lpf_freq : u8(kLpfOff);
            s.lpf_freq = on ? u8(kLpfOff) : before.lpf_freq;
        } else {
            o.eq[k].type = on ? kept.eq_type[k] : u8(EqOff);
            s.eq_type[k] = on ? u8(EqOff) : before.eq[k].type;
        }
    });
    sendElement(e);
}

void OutputFilterEditor::selectType(int type) {
    if (m_selected < 0)
        return;
    const int e = m_selected;
    if (!isEq()) {
        if (type < 0 || type >= kXoverTypeCount || type == selectedType())
            return;
        ForLinkedOutputs(m_session.CurrentRecord(), m_channel, [&](OutputChannel& o, int) {
            (e == ElementHpf ? o.hpf_type : o.lpf_type) = u8(type);
        });
        m_edits.send(code(e == ElementHpf ? "041" : "043"), type);
        return;
    }
    EqBand band = output().eq[eqIndex()];
    if (!ChangeEqType(band, type))
        return;
    const std::size_t k = eqIndex();
    auto& saved = m_session.savedBandSettings.channel;
    ForLinkedOutputs(m_session.CurrentRecord(), m_channel, [&](OutputChannel& o, int c) {
        o.eq[k] = band;
        saved[at(c)].eq_type[k] = EqOff;
    });
    sendEqBand(e);
}

void OutputFilterEditor::stepBox(FilterBox box, int steps) {
    const FilterEnabling e = enabling();
    const bool enabled = box == FilterBox::Frequency ? e.frequency
                         : box == FilterBox::Q       ? e.q
                                                     : e.level;
    if (!enabled || !store(box, value(box) + steps))
        return;
    // A crossover moved by hand starts afresh: what its OFF button kept is dropped.
    if (m_selected == ElementHpf || m_selected == ElementLpf) {
        const int s = m_selected;
        ForLinkedOutputs(m_session.CurrentRecord(), m_channel, [&](OutputChannel&, int c) {
            SavedBandSetting& kept = m_session.savedBandSettings.channel[at(c)];
            (s == ElementHpf ? kept.hpf_freq : kept.lpf_freq) =
                u8(s == ElementHpf ? kHpfOff : kLpfOff);
        });
    }
    sendStep(box);
}

bool OutputFilterEditor::commitBoxText(FilterBox box, QStringView text) {
    const FilterEnabling e = enabling();
    const bool enabled = box == FilterBox::Frequency ? e.frequency
                         : box == FilterBox::Q       ? e.q
                                                     : e.level;
    if (!enabled)
        return false;
    const Entry entry = box == FilterBox::Q        ? kQEntry
                        : box == FilterBox::Level  ? kLevelEntry
                        : m_selected == ElementHpf ? kHpfEntry
                        : m_selected == ElementLpf ? kLpfEntry
                                                   : kEqFrequencyEntry;
    if (!IsValidEntry(text, entry.kind)) {
        m_prompts.message(QString::fromLatin1(kApplicationTitle),
                          QString::fromLatin1(kEnterNumberMessage), PromptIcon::Exclamation);
        return false;
    }
    const FrequencyRange r = rangeOf(box);
    if (store(box, TextToStep(text, entry.scaleNumber, r.lowest, r.highest)))
        sendElement(m_selected);
    return true;
}

BandHandles OutputFilterEditor::handles(double elementCurveAtCentre) const {
    if (m_selected < 0 || !isOn(m_selected))
        return {};
    if (isEq())
        return HandlesOf(m_scale, output().eq[eqIndex()], elementCurveAtCentre);
    BandHandles h;
    h.centre = true;
    h.x = m_scale.originX + gridIndex(m_selected);
    h.y = CurveY(m_scale, elementCurveAtCentre);
    return h;
}

bool OutputFilterEditor::pressGraph(int x, int y, double elementCurveAtCentre) {
    const BandHandles h = handles(elementCurveAtCentre);
    const HandleGrab grab = GrabHandle(h, x, y);
    if (grab.part == HandleGrab::None)
        return false;
    m_drag = grab.part == HandleGrab::Centre ? Drag::Centre : Drag::Q;
    m_offsetX = grab.offsetX;
    m_offsetY = grab.offsetY;
    return true;
}

void OutputFilterEditor::moveGraph(int x, int y) {
    if (m_drag == Drag::None || m_selected < 0 || !isOn(m_selected))
        return;
    if (m_drag == Drag::Q) {
        const int centre = m_scale.originX + gridIndex(m_selected);
        if (store(FilterBox::Q, QStepOfDistance(x + m_offsetX - centre)))
            sendStep(FilterBox::Q);
        return;
    }
    const int i = std::clamp(x + m_offsetX - m_scale.originX, 1, kGridPoints - 1);
    const FrequencyRange limits =
        isEq() ? FrequencyLimits(selectedType()) : FrequencyRange{1, kLastXoverFrequency};
    if (isEq()) {
        if (store(FilterBox::Frequency, FrequencyStepNearGrid(i, limits.lowest, limits.highest)))
            sendStep(FilterBox::Frequency);
        const int type = selectedType();
        if ((type == EqPeaking || type == EqHiShelf || type == EqLoShelf) &&
            store(FilterBox::Level, LevelStepOfY(m_scale, y + m_offsetY)))
            sendStep(FilterBox::Level);
        return;
    }
    stepBox(FilterBox::Frequency,
            FrequencyStepNearGrid(i, limits.lowest, limits.highest) - value(FilterBox::Frequency));
}

} // namespace mqx
