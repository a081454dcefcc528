#include "core/app_settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace mqx {
namespace {

int readInt(const QSettings& ini, const char* key, int fallback) {
    bool ok = false;
    const int value = ini.value(QLatin1StringView(key)).toInt(&ok);
    return ok ? value : fallback;
}

// The values a dialog can show: anything else from a hand-edited or damaged file
// falls back to the default instead of selecting nothing.
AppSettings sane(AppSettings s) {
    if (s.LastPort < 1 || s.LastPort > 4)
        s.LastPort = 1;
    if (s.LastUnitId < 1 || s.LastUnitId > 99)
        s.LastUnitId = 1;
    s.lastFile.truncate(kLastFileMaximum);
    s.levelMeterMode = s.levelMeterMode != 0 ? 1 : 0;
    s.delayUnit = s.delayUnit != 0 ? 1 : 0;
    return s;
}

// "%6c%02d%02d%256c": six characters of no meaning, the port, the unit ID, then the
// last file path padded out to 256 characters.
AppSettings readOlderFile(const QByteArray& bytes) {
    AppSettings s;
    const auto twoDigits = [&bytes](int at, int fallback) {
        bool ok = false;
        const int value = bytes.mid(at, 2).trimmed().toInt(&ok);
        return ok ? value : fallback;
    };
    s.LastPort = twoDigits(6, 1);
    s.LastUnitId = twoDigits(8, 1);
    QByteArray path = bytes.mid(10, 256);
    const qsizetype nul = path.indexOf('\0');
    if (nul >= 0)
        path.truncate(nul);
    s.lastFile = QString::fromLocal8Bit(path).trimmed();
    return s;
}

} // namespace

QString DefaultSettingsFolder() {
    // Named, not taken from the program's name: mqxtool reads the controller's ports too.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mqx-controller");
}

AppSettings LoadAppSettings(const QString& folder) {
    const QDir dir(folder);
    const QString path = dir.filePath(QLatin1StringView(kSettingsFileName));
    if (QFile::exists(path)) {
        const QSettings ini(path, QSettings::IniFormat);
        AppSettings s;
        s.LastPort = readInt(ini, "Set/LastComPort", 1);
        s.LastUnitId = readInt(ini, "Set/LastIDNo", 1);
        s.lastFile = ini.value(QStringLiteral("Set/Lastfile")).toString();
        s.levelMeterMode = readInt(ini, "Option/LevelMeterMode", 0);
        s.delayUnit = readInt(ini, "Option/DelayUnit", 0);
        return sane(s);
    }
    QFile older(dir.filePath(QLatin1StringView(kOlderSettingsFileName)));
    if (older.open(QIODevice::ReadOnly))
        return sane(readOlderFile(older.read(10 + 256)));
    return AppSettings{};
}

bool SaveAppSettings(const AppSettings& settings, const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    QSettings ini(QDir(folder).filePath(QLatin1StringView(kSettingsFileName)),
                  QSettings::IniFormat);
    ini.setValue(QStringLiteral("Set/Version"), QStringLiteral("VER150"));
    ini.setValue(QStringLiteral("Set/LastComPort"), settings.LastPort);
    ini.setValue(QStringLiteral("Set/LastIDNo"), settings.LastUnitId);
    ini.setValue(QStringLiteral("Set/Lastfile"), settings.lastFile.left(kLastFileMaximum));
    ini.setValue(QStringLiteral("Option/LevelMeterMode"), settings.levelMeterMode);
    ini.setValue(QStringLiteral("Option/DelayUnit"), settings.delayUnit);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace mqx
