#include "pages/delay_editor.h"

#include "core/prompts.h"
#include "core/session.h"
#include "pages/parameter_edit.h"

#include <algorithm>

namespace mqx {
namespace {

// Repeat ticks counted up to here; the step sizes change at 30 and 60.
constexpr int kMaxRepeats = 60;

int stepSize(int repeats) {
    if (repeats < 30)
        return 1;
    return repeats < kMaxRepeats ? 10 : 100;
}

bool isValid(DelayTarget t) {
    const int count = t.group == DelayGroup::Master ? kInputCount : kOutputCount;
    return t.index >= 0 && t.index < count;
}

// The stored delay a target names, in a record or in a read-only one.
template <typename Record>
auto& delayField(Record& r, DelayTarget t) {
    const auto i = static_cast<std::size_t>(t.index);
    return t.group == DelayGroup::Master ? r.master_delay[i] : r.out[i].delay;
}

} // namespace

DelayEditor::DelayEditor(Session& session, ParameterEditSink& sink, Prompts& prompts,
                         TimerSource& timers)
    : m_session(session), m_sink(sink), m_prompts(prompts), m_timers(timers.createTimers(*this)) {}

DelayEditor::~DelayEditor() = default;

std::uint32_t& DelayEditor::field(DelayTarget t) {
    return delayField(m_session.CurrentRecord(), t);
}

std::uint32_t DelayEditor::delay(DelayTarget target) const {
    if (!isValid(target))
        return 0;
    return delayField(m_session.CurrentRecord(), target);
}

std::uint32_t DelayEditor::totalDelay(int channel) const {
    if (channel < 0 || channel >= kOutputCount)
        return 0;
    const ProgramRecord& r = m_session.CurrentRecord();
    const OutputChannel& out = r.out[static_cast<std::size_t>(channel)];
    std::uint32_t total = out.delay;
    if (out.source == 1 || out.source == 2)
        total += r.master_delay[static_cast<std::size_t>(out.source - 1)];
    return total;
}

void DelayEditor::store(DelayTarget t, std::uint32_t value) {
    field(t) = value;
    if (t.group != DelayGroup::Channel)
        return;
    ProgramRecord& r = m_session.CurrentRecord();
    const std::uint8_t links = r.out[static_cast<std::size_t>(t.index)].link_mask;
    for (int c = 0; c < kOutputCount; ++c)
        if ((links & OutputBit(c)) != 0)
            r.out[static_cast<std::size_t>(c)].delay = value;
}

void DelayEditor::send(DelayTarget t) {
    const QByteArray code = t.group == DelayGroup::Master ? "038" + EditDigits(t.index + 1, 1)
                                                          : "051" + EditDigits(t.index, 1);
    ParameterEdits(m_session, m_sink).send(code, static_cast<int>(field(t)), 6);
}

bool DelayEditor::commitEntry(DelayTarget target, DelayBox box, QStringView text) {
    if (!isValid(target))
        return false;
    const std::uint32_t old = field(target);
    const DelayEntry entry = ReadDelayEntry(target.group, box, text, old);
    if (!entry.accepted) {
        m_prompts.message(DelayCaption(target.group), entry.message, PromptIcon::Exclamation);
        return false;
    }
    store(target, entry.steps);
    if (entry.steps != old)
        send(target);
    return true;
}

bool DelayEditor::step(int size) {
    const std::uint32_t old = field(m_target);
    // Wide enough that a delay from a damaged file cannot wrap around past the top.
    const std::uint64_t wide = old;
    const std::uint64_t value =
        m_up ? wide + static_cast<std::uint64_t>(size)
             : (static_cast<std::uint64_t>(size) < wide ? wide - static_cast<std::uint64_t>(size)
                                                        : 0);
    const auto clamped = static_cast<std::uint32_t>(std::min<std::uint64_t>(value, kMaxDelaySteps));
    if (clamped == old)
        return false;
    store(m_target, clamped);
    return true;
}

void DelayEditor::pressArrow(DelayTarget target, bool up) {
    if (!isValid(target))
        return;
    if (m_pressed)
        releaseArrow();
    m_pressed = true;
    m_target = target;
    m_up = up;
    m_inside = true;
    m_repeats = 0;
    if (step(1))
        m_timers->start(HoldTimer, kHoldMs);
}

void DelayEditor::stepDelay(DelayTarget target, int steps) {
    if (!isValid(target) || m_pressed || steps == 0)
        return;
    m_target = target;
    m_up = steps > 0;
    step(steps > 0 ? steps : -steps);
    send(target);
}

void DelayEditor::setPointerInside(bool inside) {
    m_inside = inside;
}

void DelayEditor::releaseArrow() {
    m_timers->stop(HoldTimer);
    m_timers->stop(RepeatTimer);
    if (!m_pressed)
        return;
    m_pressed = false;
    send(m_target);
}

void DelayEditor::onTimer(int id) {
    if (id == HoldTimer) {
        m_timers->stop(HoldTimer);
        m_timers->start(RepeatTimer, kRepeatMs);
        return;
    }
    if (id != RepeatTimer || !m_pressed || !m_inside)
        return;
    m_repeats = std::min(m_repeats + 1, kMaxRepeats);
    const bool changed = step(stepSize(m_repeats));
    if (!changed)
        m_timers->stop(RepeatTimer);
    else if (m_changed)
        m_changed();
}

} // namespace mqx
