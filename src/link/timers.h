#pragma once
// The timer seam. An owner starts and stops numbered timers and is called back with the
// id of each one that falls due. Implementations: QtTimers (QObject timers on the window
// thread) and VirtualClock in tests, which advances simulated time and fires due timers
// in a fixed order, so that whole exchanges with a unit run deterministically.

#include <QtGlobal>

namespace mqx {

class TimerClient {
public:
    virtual ~TimerClient() = default;
    virtual void onTimer(int id) = 0;
};

class Timers {
public:
    virtual ~Timers() = default;
    // Starts timer `id` with the given period; starting a running timer restarts its period.
    virtual void start(int id, int periodMs) = 0;
    virtual void stop(int id) = 0;
    virtual bool isActive(int id) const = 0;
};

// Milliseconds since some fixed start: the virtual time of a VirtualClock, or the
// steady time of the machine.
class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() const = 0;
};

} // namespace mqx
