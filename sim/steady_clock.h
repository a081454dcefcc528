#pragma once
// The machine's monotonic time in milliseconds since the clock was made.

#include "link/timers.h"

#include <QElapsedTimer>

namespace mqx::sim {

class SteadyClock : public Clock {
public:
    SteadyClock() { m_timer.start(); }
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace mqx::sim
