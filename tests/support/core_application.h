#pragma once
// Tests of code that needs Qt's event loop (serial port notifiers, QObject timers) call this
// first; it creates the one QCoreApplication of the test program.

#include <QCoreApplication>

namespace mqx::test {

inline void ensureCoreApplication() {
    static int argc = 1;
    static char name[] = "mqx-test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        static QCoreApplication application(argc, argv);
}

} // namespace mqx::test
