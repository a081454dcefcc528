#pragma once
// Hands out timers bound to one owner. The link engine and every procedure that polls
// the engine take a TimerSource, so the same code runs on window timers (QtTimerSource)
// and on the virtual clock of the tests.

#include "link/timers.h"

#include <memory>

namespace mqx {

class TimerSource {
public:
    virtual ~TimerSource() = default;
    // Timers whose ticks go to `client`. The client must outlive them; destroying them
    // stops every timer they run.
    virtual std::unique_ptr<Timers> createTimers(TimerClient& client) = 0;
};

} // namespace mqx
