#include "app/program_commands.h"

#include "app/connection_commands.h"
#include "app/main_window.h"
#include "core/session.h"
#include "program/program_list_dialog.h"
#include "program/program_list_printer.h"
#include "program/program_list_procedure.h"
#include "program/program_store_dialog.h"
#include "program/program_store_procedure.h"
#include "program/program_text_dialog.h"
#include "program/program_text_procedure.h"

#include <QAction>

namespace mqx {

ProgramCommands::ProgramCommands(MainWindow& window, Session& session, LinkEngine& engine,
                                 Prompts& prompts, TimerSource& timers,
                                 ConnectionCommands* connection)
    : QObject(&window), m_window(window), m_session(session), m_engine(engine), m_prompts(prompts),
      m_timers(timers), m_connection(connection) {
    if (m_connection != nullptr)
        m_connection->setLineLostHook([this] { lineLost(); });
}

ProgramCommands::~ProgramCommands() {
    if (m_connection != nullptr)
        m_connection->setLineLostHook({});
}

void ProgramCommands::lineLost() {
    if (m_running)
        m_running();
}

void ProgramCommands::programList() {
    // A value still being typed on the page is taken before a recall can replace it.
    m_window.LeaveTab(m_window.currentTab());
    ProgramListProcedure list(m_session, m_engine, m_prompts, m_timers);
    if (m_connection != nullptr)
        list.setCaution([this] { return m_connection->caution(); });
    list.setProgramReplacedCallback([this] { m_window.RefreshAll(); });
    m_running = [&list] { list.lineLost(); };
    {
        const int unitId = m_session.ConnectedUnitId;
        ProgramListDialog dialog(
            list, m_session,
            [this, unitId, &list] {
                if (!list.isBusy())
                    PrintProgramList(&m_window, PrintedProgramList(m_session.programs, unitId));
            },
            &m_window);
        list.start();
        // The meters stand still while the list holds the line.
        m_window.metersChanged();
        if (!list.hasEnded())
            dialog.exec();
    }
    m_running = {};
    m_window.RefreshAll();
}

void ProgramCommands::programStore() {
    m_window.LeaveTab(m_window.currentTab());
    ProgramStoreProcedure store(m_session, m_engine, m_prompts, m_timers);
    m_running = [&store] { store.lineLost(); };
    {
        ProgramStoreDialog dialog(store, m_session, &m_window);
        store.start();
        m_window.metersChanged();
        if (!store.hasEnded())
            dialog.exec();
    }
    m_running = {};
    m_window.RefreshAll();
}

void ProgramCommands::editText(bool name) {
    m_window.LeaveTab(m_window.currentTab());
    ProgramTextProcedure text(name ? ProgramTextKind::Name : ProgramTextKind::Information,
                              m_session, m_engine, m_prompts, m_timers);
    {
        ProgramTextDialog dialog(text, &m_window);
        dialog.exec();
    }
    m_window.RefreshAll();
}

void ProgramCommands::programName() {
    editText(true);
}
void ProgramCommands::programInformation() {
    editText(false);
}

ProgramCommands* InstallProgramCommands(MainWindow& window, Session& session, LinkEngine& engine,
                                        Prompts& prompts, TimerSource& timers,
                                        ConnectionCommands* connection) {
    auto* commands = new ProgramCommands(window, session, engine, prompts, timers, connection);
    const auto bind = [&window, commands](MenuId id, void (ProgramCommands::*handler)()) {
        if (QAction* action = window.action(id))
            QObject::connect(action, &QAction::triggered, commands,
                             [commands, handler] { (commands->*handler)(); });
    };
    bind(MenuId::ProgramList, &ProgramCommands::programList);
    bind(MenuId::ProgramStore, &ProgramCommands::programStore);
    bind(MenuId::ProgramName, &ProgramCommands::programName);
    bind(MenuId::ProgramInformation, &ProgramCommands::programInformation);
    return commands;
}

} // namespace mqx
