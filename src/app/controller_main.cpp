#include "app/controller_app.h"
#include "app/main_window.h"
#include "core/app_settings.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mqx-controller"));
    QApplication::setApplicationVersion(QStringLiteral("1.50"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("MQX-T410 Controller"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Work with simulated units (IDs 1, 2 and 3) "
                                                 "behind every COM port instead of a real line."));
    parser.addOption(demo);
    parser.process(app);

    mqx::ControllerApp controller(parser.isSet(demo), mqx::DefaultSettingsFolder());
    controller.window().show();
    return QApplication::exec();
}
