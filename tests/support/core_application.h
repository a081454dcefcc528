#pragma once
// Tests of code that needs Qt's event loop (serial port notifiers, QObject timers) call
// this first; it creates the one QCoreApplication of the test program.

namespace mqx::test {

void ensureCoreApplication();

} // namespace mqx::test
