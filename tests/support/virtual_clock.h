#pragma once
// Simulated time for tests. Timers handed out by createTimers() fall due in virtual
// milliseconds; advance() moves time forward and fires every timer that falls due on the
// way, earliest first and, at the same moment, in the order they were (re)scheduled, so a
// run is the same every time. nowMs() lets a simulated line pace its characters.

#include "link/timer_source.h"

#include <QtGlobal>

#include <functional>
#include <vector>

namespace mqx::test {

class VirtualClock : public Clock, public TimerSource {
public:
    VirtualClock() = default;
    ~VirtualClock() override;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    qint64 nowMs() const override { return m_now; }
    std::unique_ptr<Timers> createTimers(TimerClient& client) override;

    // Moves time forward by `ms`, firing what falls due up to and including the new time.
    void advance(qint64 ms) { advanceTo(m_now + ms); }
    void advanceTo(qint64 ms);
    // Advances from one due timer to the next until `condition` holds; gives up (false)
    // once `limitMs` of virtual time have passed.
    bool runUntil(const std::function<bool()>& condition, qint64 limitMs);
    int activeTimerCount() const { return static_cast<int>(m_entries.size()); }

private:
    class BoundTimers;
    struct Entry {
        BoundTimers* owner = nullptr;
        int id = 0;
        qint64 period = 0;
        qint64 due = 0;
        quint64 order = 0;
    };

    void schedule(BoundTimers* owner, int id, qint64 period);
    void cancel(BoundTimers* owner, int id);
    void forget(BoundTimers* owner);
    bool isScheduled(const BoundTimers* owner, int id) const;
    std::vector<Entry>::iterator earliest();

    qint64 m_now = 0;
    quint64 m_nextOrder = 0;
    std::vector<Entry> m_entries;
    std::vector<BoundTimers*> m_owners;
};

} // namespace mqx::test
