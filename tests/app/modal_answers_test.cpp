// Return takes the default button, Escape backs out; each command reads the answer it got.

#include "app/connection_commands.h"
#include "app/edit_commands.h"
#include "app/eq_commands.h"
#include "app/message_box_prompts.h"
#include "app/program_commands.h"
#include "connection/connection_dialog_runner.h"
#include "connection/device_info_procedure.h"
#include "connection/panel_lock_procedure.h"
#include "connection/select_data_procedure.h"
#include "installed_window.h"
#include "link/link_engine.h"
#include "link/qt_timer_source.h"
#include "scripted_serial_port.h"
#include "simulated_line.h"
#include "steady_clock.h"
#include "unit_simulator.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

namespace {

// Presses `key` on the next modal window after `prepare`; says whether one was met.
std::shared_ptr<bool> AnswerNextModal(QObject* owner, int key,
                                      std::function<void(QWidget*)> prepare) {
    auto met = std::make_shared<bool>(false);
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, met, key, prepare, ticks = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && !*met) {
            *met = true;
            if (prepare)
                prepare(modal);
            QTest::keyClick(modal, static_cast<Qt::Key>(key));
        } else if (++ticks > 400 || (modal == nullptr && *met)) {
            if (modal != nullptr)
                modal->close();
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(5);
    return met;
}

struct Window : test::InstalledWindow {
    Window() {
        ApplyRecordDefaults(session.CurrentRecord());
        session.CurrentRecord().geq_level[0][0] = 0;
        window->RefreshAll();
    }
    // The commands belong to the window and hold the engine: the window goes first.
    ~Window() { window.reset(); }
    test::ScriptedSerialPort port;
    LinkEngine engine{port, clock, session};
    ConnectionCommands* connection =
        InstallConnectionCommands(*window, session, engine, prompts, clock);
    EqCommands* eqCommands = InstallEqCommands(*window, session, sink, pages, connection);
    ProgramCommands* program =
        InstallProgramCommands(*window, session, engine, prompts, clock, connection);
};

} // namespace

