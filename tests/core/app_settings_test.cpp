#include "core/app_settings.h"
#include "test_paths.h"

#include <QSettings>

#include <gtest/gtest.h>

using namespace mqx;
using namespace mqx::test;

TEST(AppSettings, RoundTripKeepsOtherSections) {
    ScratchDir dir;
    const QString folder = dir.path(QStringLiteral("cfg"));
    EXPECT_EQ(LoadAppSettings(folder), (AppSettings{1, 1, QString(), 0, 0}))
        << "first start without any file";
    ASSERT_TRUE(SaveAppSettings(AppSettings{}, folder));
    QSettings(folder + QStringLiteral("/mqx-controller.ini"), QSettings::IniFormat)
        .setValue(QStringLiteral("Ports/COM2"), QStringLiteral("/dev/ttyUSB0"));
    const AppSettings s{3, 42, QStringLiteral("/home/eng/shows/main hall.mqx"), 1, 1};
    ASSERT_TRUE(SaveAppSettings(s, folder));
    EXPECT_EQ(LoadAppSettings(folder), s);

    QSettings ini(folder + QStringLiteral("/mqx-controller.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Set/Version")).toString(), QStringLiteral("VER150"));
    EXPECT_EQ(ini.value(QStringLiteral("Set/LastIDNo")).toInt(), 42);
    EXPECT_EQ(ini.value(QStringLiteral("Option/DelayUnit")).toInt(), 1);
    EXPECT_EQ(ini.value(QStringLiteral("Ports/COM2")).toString(), QStringLiteral("/dev/ttyUSB0"));
}

TEST(AppSettings, OlderFileIsReadOnlyWhenTheNewOneIsMissing) {
    ScratchDir dir;
    const QString folder = dir.path(QString());
    QByteArray older = "T410C 0317/home/eng/old.mqx";
    older.append(QByteArray(256 - 17, '\0'));
    writeFile(dir, QStringLiteral("T410C.ini"), older);
    AppSettings s = LoadAppSettings(folder);
    EXPECT_EQ(s, (AppSettings{3, 17, QStringLiteral("/home/eng/old.mqx"), 0, 0}));

    // The first close writes the new file, which wins from then on.
    s.LastUnitId = 5;
    ASSERT_TRUE(SaveAppSettings(s, folder));
    EXPECT_EQ(LoadAppSettings(folder).LastUnitId, 5);

    // A longer older file: what follows the 256 characters of the path is not part of it.
    ScratchDir longer;
    writeFile(longer, QStringLiteral("T410C.ini"),
              "T410C 0217" + QByteArray(250, 'p') + QByteArray(6, ' ') + "JUNK");
    EXPECT_EQ(LoadAppSettings(longer.path(QString())).lastFile, QString(250, u'p'));
}

TEST(AppSettings, DamagedValuesFallBackToWhatTheDialogsCanShow) {
    ScratchDir dir;
    writeFile(dir, QStringLiteral("mqx-controller.ini"),
              "[Set]\nLastComPort=9\nLastIDNo=abc\nLastfile=" + QByteArray(400, 'x') +
                  "\n[Option]\nLevelMeterMode=7\n");
    EXPECT_EQ(LoadAppSettings(dir.path(QString())), (AppSettings{1, 1, QString(255, u'x'), 1, 0}));

    writeFile(dir, QStringLiteral("mqx-controller.ini"), QByteArray());
    writeFile(dir, QStringLiteral("T410C.ini"), "short");
    EXPECT_EQ(LoadAppSettings(dir.path(QString())), AppSettings{}); // the new file exists, empty
}
