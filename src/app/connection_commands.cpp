#include "app/connection_commands.h"

#include "app/main_window.h"
#include "connection/connection_dialog_runner.h"
#include "connection/connection_flow.h"
#include "link/link_engine.h"

#include <QAction>
#include <QPointer>

namespace mqx {

ConnectionCommands::ConnectionCommands(MainWindow& window, Session& session, LinkEngine& engine,
                                       Prompts& prompts, TimerSource& timers)
    : QObject(&window), m_window(window),
      m_dialogs(std::make_unique<ConnectionDialogRunner>(&window, prompts)),
      m_flow(
          std::make_unique<ConnectionFlow>(session, engine, prompts, timers, *m_dialogs, *this)) {}

ConnectionCommands::~ConnectionCommands() = default;

bool ConnectionCommands::connectUnit() {
    return m_flow->connectUnit();
}
bool ConnectionCommands::disconnectUnit() {
    return m_flow->disconnectUnit();
}
bool ConnectionCommands::editInformation() {
    return m_flow->editInformation();
}
bool ConnectionCommands::panelLock() {
    return m_flow->panelLock();
}

void ConnectionCommands::setCautionDialog(std::function<bool()> caution) {
    m_dialogs->setCautionDialog(std::move(caution));
}

void ConnectionCommands::setPortDevices(std::function<QStringList()> devices) {
    m_dialogs->setPortDevices(std::move(devices));
}

bool ConnectionCommands::caution() {
    return m_dialogs->runCaution();
}

void ConnectionCommands::setLineLostHook(std::function<void()> hook) {
    m_flow->setLineLostHook(std::move(hook));
}

void ConnectionCommands::leaveTab() {
    m_window.LeaveTab(m_window.currentTab());
}
void ConnectionCommands::refreshAll() {
    m_window.RefreshAll();
}
void ConnectionCommands::refreshStatus() {
    m_window.RefreshStatus();
}
void ConnectionCommands::metersChanged() {
    m_window.metersChanged();
}

ConnectionCommands* InstallConnectionCommands(MainWindow& window, Session& session,
                                              LinkEngine& engine, Prompts& prompts,
                                              TimerSource& timers) {
    auto* commands = new ConnectionCommands(window, session, engine, prompts, timers);
    const auto bind = [&window, commands](MenuId id, bool (ConnectionCommands::*handler)()) {
        if (QAction* action = window.action(id))
            QObject::connect(action, &QAction::triggered, commands,
                             [commands, handler] { (commands->*handler)(); });
    };
    bind(MenuId::Connect, &ConnectionCommands::connectUnit);
    bind(MenuId::Disconnect, &ConnectionCommands::disconnectUnit);
    bind(MenuId::Information, &ConnectionCommands::editInformation);
    bind(MenuId::PanelLock, &ConnectionCommands::panelLock);
    window.setDisconnectProcedure([commands] { return commands->disconnectUnit(); });
    // The window may go before the engine does; a frame decoded after that is dropped.
    engine.setMetersCallback([shown = QPointer<MainWindow>(&window)](const MeterLevels&) {
        if (shown)
            shown->metersChanged();
    });
    return commands;
}

} // namespace mqx
