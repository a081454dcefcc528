#pragma once
// The Edit menu's link and flat items, CH Link, the GEQ and PEQ pages' link boxes and the
// Caution dialog: each opens its dialog over the window, and an OK rebuilds the page on show.

#include "pages/eq_operations.h"

#include <QObject>

namespace mqx {

class ConnectionCommands;
class MainWindow;
struct InstalledPages;

class EqCommands : public QObject {
    Q_OBJECT
public:
    EqCommands(MainWindow& window, Session& session, ParameterEditSink& sink);

    void openLink(EqKind kind);
    void openLinkOff(EqKind kind);
    void openFlat(EqKind kind);
    void openOutputFlat();
    // The link box of a page: link-off while linked, else link.
    void toggleLink(EqKind kind);
    // Edit > OutputCh > "LinkCh..." and the Output pages' link indicators. On OK the page
    // on show is built again from the record, and the Delay and Display pages follow the
    // new groups.
    void openChLink();

private:
    template <typename Dialog, typename... Args>
    void run(Args&&... args);

    MainWindow& m_window;
    Session& m_session;
    ParameterEditSink& m_sink;
    EqOperations m_operations;
};

// The window owns the commands. `connection` may be null (no Caution then).
EqCommands* InstallEqCommands(MainWindow& window, Session& session, ParameterEditSink& sink,
                              const InstalledPages& pages, ConnectionCommands* connection);

} // namespace mqx
