#include "unit_verbs.h"

#include "program/program_file.h"
#include "stream_prompts.h"
#include "unit_link.h"

#include <QRegularExpression>

namespace mqx::tool {
namespace {

constexpr int kDefaultLimitSeconds = 60;
// An hour is already far beyond any exchange; the bound keeps the milliseconds in range.
constexpr int kLongestLimitSeconds = 3600;

QString lockText(char state) {
    if (state == 'E')
        return QStringLiteral("No");
    if (state == 'D')
        return QStringLiteral("Yes");
    return QStringLiteral("---");
}

struct UnitArguments {
    QString port;
    int unitId = 0;
    int limitMs = 0;
    QString file;
};

bool readArguments(UnitVerb verb, const QCommandLineParser& parser, QTextStream& err,
                   UnitArguments& a) {
    UnitOptions options;
    if (!readUnitOptions(parser, err, options))
        return false;
    a.port = options.port;
    a.unitId = options.unitId;
    a.limitMs = options.limitMs;
    const QStringList rest = parser.positionalArguments();
    const qsizetype wanted = verb == UnitVerb::Info ? 0 : 1;
    if (rest.size() != wanted) {
        err << (wanted == 0 ? "mqxtool: info takes no FILE argument; see --help"
                            : "mqxtool: expected one FILE argument; see --help")
            << Qt::endl;
        return false;
    }
    if (wanted == 1)
        a.file = rest.first();
    return true;
}

} // namespace

bool readUnitOptions(const QCommandLineParser& parser, QTextStream& err, UnitOptions& a) {
    if (!parser.isSet(QStringLiteral("port"))) {
        err << "mqxtool: --port DEVICE_OR_COM_NUMBER is required; see --help" << Qt::endl;
        return false;
    }
    a.port = PortText(parser.value(QStringLiteral("port")));
    if (a.port.isEmpty()) {
        err << "mqxtool: --port takes 1..4, COM1..COM4, a device name such as ttyUSB0 (for "
               "/dev/ttyUSB0) or a path such as /dev/serial/by-id/..."
            << Qt::endl;
        return false;
    }
    bool ok = false;
    a.unitId = parser.value(QStringLiteral("id")).toInt(&ok);
    if (!ok || a.unitId < 1 || a.unitId > 99) {
        err << "mqxtool: --id takes a unit ID from 1 to 99" << Qt::endl;
        return false;
    }
    const int seconds = parser.value(QStringLiteral("limit")).toInt(&ok);
    if (!ok || seconds < 1 || seconds > kLongestLimitSeconds) {
        err << "mqxtool: --limit takes a number of seconds from 1 to " << kLongestLimitSeconds
            << Qt::endl;
        return false;
    }
    a.limitMs = seconds * 1000;
    return true;
}

QString PortText(const QString& given) {
    const QString text = given.trimmed();
    if (text.contains(u'/'))
        return text;
    static const QRegularExpression comPort(QStringLiteral("^(?:com)?([1-4])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = comPort.match(text); m.hasMatch())
        return m.captured(1);
    // A numbered device node as the kernel names them (ttyS0, ttyUSB1, rfcomm0); a COM
    // port other than 1..4 is none.
    static const QRegularExpression device(QStringLiteral("^[A-Za-z][A-Za-z0-9_.-]*[0-9]$"));
    static const QRegularExpression otherCom(QStringLiteral("^com[0-9]+$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (device.match(text).hasMatch() && !otherCom.match(text).hasMatch())
        return QStringLiteral("/dev/") + text;
    return {};
}

void addUnitOptions(QCommandLineParser& parser) {
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("COM port 1..4 or COM1..COM4, a device name such as "
                                     "ttyUSB0, or a device path."),
                      QStringLiteral("DEVICE_OR_COM_NUMBER")});
    parser.addOption(
        {QStringLiteral("id"), QStringLiteral("Unit ID, 1..99."), QStringLiteral("N")});
    parser.addOption(
        {QStringLiteral("limit"),
         QStringLiteral("Give up after this many seconds (default %1).").arg(kDefaultLimitSeconds),
         QStringLiteral("SECONDS"), QString::number(kDefaultLimitSeconds)});
}

int runUnitVerb(UnitVerb verb, const QCommandLineParser& parser, QTextStream& out,
                QTextStream& err) {
    UnitArguments a;
    if (!readArguments(verb, parser, err, a))
        return 2;

    Session staged;
    if (verb == UnitVerb::Upload) {
        // The file is read before the unit is touched: a bad file sends nothing.
        const FileResult loaded = LoadProgramFile(staged, a.file);
        if (!loaded) {
            err << "mqxtool: " << a.file << ": " << loaded.error << Qt::endl;
            return 1;
        }
    }

    StreamPrompts prompts(err);
    UnitLink unit(prompts, a.limitMs);
    if (verb == UnitVerb::Upload) {
        unit.session().staging = staged.staging;
        ApplyLoadedFile(unit.session());
    }

    bool ok = unit.connect(a.port, a.unitId);
    if (ok && verb != UnitVerb::Info)
        ok = unit.transfer(verb == UnitVerb::Upload ? TransferDirection::Upload
                                                    : TransferDirection::Download);
    if (ok && verb == UnitVerb::Info) {
        const Session& s = unit.session();
        out << "MQX-T410 ID = "
            << QStringLiteral("%1").arg(s.ConnectedUnitId, 2, 10, QLatin1Char('0'))
            << "\nPanel Lock = " << lockText(s.PanelLockState)
            << "\nInformation = " << QString::fromLatin1(s.DeviceInfoText) << Qt::endl;
    }
    const bool farewell = unit.disconnect();
    if (unit.lineLost())
        err << "mqxtool: " << unit.lostText().replace(QLatin1Char('\n'), QLatin1Char(' '))
            << Qt::endl;
    if (unit.timedOut())
        err << "mqxtool: the unit did not finish within " << a.limitMs / 1000 << " s" << Qt::endl;
    if (!ok)
        return 1;
    // A program that arrived is kept even when the goodbye went unanswered.
    if (verb == UnitVerb::Download) {
        const FileResult saved = SaveProgramFile(unit.session(), a.file);
        if (!saved) {
            err << "mqxtool: " << a.file << ": cannot be written: " << saved.error << Qt::endl;
            return 1;
        }
    }
    return farewell ? 0 : 1;
}

} // namespace mqx::tool
