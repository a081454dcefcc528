#include "pages/compressor_editor.h"

#include "core/prompts.h"
#include "core/session.h"
#include "pages/eq_band_rules.h"
#include "program/value_scales.h"

#include <algorithm>
#include <array>

namespace mqx {
namespace {

constexpr char kModeTitle[] = "EQ Mode Warning";
constexpr char kGeqModeText[] = "Now GEQ mode.";
constexpr char kLinkTitle[] = "Link Mode Warning";
constexpr std::array<const char*, 4> kLinkTexts = {
    nullptr,
    "In LINK(STEREO) mode, IN-1 block is valid.",
    "In LINK(IN-1) mode, IN-1 block is valid.",
    "In LINK(IN-2) mode, IN-2 block is valid.",
};

// How each box reads and writes its field: the scale and its text's unit, the entry check
// and conversion, the code its arrows send and the highest step.
struct BoxField {
    Scale scale;
    const char* unit;
    int entryKind;
    int scaleNumber;
    const char* code;
    int highest;
};

const BoxField& boxField(CompField f) {
    static const std::array<BoxField, 7> fields = {{
        {Scale::AttackMs, "msec", 4, 6, "032", 60},
        {Scale::ReleaseMs, "msec", 4, 7, "033", 48},
        {Scale::ThresholdDbfs, "dBFS", 1, 8, "034", 96},
        {Scale::Ratio, "", 5, 9, "035", 100},
        {Scale::FrequencyHz, "Hz", 3, 3, "029", 121},
        {Scale::QBandwidth, "", 6, 4, "031", 72},
        {Scale::EqGainDb, "dB", 2, 5, "030", 48},
    }};
    return fields[static_cast<std::size_t>(f)];
}

constexpr int kGainEntryKind = 10;
constexpr int kGainScaleNumber = 1;

bool isSideEq(CompField f) {
    return f == CompField::SideFreq || f == CompField::SideQ || f == CompField::SideLevel;
}

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// The record byte behind a box, for reading and for writing.
template <typename Record>
auto& FieldByte(Record& r, int ch, CompField f) {
    const std::size_t c = at(ch);
    switch (f) {
    case CompField::Attack:
        return r.comp_attack[c];
    case CompField::Release:
        return r.comp_release[c];
    case CompField::Threshold:
        return r.comp_threshold[c];
    case CompField::Ratio:
        return r.comp_ratio[c];
    case CompField::SideFreq:
        return r.side_eq[c].freq;
    case CompField::SideQ:
        return r.side_eq[c].q;
    case CompField::SideLevel:
        break;
    }
    return r.side_eq[c].level;
}

} // namespace

CompressorEditor::CompressorEditor(Session& session, ParameterEditSink& sink, Prompts& prompts,
                                   TimerSource& timers)
    : m_session(session), m_edits(session, sink), m_prompts(prompts),
      m_timers(timers.createTimers(*this)) {}

CompressorEditor::~CompressorEditor() = default;

bool CompressorEditor::geqMode() const {
    return m_session.CurrentRecord().eq_mode == 0;
}
int CompressorEditor::linkMode() const {
    return m_session.CurrentRecord().comp_link;
}
bool CompressorEditor::columnValid(int ch) const {
    return CompColumnValid(linkMode(), ch);
}
bool CompressorEditor::isOn(int ch) const {
    return m_session.CurrentRecord().comp_on[at(ch)] == 1;
}
int CompressorEditor::sideType(int ch) const {
    return m_session.CurrentRecord().side_eq[at(ch)].type;
}
int CompressorEditor::gain(int ch) const {
    return m_session.CurrentRecord().comp_gain[at(ch)];
}
int CompressorEditor::barReduction(int ch) const {
    return BarReduction(linkMode(), m_session.meterLevels, ch);
}

std::uint8_t& CompressorEditor::byte(int ch, CompField f) {
    return FieldByte(m_session.CurrentRecord(), ch, f);
}

int CompressorEditor::value(int ch, CompField f) const {
    return FieldByte(m_session.CurrentRecord(), ch, f);
}

bool CompressorEditor::fieldUsed(int ch, CompField f) const {
    const EqFieldsUsed used = FieldsUsedBy(sideType(ch));
    switch (f) {
    case CompField::SideFreq:
        return used.frequency;
    case CompField::SideQ:
        return used.q;
    case CompField::SideLevel:
        return used.level;
    default:
        return true;
    }
}

int CompressorEditor::lowest(int ch, CompField f) const {
    return f == CompField::SideFreq ? FrequencyLimits(sideType(ch)).lowest : 0;
}
int CompressorEditor::highest(int ch, CompField f) const {
    return f == CompField::SideFreq ? FrequencyLimits(sideType(ch)).highest : boxField(f).highest;
}

QString CompressorEditor::fieldText(int ch, CompField f) const {
    if (!fieldUsed(ch, f))
        return {};
    const BoxField& box = boxField(f);
    return StepText(box.scale, value(ch, f)) + QLatin1String(box.unit);
}

QString CompressorEditor::gainText(int ch) const {
    return StepText(Scale::LevelDb, gain(ch)) + QStringLiteral("dB");
}

int CompressorEditor::gainKnobTop(int ch) const {
    return CompressorLayout::kGainTrackTop + KnobTopOf(m_fader, gain(ch));
}

bool CompressorEditor::checkMode() const {
    if (!geqMode())
        return true;
    m_prompts.message(QString::fromLatin1(kModeTitle), QString::fromLatin1(kGeqModeText),
                      PromptIcon::Exclamation);
    return false;
}

bool CompressorEditor::checkColumn(int ch) const {
    if (!checkMode())
        return false;
    if (columnValid(ch))
        return true;
    m_prompts.message(QString::fromLatin1(kLinkTitle),
                      QString::fromLatin1(kLinkTexts[at(linkMode())]), PromptIcon::Exclamation);
    return false;
}

QByteArray CompressorEditor::code(const char* code, int ch) const {
    return QByteArray(code) + static_cast<char>('1' + ch);
}

void CompressorEditor::sendSideEq(int ch) const {
    const EqBand& b = m_session.CurrentRecord().side_eq[at(ch)];
    m_edits.sendGroups(code("028", ch), {b.type, b.freq, b.level, b.q});
}

void CompressorEditor::refuseText() const {
    m_prompts.message(QString::fromLatin1(kApplicationTitle),
                      QString::fromLatin1(kEnterNumberMessage), PromptIcon::Exclamation);
}

void SetCompressorLink(ProgramRecord& r, int mode) {
    r.comp_link = static_cast<std::uint8_t>(mode);
    if (mode == CompLinkStereo || mode == CompLinkIn1)
        r.comp_gain[1] = r.comp_gain[0];
    else if (mode == CompLinkIn2)
        r.comp_gain[0] = r.comp_gain[1];
}

void CompressorEditor::setLinkMode(int mode) {
    if (mode < CompIndividual || mode > CompLinkIn2 || !checkMode())
        return;
    SetCompressorLink(m_session.CurrentRecord(), mode);
    m_edits.send("037", mode);
}

void CompressorEditor::setOn(int ch, bool on) {
    if (!checkColumn(ch))
        return;
    const int v = on ? 1 : 0;
    m_session.CurrentRecord().comp_on[at(ch)] = static_cast<std::uint8_t>(v);
    m_edits.send(code("027", ch), v);
}

void CompressorEditor::selectType(int ch, int type) {
    if (!checkColumn(ch))
        return;
    if (ChangeEqType(m_session.CurrentRecord().side_eq[at(ch)], type))
        sendSideEq(ch);
}

void CompressorEditor::store(int ch, CompField f, int v) {
    std::uint8_t& b = byte(ch, f);
    if (b == v)
        return;
    b = static_cast<std::uint8_t>(v);
    m_edits.send(code(boxField(f).code, ch), v);
}

void CompressorEditor::stepField(int ch, CompField f, int steps) {
    if (!fieldUsed(ch, f) || !checkColumn(ch))
        return;
    store(ch, f, std::clamp(value(ch, f) + steps, lowest(ch, f), highest(ch, f)));
}

bool CompressorEditor::commitText(int ch, CompField f, QStringView text) {
    if (!fieldUsed(ch, f) || !checkColumn(ch))
        return true;
    const BoxField& box = boxField(f);
    if (!IsValidEntry(text, box.entryKind)) {
        release();
        refuseText();
        return false;
    }
    const int v = TextToStep(text, box.scaleNumber, lowest(ch, f), highest(ch, f));
    if (v == value(ch, f))
        return true;
    if (isSideEq(f)) {
        // A typed Side EQ value goes to the unit with the whole band.
        byte(ch, f) = static_cast<std::uint8_t>(v);
        sendSideEq(ch);
    } else {
        store(ch, f, v);
    }
    return true;
}

void CompressorEditor::storeGain(int ch, int v) {
    ProgramRecord& r = m_session.CurrentRecord();
    const int old = gain(ch);
    r.comp_gain[at(ch)] = static_cast<std::uint8_t>(v);
    if (linkMode() != CompIndividual)
        r.comp_gain[at(1 - ch)] = static_cast<std::uint8_t>(v);
    if (v != old)
        m_edits.send(code("036", ch), v);
}

void CompressorEditor::stepGain(int ch, int steps) {
    if (!checkMode())
        return;
    const int top = gainKnobTop(ch) - CompressorLayout::kGainTrackTop;
    storeGain(ch, StepOfKnobTop(m_fader, StepTop(m_fader, top, steps)));
}

bool CompressorEditor::commitGainText(int ch, QStringView text) {
    if (!checkMode())
        return true;
    if (!IsValidEntry(text, kGainEntryKind)) {
        release();
        refuseText();
        return false;
    }
    storeGain(ch, TextToStep(text, kGainScaleNumber, m_fader.lowestStep, m_fader.highestStep));
    return true;
}

bool CompressorEditor::onTrack(int ch, int x, int y) const {
    const int left = CompressorLayout::gainTrackLeft(ch);
    const int top = CompressorLayout::kGainTrackTop;
    return x >= left && x < left + m_fader.trackWidth && y >= top && y < top + m_fader.trackHeight;
}

bool CompressorEditor::press(int x, int y) {
    for (int ch = 0; ch < kInputCount; ++ch) {
        if (!onTrack(ch, x, y))
            continue;
        if (!checkMode())
            return false;
        m_dragged = ch;
        m_pointerY = y;
        m_outside = false;
        const int knobTop = gainKnobTop(ch);
        if (y >= knobTop && y < knobTop + m_fader.knobHeight) {
            m_mode = Mode::Knob;
            m_offset = y - (knobTop + m_fader.knobHeight / 2);
        } else {
            m_mode = Mode::Page;
            pageGain();
            m_timers->start(GainDelay, kDelayMs);
        }
        return true;
    }
    return false;
}

void CompressorEditor::pageGain() {
    const int trackTop = CompressorLayout::kGainTrackTop;
    const int top = gainKnobTop(m_dragged) - trackTop;
    storeGain(m_dragged, StepOfKnobTop(m_fader, PageTop(m_fader, top, m_pointerY - trackTop)));
}

void CompressorEditor::move(int x, int y) {
    m_pointerY = y;
    if (m_mode == Mode::Page) {
        m_outside = !onTrack(m_dragged, x, y);
        return;
    }
    if (m_mode != Mode::Knob)
        return;
    const int top = y - m_offset - CompressorLayout::kGainTrackTop;
    storeGain(m_dragged, StepOfKnobTop(m_fader, FollowTop(m_fader, top)));
    if (m_changed)
        m_changed();
}

void CompressorEditor::release() {
    m_mode = Mode::None;
    m_timers->stop(GainDelay);
    m_timers->stop(GainRepeat);
}

void CompressorEditor::onTimer(int id) {
    if (id == GainDelay) {
        m_timers->stop(GainDelay);
        m_timers->start(GainRepeat, kRepeatMs);
        return;
    }
    if (id != GainRepeat || m_mode != Mode::Page || m_outside)
        return;
    pageGain();
    if (m_changed)
        m_changed();
}

} // namespace mqx
