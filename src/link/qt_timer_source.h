#pragma once
// Window-thread timers for the running program.

#include "link/qt_timers.h"
#include "link/timer_source.h"

namespace mqx {

class QtTimerSource : public TimerSource {
public:
    std::unique_ptr<Timers> createTimers(TimerClient& client) override {
        return std::make_unique<QtTimers>(client);
    }
};

} // namespace mqx
