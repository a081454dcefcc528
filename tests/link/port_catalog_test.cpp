// The ports on offer, the listing of `mqxtool ports`, typed paths and the [Ports] section.

#include "link/port_catalog.h"
#include "test_paths.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

using namespace mqx;

TEST(PortCatalog, DescribesFindsAndOffersThePortsFound) {
    mqx::test::ScratchDir dir;
    // A port found by its by-id link, and a device that exists but is no port found.
    const QString adapter = mqx::test::writeFile(dir, "ttyACM0", {});
    const QString link = dir.path("usb-adapter-if00");
    ASSERT_TRUE(QFile::link(adapter, link));
    const QString pty = mqx::test::writeFile(dir, "pts-7", {});
    const PortCatalog catalog({{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A12345"},
                               {adapter, "", "Acme", ""},
                               {"/dev/ttyUSB1", "", "", ""}});

    const struct {
        QString path, described;
    } cases[] = {
        {"/dev/ttyUSB0", "/dev/ttyUSB0 (FT232R USB UART)"},
        {link, link + " (Acme)"}, // no description: the manufacturer says what it is
        {"/dev/ttyUSB1", "/dev/ttyUSB1"},
        {pty, pty},
        {"/dev/mqx-test-gone", "/dev/mqx-test-gone (not found)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(catalog.describe(c.path), c.described) << c.path.toStdString();

    PortMap map;
    map.setDevicePath(2, "/dev/ttyUSB1");
    map.setDevicePath(3, link);
    const QStringList found{"/dev/ttyUSB0", "/dev/ttyUSB1", adapter};
    EXPECT_EQ(catalog.choices(map, 1), found + QStringList{"/dev/ttyS0"});
    EXPECT_EQ(catalog.choices(map, 2), found); // already among them
    EXPECT_EQ(catalog.choices(map, 3), found + QStringList{link});
}

TEST(PortCatalog, ListingGivesThePortsInColumnsThenTheComNumbers) {
    PortMap map;
    map.setDevicePath(2, "/dev/ttyUSB0");
    map.setDevicePath(4, "/dev/mqx-test-gone");
    const PortCatalog twoAdapters({{"/dev/ttyUSB1", "", "Prolific", ""},
                                   {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A12345"}});
    EXPECT_EQ(twoAdapters.listing(map),
              "Device        Description      Manufacturer  Serial number\n"
              "/dev/ttyUSB0  FT232R USB UART  FTDI          A12345\n"
              "/dev/ttyUSB1                   Prolific\n"
              "\n"
              "COM1  /dev/ttyS0" +
                  QString(QFile::exists("/dev/ttyS0") ? "" : " (not found)") +
                  "\n"
                  "COM2  /dev/ttyUSB0 (FT232R USB UART)\n"
                  "COM3  /dev/ttyS2" +
                  QString(QFile::exists("/dev/ttyS2") ? "" : " (not found)") +
                  "\n"
                  "COM4  /dev/mqx-test-gone (not found)\n");
    EXPECT_TRUE(PortCatalog().listing(map).startsWith("No serial ports found.\n\nCOM1  "));
}

TEST(PortMap, OnlyComOneToFourAreNumbersAnythingWithASlashIsAPath) {
    PortMap map;
    map.setDevicePath(1, "/dev/ttyUSB1");
    map.setDevicePath(4, "/dev/ttyUSB4");
    map.setDevicePath(0, "/dev/zero-is-no-port");
    map.setDevicePath(5, "/dev/five-is-no-port");
    const struct {
        const char* text;
        const char* path;
    } cases[] = {
        {"1", "/dev/ttyUSB1"},    {" 2 ", "/dev/ttyS1"}, {"3", "/dev/ttyS2"},
        {"4", "/dev/ttyUSB4"},    {"0", "/dev/ttyUSB1"}, {"5", "/dev/ttyUSB1"},
        {"COM2", "/dev/ttyUSB1"}, {"", "/dev/ttyUSB1"},  {"/dev/ttyACM0", "/dev/ttyACM0"},
        {"pts/3", "pts/3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(map.resolve(QString::fromLatin1(c.text)), QString::fromLatin1(c.path)) << c.text;
    EXPECT_EQ(map.devicePath(0) + map.devicePath(5), QString()); // numbers beyond the four
}

TEST(PortMap, TypedPathsAndThePortsSectionOfTheSettingsFile) {
    const struct {
        QString typed;
        int number;
        QString path;
    } cases[] = {
        {"ttyUSB0", 1, "/dev/ttyUSB0"},
        {"  /dev/serial/by-id/usb-x  ", 1, "/dev/serial/by-id/usb-x"},
        {"", 3, "/dev/ttyS2"},
        {"   ", 4, "/dev/ttyS3"},
        {"/tmp/mqx-port", 2, "/tmp/mqx-port"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortMap::typedDevicePath(c.typed, c.number), c.path) << c.typed.toStdString();

    mqx::test::ScratchDir dir;
    const QString folder = dir.path("config/mqx-controller");
    EXPECT_EQ(PortMap::load(folder).devicePath(2), "/dev/ttyS1"); // no file yet
    PortMap map;
    map.setDevicePath(2, "/dev/ttyUSB0");
    map.setDevicePath(4, "/tmp/mqx-port");
    ASSERT_TRUE(map.save(folder));
    const PortMap reread = PortMap::load(folder);
    for (int n = 1; n <= PortMap::kPortCount; ++n)
        EXPECT_EQ(reread.devicePath(n), map.devicePath(n)) << n;
    // Beside the other settings (which the settings' own test sees kept).
    const QSettings ini(dir.path("config/mqx-controller/mqx-controller.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Ports/COM2").toString(), "/dev/ttyUSB0");

    mqx::test::writeFile(dir, "file", "x");
    EXPECT_FALSE(map.save(dir.path("file/below")));
}
