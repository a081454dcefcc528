#include "app/menu_state.h"
#include "app/status_texts.h"
#include "core/session.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

using namespace mqx;

TEST(StatusPanel, DisconnectedAndEachPanelLockState) {
    Session s;
    EXPECT_EQ(StatusPanelText(s), QStringLiteral("Disconnected"));
    s.ConnectedUnitId = 7;
    s.DeviceInfoText = QByteArray("Hall A rack 2").leftJustified(256, '.');
    for (const auto& [state, lock] : {std::pair{'\0', "---"},
                                      {'D', "Yes"},
                                      {'E', "No(PANEL LOCK\nSTATUS IS KEPT WHILE\nCONNECTED)"}}) {
        s.PanelLockState = state;
        EXPECT_EQ(StatusPanelText(s), QStringLiteral("MQX-T410 ID = 07\nPanel Lock = ") +
                                          QLatin1String(lock) + u'\n' +
                                          QString::fromLatin1(s.DeviceInfoText));
    }
}

TEST(ProgramPanel, HeaderLinesFromTheRecord) {
    Session s;
    ProgramRecord& r = s.CurrentRecord();
    // The factory program's text is in the pictures.
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

TEST(UpdateMenus, ConnectionGreysTheFileItemsAndTheOptionsAreChecked) {
    Session s;
    for (bool connected : {false, true}) {
        s.ConnectedUnitId = connected ? 1 : 0;
        s.settings.levelMeterMode = s.settings.delayUnit = connected ? 1 : 0;
        auto m = UpdateMenus(s);
        EXPECT_EQ(
            (std::array{m[MenuId::LevelMeterFine].checked, m[MenuId::LevelMeterCoarse].checked,
                        m[MenuId::DelayMeters].checked, m[MenuId::DelayFeetInches].checked}),
            (std::array{!connected, connected, !connected, connected}));
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
    // {EQ mode, GEQ link, PEQ link} and {GEQ Flat, GEQ Link On, Off, PEQ Flat, PEQ Link On, Off}.
    const std::pair<std::array<int, 3>, std::array<bool, 6>> cases[] = {
        {{0, 1, 1}, {true, false, true, false, false, false}},
        {{0, 0, 0}, {true, true, false, false, false, false}},
        {{0, 2, 0}, {true, false, false, false, false, false}}, // a stray value enables neither
        {{1, 1, 1}, {false, false, false, true, false, true}},
        {{1, 0, 0}, {false, false, false, true, true, false}},
        {{1, 0, 5}, {false, false, false, true, false, false}},
    };
    for (const auto& [state, enabled] : cases) {
        Session s;
        ProgramRecord& r = s.CurrentRecord();
        std::tie(r.eq_mode, r.geq_link, r.peq_link) = std::tuple(state[0], state[1], state[2]);
        auto m = UpdateMenus(s);
        const std::array<bool, 6> got = {
            m[MenuId::GeqFlat].enabled,    m[MenuId::GeqLinkOn].enabled,
            m[MenuId::GeqLinkOff].enabled, m[MenuId::PeqFlat].enabled,
            m[MenuId::PeqLinkOn].enabled,  m[MenuId::PeqLinkOff].enabled};
        EXPECT_EQ(got, enabled) << state[0] << state[1] << state[2];
    }
}
