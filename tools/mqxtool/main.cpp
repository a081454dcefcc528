#include "tool_verbs.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mqxtool"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MQX_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return mqx::tool::run(QCoreApplication::arguments(), out, err);
}
