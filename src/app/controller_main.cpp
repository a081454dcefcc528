#include "app/controller_app.h"
#include "app/main_window.h"
#include "core/app_settings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <cstring>
#include <memory>

namespace {

// --help and --version answer on a terminal without a display (and so can feed the
// manual page).
bool onlyText(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> app =
        onlyText(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                             : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mqx-controller"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MQX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("MQX-T410 Controller: edits MQX-T410 audio processors live over an RS-232 "
                       "line.\nCOM1..COM4 open the devices of the [Ports] section of %1 "
                       "(Option > Ports...).")
            .arg(QDir(mqx::DefaultSettingsFolder())
                     .filePath(QLatin1StringView(mqx::kSettingsFileName))));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Work with simulated units (IDs 1, 2 and 3) "
                                                 "behind every COM port instead of a real line."));
    parser.addOption(demo);
    parser.process(*app);

    mqx::ControllerApp controller(parser.isSet(demo), mqx::DefaultSettingsFolder());
    controller.window().show();
    return QApplication::exec();
}
