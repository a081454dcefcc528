#include "pages/input_editor.h"

#include "core/prompts.h"
#include "core/session.h"
#include "pages/parameter_edit.h"
#include "program/value_scales.h"

#include <array>

namespace mqx {
namespace {

struct BoxSpec {
    std::uint8_t ProgramRecord::*field;
    int lowest;
    int highest;
    Scale scale;
    int entryKind;   // IsValidEntry
    int scaleNumber; // TextToStep
    const char* unit;
    const char* code;
};

const BoxSpec& boxSpecOf(InputEditor::Box box) {
    static constexpr std::array<BoxSpec, 3> kSpecs = {{
        // The sine never goes above 0 dBFS and its frequency is never Off.
        {&ProgramRecord::sine_level, 0, 181, Scale::LevelDb, 9, 1, "dBFS", "005"},
        {&ProgramRecord::sine_freq, 1, 121, Scale::FrequencyHz, 3, 3, "Hz", "004"},
        {&ProgramRecord::pink_level, 0, 205, Scale::LevelDb, 10, 1, "dB", "003"},
    }};
    return kSpecs[static_cast<std::size_t>(box)];
}

constexpr const char* kInputModeCode = "001";
constexpr const char* kWaveCode = "002";
constexpr const char* kMuteCode = "006";
constexpr const char* kInputSelectCode = "007";

constexpr int kInputSelectCount = 5;

} // namespace

std::uint8_t& InputEditor::field(Box box) {
    return m_session.CurrentRecord().*boxSpecOf(box).field;
}

std::uint8_t InputEditor::field(Box box) const {
    return m_session.CurrentRecord().*boxSpecOf(box).field;
}

void InputEditor::send(const char* code, int value) {
    ParameterEdits(m_session, m_sink).send(QByteArray(code), value);
}

void InputEditor::set(std::uint8_t& target, int value, const char* code) {
    target = static_cast<std::uint8_t>(value);
    send(code, value);
}

void InputEditor::selectInputMode(int mode) {
    if (mode != 0 && mode != 1)
        return;
    ProgramRecord& r = m_session.CurrentRecord();
    if (mode == 1)
        set(r.sg_mute, 0, kMuteCode);
    set(r.input_mode, mode, kInputModeCode);
}

void InputEditor::selectInput(int select) {
    if (select < 0 || select >= kInputSelectCount)
        return;
    set(m_session.CurrentRecord().input_select, select, kInputSelectCode);
}

void InputEditor::selectWave(bool sine) {
    ProgramRecord& r = m_session.CurrentRecord();
    set(r.sg_mute, 0, kMuteCode);
    set(r.sg_wave, sine ? 1 : 0, kWaveCode);
}

void InputEditor::setMuting(bool muted) {
    set(m_session.CurrentRecord().sg_mute, muted ? 0 : 1, kMuteCode);
}

void InputEditor::stepSpin(Box box, bool up) {
    const BoxSpec& s = boxSpecOf(box);
    std::uint8_t& target = field(box);
    const int old = target;
    int value = up ? old + 1 : (old > 0 ? old - 1 : 0);
    value = qBound(s.lowest, value, s.highest);
    if (value != old)
        set(target, value, s.code);
}

bool InputEditor::commitText(Box box, QStringView text) {
    const BoxSpec& s = boxSpecOf(box);
    if (!IsValidEntry(text, s.entryKind)) {
        m_prompts.message(QString::fromLatin1(kApplicationTitle),
                          QString::fromLatin1(kEnterNumberMessage), PromptIcon::Exclamation);
        return false;
    }
    const int step = TextToStep(text, s.scaleNumber, s.lowest, s.highest);
    std::uint8_t& target = field(box);
    if (step != target)
        set(target, step, s.code);
    return true;
}

QString InputEditor::boxText(Box box) const {
    const BoxSpec& s = boxSpecOf(box);
    return StepText(s.scale, field(box)) + QString::fromLatin1(s.unit);
}

bool InputEditor::isGenerator() const {
    return m_session.CurrentRecord().input_mode != 0;
}

bool InputEditor::isSine() const {
    return m_session.CurrentRecord().sg_wave != 0;
}

bool InputEditor::isMuted() const {
    return m_session.CurrentRecord().sg_mute != 1;
}

int InputEditor::inputSelect() const {
    const int select = m_session.CurrentRecord().input_select;
    return select < kInputSelectCount ? select : -1;
}

} // namespace mqx
