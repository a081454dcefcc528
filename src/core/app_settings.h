#pragma once
// The settings kept between runs: an INI file in the user's configuration folder with the
// sections "Set" and "Option" (and "Ports", the device paths of COM1..COM4, which the
// serial port reads). When it does not exist yet, the fixed-format file of the older
// controller, T410C.ini in the same folder, gives the last port, unit and file.

#include <QString>

namespace mqx {

struct AppSettings {
    int LastPort = 1;       // COM port number 1..4
    int LastUnitId = 1;     // 1..99
    QString lastFile;       // at most 255 characters
    int levelMeterMode = 0; // 0 Fine, 1 Coarse
    int delayUnit = 0;      // 0 metres, 1 feet/inches

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

inline constexpr char kSettingsFileName[] = "mqx-controller.ini";
inline constexpr char kOlderSettingsFileName[] = "T410C.ini";
inline constexpr int kLastFileMaximum = 255;

// The folder the settings live in: mqx-controller in the user's configuration folder.
QString DefaultSettingsFolder();

// Reads the settings of `folder`; missing files and keys give the defaults.
AppSettings LoadAppSettings(const QString& folder);

// Writes the settings file of `folder`, keeping any other sections it holds.
// Returns false when the file could not be written.
bool SaveAppSettings(const AppSettings& settings, const QString& folder);

} // namespace mqx
