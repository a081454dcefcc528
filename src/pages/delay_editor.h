#pragma once
// The Delay page's editing: the two master delays (one per input) and the six channel
// delays (one per output), typed in any unit or stepped with press-and-hold arrows.
//
//   pressArrow --one step of 1--> changed? --1000 ms (HoldTimer)--> every 100 ms
//   (RepeatTimer) a step of 1 for 29 ticks, then 10, from the 60th tick 100, until a
//   limit --> releaseArrow sends the delay ("0381"/"0382", "051" + channel, "%06d")
//
// The arrows send only on release: the unit is told the value the operator let go at,
// not every step on the way. A channel delay is written to every output of the channel's
// link group; master delays have no links. Edits go out only while a unit is connected.

#include "link/timer_source.h"
#include "pages/delay_units.h"

#include <QStringView>

#include <cstdint>
#include <functional>
#include <memory>

namespace mqx {

class ParameterEditSink;
class Prompts;
struct Session;

struct DelayTarget {
    DelayGroup group = DelayGroup::Master;
    int index = 0; // input 0..1 for a master delay, output channel 0..5 for a channel delay
    friend bool operator==(const DelayTarget&, const DelayTarget&) = default;
};

class DelayEditor : public TimerClient {
public:
    enum TimerId : int { HoldTimer = 107, RepeatTimer = 108 };
    static constexpr int kHoldMs = 1000;
    static constexpr int kRepeatMs = 100;

    DelayEditor(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers);
    ~DelayEditor() override;
    DelayEditor(const DelayEditor&) = delete;
    DelayEditor& operator=(const DelayEditor&) = delete;

    std::uint32_t delay(DelayTarget target) const;
    // The delay output channel 0..5 gets in all: its own plus the master delay of the
    // input its source names (none for MIX). Shown only; never stored or sent.
    std::uint32_t totalDelay(int channel) const;

    // A box's text on losing the focus. A refusal changes nothing and shows why, under the
    // caption "Master Delay" or "Channel Delay"; returns whether the text was taken.
    bool commitEntry(DelayTarget target, DelayBox box, QStringView text);

    // An arrow pressed: one step of 1 at once, repeats after a second of holding.
    void pressArrow(DelayTarget target, bool up);
    // The pointer left (false) or came back over (true) the pressed arrow: stepping pauses
    // while it is away.
    void setPointerInside(bool inside);
    // The button let go: sends the delay whether or not it changed, and stops repeating.
    void releaseArrow();

    // A key or wheel step: what one click of an arrow does, `steps` steps of 1 up
    // (positive) or down, then sent as on the arrow's release. Ignored while an arrow is
    // held.
    void stepDelay(DelayTarget target, int steps);

    bool isPressed() const { return m_pressed; }
    DelayTarget pressedTarget() const { return m_target; }
    bool pressedUp() const { return m_up; }
    // Whether the pressed arrow shows pressed: not while the pointer is away from it.
    bool showsPressed() const { return m_pressed && m_inside; }

    // Called after every change the arrows make on their own (the repeat ticks), so the
    // page can show it; changes from the page's own calls it shows itself.
    void setChangedCallback(std::function<void()> callback) { m_changed = std::move(callback); }

    void onTimer(int id) override;

private:
    std::uint32_t& field(DelayTarget target);
    void store(DelayTarget target, std::uint32_t value);
    bool step(int size);
    void send(DelayTarget target);

    Session& m_session;
    ParameterEditSink& m_sink;
    Prompts& m_prompts;
    std::function<void()> m_changed;

    bool m_pressed = false;
    DelayTarget m_target;
    bool m_up = false;
    bool m_inside = true;
    int m_repeats = 0;

    // Last, so the timers are gone before anything their ticks would touch.
    std::unique_ptr<Timers> m_timers;
};

} // namespace mqx
