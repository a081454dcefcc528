#include "sim_options.h"

#include <QCommandLineParser>

namespace mqx::sim {

SimOptionsResult ParseSimOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated MQX-T410 on a pseudo-terminal. Prints the device path as "
                       "its first line and answers on it until terminated."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption id(QStringLiteral("id"),
                                QStringLiteral("A unit ID 1..99 on the line (repeatable; 1)."),
                                QStringLiteral("N"));
    const QCommandLineOption link(
        QStringLiteral("link"),
        QStringLiteral("Also make a symlink to the device at PATH, where nothing "
                       "may stand yet; it is removed at exit."),
        QStringLiteral("PATH"));
    const QCommandLineOption noPacing(
        QStringLiteral("no-pacing"),
        QStringLiteral("Take requests and answer at once instead of at 19200 baud."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Log every frame received and sent."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral("Spoil the answers to a command (repeatable). KIND: silent, garbled, "
                       "error:NN, bursts:MS, wrong-id. @SLOT limits it to one program number. "
                       "Examples: recall:error:13, pinfget@12:garbled."),
        QStringLiteral("COMMAND[@SLOT]:KIND[:ARG]"));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOptions({help, version, id, link, noPacing, log, fault});

    SimOptionsResult result;
    if (!parser.parse(arguments)) {
        result.exitCode = 2;
        result.message = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        result.message = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.message = QStringLiteral("mqx-sim %1\n").arg(QLatin1StringView(MQX_VERSION));
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.exitCode = 2;
        result.message = QStringLiteral("unexpected argument \"%1\"")
                             .arg(parser.positionalArguments().constFirst());
        return result;
    }

    SimOptions options;
    for (const QString& text : parser.values(id)) {
        bool ok = false;
        const int value = text.toInt(&ok, 10);
        if (!ok || value < 1 || value > 99) {
            result.exitCode = 2;
            result.message = QStringLiteral("--id wants a number 1..99, got \"%1\"").arg(text);
            return result;
        }
        if (std::find(options.ids.begin(), options.ids.end(), value) == options.ids.end())
            options.ids.push_back(value);
    }
    if (options.ids.empty())
        options.ids.push_back(1);
    options.linkPath = parser.value(link);
    options.pacing = !parser.isSet(noPacing);
    options.logPath = parser.value(log);
    for (const QString& text : parser.values(fault)) {
        QString why;
        const std::optional<FaultOption> parsed = ParseFaultOption(text, &why);
        if (!parsed) {
            result.exitCode = 2;
            result.message = QStringLiteral("--fault: %1").arg(why);
            return result;
        }
        options.faults.push_back(*parsed);
    }
    result.options = options;
    return result;
}

} // namespace mqx::sim
