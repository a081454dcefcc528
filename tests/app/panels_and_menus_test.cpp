#include "app/menu_state.h"
#include "app/status_texts.h"
#include "core/session.h"

#include <gtest/gtest.h>

using namespace mqx;

namespace {

Session fresh() {
    Session s;
    ApplyDefaults(s);
    return s;
}

} // namespace

TEST(StatusPanel, DisconnectedAndEachPanelLockState) {
    Session s = fresh();
    EXPECT_EQ(StatusPanelText(s), QStringLiteral("Disconnected"));

    s.ConnectedUnitId = 7;
    s.DeviceInfoText = QByteArray("Hall A rack 2").leftJustified(256, '.');
    const QString info = QString::fromLatin1(s.DeviceInfoText);
    EXPECT_EQ(StatusPanelText(s), QStringLiteral("MQX-T410 ID = 07\nPanel Lock = ---\n") + info);
    s.PanelLockState = 'D';
    EXPECT_EQ(StatusPanelText(s), QStringLiteral("MQX-T410 ID = 07\nPanel Lock = Yes\n") + info);
    s.PanelLockState = 'E';
    EXPECT_EQ(StatusPanelText(s),
              QStringLiteral("MQX-T410 ID = 07\nPanel Lock = No(PANEL LOCK\nSTATUS IS KEPT WHILE\n"
                             "CONNECTED)\n") +
                  info);
}

TEST(ProgramPanel, HeaderLinesFromTheRecord) {
    Session s = fresh();
    ProgramRecord& r = s.CurrentRecord();
    EXPECT_EQ(ProgramInfoText(r), QStringLiteral("Program number = 00\nName = ") +
                                      QString(21, u'.') +
                                      QStringLiteral("\nRecall Lock = No\nProtection = No\n") +
                                      QString(256, u'.') + u'\n');
    r.program_number = 12;
    r.recall_lock = 1;
    r.write_enable = 0;
    r.name.fill(' ');
    std::memcpy(r.name.data(), "Sunday", 6);
    const QString text = ProgramInfoText(r);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Program number = 12\nName = Sunday               \n"
                                               "Recall Lock = Yes\nProtection = Yes\n")))
        << text.toStdString();
}

TEST(UpdateMenus, ConnectionGreysTheFileAndUnitItems) {
    Session s = fresh();
    auto m = UpdateMenus(s);
    EXPECT_TRUE(m[MenuId::FileNew].enabled);
    EXPECT_TRUE(m[MenuId::FileOpen].enabled);
    EXPECT_TRUE(m[MenuId::Connect].enabled);
    EXPECT_TRUE(m[MenuId::Ports].enabled);
    for (MenuId id : {MenuId::Disconnect, MenuId::Information, MenuId::PanelLock,
                      MenuId::ProgramStore, MenuId::ProgramList})
        EXPECT_FALSE(m[id].enabled) << int(id);

    s.ConnectedUnitId = 1;
    m = UpdateMenus(s);
    EXPECT_FALSE(m[MenuId::FileNew].enabled);
    EXPECT_FALSE(m[MenuId::FileOpen].enabled);
    EXPECT_FALSE(m[MenuId::Connect].enabled);
    EXPECT_FALSE(m[MenuId::Ports].enabled);
    for (MenuId id : {MenuId::Disconnect, MenuId::Information, MenuId::PanelLock,
                      MenuId::ProgramStore, MenuId::ProgramList})
        EXPECT_TRUE(m[id].enabled) << int(id);
    // Name, information and CH Link edit the current program with or without a unit.
    for (bool connected : {false, true}) {
        s.ConnectedUnitId = connected ? 1 : 0;
        m = UpdateMenus(s);
        EXPECT_TRUE(m[MenuId::ProgramName].enabled);
        EXPECT_TRUE(m[MenuId::ProgramInformation].enabled);
        EXPECT_TRUE(m[MenuId::OutputLinkCh].enabled);
    }
}

TEST(UpdateMenus, EqModeAndLinkStates) {
    struct Case {
        int mode, geqLink, peqLink;
        bool geqFlat, geqOn, geqOff, peqFlat, peqOn, peqOff;
    };
    const Case cases[] = {
        {0, 1, 1, true, false, true, false, false, false},
        {0, 0, 0, true, true, false, false, false, false},
        {0, 2, 0, true, false, false, false, false, false}, // a stray value enables neither
        {1, 1, 1, false, false, false, true, false, true},
        {1, 0, 0, false, false, false, true, true, false},
        {1, 0, 5, false, false, false, true, false, false},
    };
    for (const Case& c : cases) {
        Session s = fresh();
        s.CurrentRecord().eq_mode = static_cast<std::uint8_t>(c.mode);
        s.CurrentRecord().geq_link = static_cast<std::uint8_t>(c.geqLink);
        s.CurrentRecord().peq_link = static_cast<std::uint8_t>(c.peqLink);
        auto m = UpdateMenus(s);
        const std::string at = "mode " + std::to_string(c.mode) + " geq " +
                               std::to_string(c.geqLink) + " peq " + std::to_string(c.peqLink);
        EXPECT_EQ(m[MenuId::GeqFlat].enabled, c.geqFlat) << at;
        EXPECT_EQ(m[MenuId::GeqLinkOn].enabled, c.geqOn) << at;
        EXPECT_EQ(m[MenuId::GeqLinkOff].enabled, c.geqOff) << at;
        EXPECT_EQ(m[MenuId::PeqFlat].enabled, c.peqFlat) << at;
        EXPECT_EQ(m[MenuId::PeqLinkOn].enabled, c.peqOn) << at;
        EXPECT_EQ(m[MenuId::PeqLinkOff].enabled, c.peqOff) << at;
    }
}

TEST(UpdateMenus, OptionRadioChecks) {
    Session s = fresh();
    auto m = UpdateMenus(s);
    EXPECT_TRUE(m[MenuId::LevelMeterFine].checked);
    EXPECT_FALSE(m[MenuId::LevelMeterCoarse].checked);
    EXPECT_TRUE(m[MenuId::DelayMeters].checked);
    EXPECT_FALSE(m[MenuId::DelayFeetInches].checked);
    s.settings.levelMeterMode = 1;
    s.settings.delayUnit = 1;
    m = UpdateMenus(s);
    EXPECT_FALSE(m[MenuId::LevelMeterFine].checked);
    EXPECT_TRUE(m[MenuId::LevelMeterCoarse].checked);
    EXPECT_FALSE(m[MenuId::DelayMeters].checked);
    EXPECT_TRUE(m[MenuId::DelayFeetInches].checked);
}
