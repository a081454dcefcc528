#include "tool_verbs.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    // Drawing (sheets, images) needs fonts and so a GUI application, but never a screen;
    // every other verb runs on the core alone and starts at once.
    bool draws = false;
    for (int i = 1; i < argc; ++i)
        draws = draws || std::strcmp(argv[i], "sheet") == 0 || std::strcmp(argv[i], "--png") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("mqxtool"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MQX_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return mqx::tool::run(QCoreApplication::arguments(), out, err);
}
