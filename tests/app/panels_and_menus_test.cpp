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

TEST(UpdateMenus, ConnectionGreysTheFileItemsAndEnablesTheUnitItems) {
    Session s = fresh();
    for (bool connected : {false, true}) {
        s.ConnectedUnitId = connected ? 1 : 0;
        auto m = UpdateMenus(s);
        for (MenuId id : {MenuId::FileNew, MenuId::FileOpen, MenuId::Connect, MenuId::Ports})
            EXPECT_EQ(m[id].enabled, !connected) << int(id);
        for (MenuId id : {MenuId::Disconnect, MenuId::Information, MenuId::PanelLock,
                          MenuId::ProgramStore, MenuId::ProgramList})
            EXPECT_EQ(m[id].enabled, connected) << int(id);
        // Name, information and CH Link edit the current program with or without a unit.
        for (MenuId id : {MenuId::ProgramName, MenuId::ProgramInformation, MenuId::OutputLinkCh})
            EXPECT_TRUE(m[id].enabled) << int(id);
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
    for (int option : {0, 1}) {
        s.settings.levelMeterMode = option;
        s.settings.delayUnit = option;
        auto m = UpdateMenus(s);
        EXPECT_EQ(m[MenuId::LevelMeterFine].checked, option == 0);
        EXPECT_EQ(m[MenuId::LevelMeterCoarse].checked, option == 1);
        EXPECT_EQ(m[MenuId::DelayMeters].checked, option == 0);
        EXPECT_EQ(m[MenuId::DelayFeetInches].checked, option == 1);
    }
}