TEST(ModalAnswers, EachCommandReadsTheKeyItWasAnswered) {
    Window w;
    MessageBoxPrompts boxes(w.window.get());
    ConnectionDialogRunner dialogs(w.window.get(), w.prompts);
    DeviceInfoProcedure info(DeviceInfoMode::Edit, w.session, w.engine, w.prompts, w.clock);
    SelectDataProcedure select(w.session, w.engine, w.prompts, w.clock);
    PanelLockProcedure lock(w.session, w.engine, w.prompts, w.clock);
    const QString t = QStringLiteral("Panel Operation Lock"), q = QStringLiteral("Go on?");
    const auto tickFirst = [](QWidget* dialog) {
        dialog->findChildren<QCheckBox*>().value(0)->setChecked(true);
    };
    // A window manager cuts a title that does not fit beside its buttons.
    const auto wide = [](QWidget* box) {
        QFont bold = box->font();
        bold.setBold(true); // as title bars are
        const QFontMetrics m(bold);
        EXPECT_GE(box->width(), m.horizontalAdvance(box->windowTitle()) + 3 * m.height());
    };
    QString shown; // the title of the dialog that came up
    const auto title = [&](QWidget* dialog) { shown = dialog->windowTitle(); };
    // A menu item opens its dialog; a unit is connected for all but Connect.
    const auto menu = [&](MenuId id, const char* expected) {
        return [&, id, expected] {
            w.session.ConnectedUnitId = id == MenuId::Connect ? 0 : 1;
            w.window->UpdateMenus();
            w.window->action(id)->trigger();
            return shown == expected && w.session.ConnectedUnitId == (id != MenuId::Connect);
        };
    };
    const auto closing = [&] { return !w.window->runCloseSequence() && shown == "Disconnect"; };
    const auto flat = [&] {
        w.window->action(MenuId::GeqFlat)->trigger();
        return w.session.CurrentRecord().geq_level[0][0] == 24;
    };
    constexpr int Esc = Qt::Key_Escape, Ret = Qt::Key_Return;
    constexpr auto Q = PromptIcon::Question, I = PromptIcon::Information;
    // {what, key, what is done to the window first, the question, the answer read}
    using Case =
        std::tuple<const char*, int, std::function<void(QWidget*)>, std::function<bool()>, bool>;
    // clang-format off
    const std::vector<Case> cases = {
        {"message, Return", Ret, wide, [&] { return boxes.message(t, q, I), true; }, true},
        {"confirm, Return", Ret, wide, [&] { return boxes.confirm(t, q, Q); }, true},
        {"confirm, Escape", Esc, {}, [&] { return boxes.confirm(t, q, Q); }, false},
        {"Cancel first, Return", Ret, {}, [&] { return boxes.confirmCancelFirst(t, q, Q); }, false},
        {"Caution, Return", Ret, {}, [&] { return w.connection->caution(); }, true},
        {"Caution, Escape", Esc, {}, [&] { return w.connection->caution(); }, false},
        {"Information, Escape", Esc, {}, [&] { return dialogs.runDeviceInfo(info, 1, {}); }, false},
        {"Select data, Escape", Esc, {}, [&] { return dialogs.runSelectData(select); }, false},
        {"Panel lock, Escape", Esc, {}, [&] { return dialogs.runPanelLock(lock, 'D'); }, false},
        {"GEQ Flat, Escape", Esc, tickFirst, flat, false},
        {"GEQ Flat, Return", Ret, tickFirst, flat, true},
        {"Connect menu", Esc, title, menu(MenuId::Connect, "Connect"), true},
        {"Disconnect menu", Esc, title, menu(MenuId::Disconnect, "Disconnect"), true},
        {"Information menu", Esc, title, menu(MenuId::Information, "Device Information"), true},
        {"Panel lock menu", Esc, title, menu(MenuId::PanelLock, "Panel Operation Lock"), true},
        {"Name menu", Esc, title, menu(MenuId::ProgramName, "Program Name"), true},
        {"Program info", Esc, title, menu(MenuId::ProgramInformation, "Program Infomation"), true},
        {"closing", Esc, title, closing, true},
    };
    // clang-format on
    w.window->tabs()->setCurrentIndex(1);
    for (const auto& [what, key, prepare, ask, answer] : cases) {
        SCOPED_TRACE(what);
        const auto met = AnswerNextModal(w.window.get(), key, prepare);
        EXPECT_EQ(ask(), answer);
        EXPECT_TRUE(*met);
    }
    // The flat GEQ is on the page as soon as the dialog closes: no box shows the old -12 dB.
    for (const QLineEdit* box : w.window->page(1)->findChildren<QLineEdit*>())
        EXPECT_NE(box->text().trimmed(), QStringLiteral("-12.0"));
    EXPECT_TRUE(w.port.written().empty());
}

// On the simulated unit in real time; Escape closes the window.
TEST(ModalAnswers, TheCompareWindowSendsTakesOrLeavesBothPrograms) {
    test::InstalledWindow w;
    sim::SteadyClock steady;
    QtTimerSource timers;
    sim::UnitSimulator sim({1});
    sim::SimulatedLine line(sim, steady, &timers);
    LinkEngine engine(line, timers, w.session);
    EditCommands* edit =
        InstallEditCommands(*w.window, w.session, w.sink, engine, w.prompts, timers);
    ApplyDefaults(w.session);
    ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    w.session.ConnectedUnitId = 1;
    std::uint8_t& pc = w.session.CurrentRecord().out[0].level;
    const std::uint8_t& unit = sim.unit(1)->currentProgram().out[0].level;
    const auto click = [](const char* text) {
        return [text](QWidget* window) {
            for (QPushButton* b : window->findChildren<QPushButton*>())
                if (b->text() == QLatin1StringView(text))
                    b->click();
        };
    };
    // {button (none: Escape), the PC's level after, the unit's level after}
    const std::vector<std::tuple<const char*, int, int>> cases = {
        {nullptr, 10, 20}, {"Take unit program", 20, 20}, {"Send PC program to unit", 10, 10}};
    for (const auto& [button, pcAfter, unitAfter] : cases) {
        SCOPED_TRACE(button == nullptr ? "Escape" : button);
        pc = 10;
        sim.unit(1)->currentProgram() = w.session.CurrentRecord();
        sim.unit(1)->currentProgram().out[0].level = 20;
        const auto met = AnswerNextModal(w.window.get(), button ? Qt::Key_Shift : Qt::Key_Escape,
                                         button ? click(button) : std::function<void(QWidget*)>());
        edit->compareWithUnit();
        EXPECT_TRUE(*met);
        EXPECT_EQ((std::pair<int, int>(pc, unit)), std::pair(pcAfter, unitAfter));
    }
    w.window.reset(); // the commands hold the engine: the window goes first
}
