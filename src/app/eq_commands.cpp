#include "app/eq_commands.h"

#include "app/connection_commands.h"
#include "app/install_pages.h"
#include "app/main_window.h"
#include "core/session.h"
#include "pages/caution_dialog.h"
#include "pages/ch_link_dialog.h"
#include "pages/eq_flat_dialog.h"
#include "pages/eq_link_dialog.h"
#include "pages/eq_link_off_dialog.h"
#include "pages/geq_page.h"
#include "pages/output_flat_dialog.h"
#include "pages/output_page.h"
#include "pages/peq_page.h"

#include <QAction>

namespace mqx {

EqCommands::EqCommands(MainWindow& window, Session& session, ParameterEditSink& sink)
    : QObject(&window), m_window(window), m_session(session), m_sink(sink),
      m_operations(session, sink) {}

template <typename Dialog, typename... Args>
void EqCommands::run(Args&&... args) {
    // A value still being typed on the page is taken before the dialog changes the record.
    m_window.LeaveTab(m_window.currentTab());
    Dialog dialog(std::forward<Args>(args)..., &m_window);
    if (dialog.exec() == QDialog::Accepted)
        m_window.RefreshAll();
}

void EqCommands::openLink(EqKind kind) {
    run<EqLinkDialog>(kind, m_operations);
}
void EqCommands::openLinkOff(EqKind kind) {
    run<EqLinkOffDialog>(kind, m_operations);
}
void EqCommands::openFlat(EqKind kind) {
    run<EqFlatDialog>(kind, m_operations);
}
void EqCommands::openOutputFlat() {
    run<OutputFlatDialog>(m_session.CurrentRecord(), m_operations);
}
void EqCommands::openChLink() {
    run<ChLinkDialog>(m_session, m_sink);
}
void EqCommands::toggleLink(EqKind kind) {
    if (m_operations.isLinked(kind))
        openLinkOff(kind);
    else
        openLink(kind);
}

EqCommands* InstallEqCommands(MainWindow& window, Session& session, ParameterEditSink& sink,
                              const InstalledPages& pages, ConnectionCommands* connection) {
    auto* commands = new EqCommands(window, session, sink);
    const auto bind = [&window, commands](MenuId id, auto handler) {
        if (QAction* action = window.action(id))
            QObject::connect(action, &QAction::triggered, commands, handler);
    };
    bind(MenuId::GeqFlat, [commands] { commands->openFlat(EqKind::Geq); });
    bind(MenuId::GeqLinkOn, [commands] { commands->openLink(EqKind::Geq); });
    bind(MenuId::GeqLinkOff, [commands] { commands->openLinkOff(EqKind::Geq); });
    bind(MenuId::PeqFlat, [commands] { commands->openFlat(EqKind::Peq); });
    bind(MenuId::PeqLinkOn, [commands] { commands->openLink(EqKind::Peq); });
    bind(MenuId::PeqLinkOff, [commands] { commands->openLinkOff(EqKind::Peq); });
    bind(MenuId::OutputPeqFlat, [commands] { commands->openOutputFlat(); });
    bind(MenuId::OutputLinkCh, [commands] { commands->openChLink(); });
    for (GeqPage* page : pages.geq)
        if (page != nullptr)
            page->setLinkRequest([commands] { commands->toggleLink(EqKind::Geq); });
    for (PeqPage* page : pages.peq)
        if (page != nullptr)
            page->setLinkRequest([commands] { commands->toggleLink(EqKind::Peq); });
    for (OutputPage* page : pages.output)
        if (page != nullptr)
            page->setLinkRequest([commands] { commands->openChLink(); });
    if (connection != nullptr)
        connection->setCautionDialog([&window] {
            CautionDialog caution(&window);
            return caution.exec() == QDialog::Accepted;
        });
    return commands;
}

} // namespace mqx
