#pragma once
// The one exchange with the unit that may be under way.

namespace mqx {

struct ExchangeState {
    int expected = 0;       // replyLength of the command sent
    int received = 0;       // characters received so far, dropped ones included
    int ticks = 0;          // 50 ms ticks left before the wait gives up
    bool succeeded = false; // ended with a complete reply (full length or an error reply)
    bool done = true;       // no exchange under way: the line is free
};

} // namespace mqx
