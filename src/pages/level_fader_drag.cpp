#include "pages/level_fader_drag.h"

namespace mqx {

LevelFaderDrag::LevelFaderDrag(TimerSource& timers, int left, int top, std::function<int()> value,
                               std::function<void(int)> store, std::function<void()> changed)
    : m_left(left), m_top(top), m_value(std::move(value)), m_store(std::move(store)),
      m_changed(std::move(changed)), m_timers(timers.createTimers(*this)) {}

LevelFaderDrag::~LevelFaderDrag() = default;

int LevelFaderDrag::knobTop() const {
    return m_top + KnobTopOf(m_level, m_value());
}

bool LevelFaderDrag::onTrack(int x, int y) const {
    return x >= m_left && x < m_left + m_level.trackWidth && y >= m_top &&
           y < m_top + m_level.trackHeight;
}

bool LevelFaderDrag::press(int x, int y) {
    if (!onTrack(x, y))
        return false;
    m_pointerY = y;
    m_outside = false;
    const int top = knobTop();
    if (y >= top && y < top + m_level.knobHeight) {
        m_mode = Mode::Knob;
        m_offset = y - (top + m_level.knobHeight / 2);
    } else {
        m_mode = Mode::Page;
        page();
        m_timers->start(Delay, kDelayMs);
    }
    return true;
}

void LevelFaderDrag::page() {
    const int top = knobTop() - m_top;
    m_store(StepOfKnobTop(m_level, PageTop(m_level, top, m_pointerY - m_top)));
}

void LevelFaderDrag::move(int x, int y) {
    m_pointerY = y;
    if (m_mode == Mode::Page)
        m_outside = !onTrack(x, y);
    else if (m_mode == Mode::Knob)
        m_store(StepOfKnobTop(m_level, FollowTop(m_level, y - m_offset - m_top)));
}

void LevelFaderDrag::release() {
    m_mode = Mode::None;
    m_timers->stop(Delay);
    m_timers->stop(Repeat);
}

void LevelFaderDrag::step(int steps) {
    m_store(StepOfKnobTop(m_level, StepTop(m_level, knobTop() - m_top, steps)));
}

void LevelFaderDrag::onTimer(int id) {
    if (id == Delay) {
        m_timers->stop(Delay);
        m_timers->start(Repeat, kRepeatMs);
        return;
    }
    if (id != Repeat || m_mode != Mode::Page || m_outside)
        return;
    page();
    if (m_changed)
        m_changed();
}

} // namespace mqx
