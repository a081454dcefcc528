#pragma once
// The pointer on a page's level fader (-Inf, -90.0 .. +12.0 dB, one pixel a step): a press
// on the knob drags it without a jump, a press on the track pages toward the pointer once
// at once and, after 200 ms, once every 50 ms while the pointer stays on the track. The
// GEQ and PEQ pages each own one; the stored value lives in the record and is reached
// through the two functions given, which also link and send.

#include "link/timer_source.h"
#include "pages/fader_geometry.h"

#include <functional>
#include <memory>

namespace mqx {

class LevelFaderDrag : public TimerClient {
public:
    enum TimerId : int { Delay = 103, Repeat = 104 };
    static constexpr int kDelayMs = 200;
    static constexpr int kRepeatMs = 50;

    // `left`, `top`: the track's top left corner in page pixels. `value` reads the stored
    // step, `store` writes one (and sends it when it changed), `changed` runs after each
    // paging tick so that the page shows it.
    LevelFaderDrag(TimerSource& timers, int left, int top, std::function<int()> value,
                   std::function<void(int)> store, std::function<void()> changed);
    ~LevelFaderDrag() override;
    LevelFaderDrag(const LevelFaderDrag&) = delete;
    LevelFaderDrag& operator=(const LevelFaderDrag&) = delete;

    const FaderGeometry& geometry() const { return m_level; }
    int knobTop() const; // page pixels
    bool onTrack(int x, int y) const;

    // A press off the track is not taken (false).
    bool press(int x, int y);
    void move(int x, int y);
    void release();
    bool isTracking() const { return m_mode != Mode::None; }
    // Keyboard, wheel and spin: steps up (positive) or down, clamped.
    void step(int steps);

    void onTimer(int id) override;

private:
    enum class Mode { None, Knob, Page };
    void page();

    const FaderGeometry m_level = LevelFader();
    const int m_left;
    const int m_top;
    std::function<int()> m_value;
    std::function<void(int)> m_store;
    std::function<void()> m_changed;
    Mode m_mode = Mode::None;
    int m_offset = 0; // pointer - knob centre at the press
    int m_pointerY = 0;
    bool m_outside = false;
    std::unique_ptr<Timers> m_timers;
};

} // namespace mqx
