#include "core_application.h"

#include <QCoreApplication>

namespace mqx::test {

void ensureCoreApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "mqx-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

} // namespace mqx::test
