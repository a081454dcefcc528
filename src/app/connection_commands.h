#pragma once
// The Connect menu of the main window: "Connect...", "Disconnect...", "Information..." and
// "Panel Lock...". The application installs them once, after the window and the link
// engine exist:
//
//   ConnectionCommands* commands =
//       InstallConnectionCommands(window, session, engine, prompts, timers);
//
// Installing connects the four menu actions, makes closing the window while connected
// run the disconnection first, and routes every decoded level frame to the meter strip
// and the page on show. The commands belong to the window (a child QObject) and use the
// references given for as long as it lives. `timers` drives the dialogs' own steps and polls:
// QtTimerSource on screen (the engine's timers should come from the same kind of source).

#include "connection/connection_view.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

namespace mqx {

class ConnectionDialogRunner;
class ConnectionFlow;
class LinkEngine;
class MainWindow;
class Prompts;
class TimerSource;
struct Session;

class ConnectionCommands : public QObject, public ConnectionView {
public:
    ConnectionCommands(MainWindow& window, Session& session, LinkEngine& engine, Prompts& prompts,
                       TimerSource& timers);
    ~ConnectionCommands() override;

    // The handlers of the four menu items; each returns true when its chain ended with OK.
    bool connectUnit();
    bool disconnectUnit();
    bool editInformation();
    bool panelLock();

    // The Caution dialog that guards a disconnection while OFF buttons remember settings.
    void setCautionDialog(std::function<bool()> caution);
    // What COM1..COM4 stand for, shown beside them in the Connect dialog.
    void setPortDevices(std::function<QStringList()> devices);
    // The Caution dialog, for other commands that replace the program; true goes on.
    bool caution();
    // Called first when the line is lost while connected.
    void setLineLostHook(std::function<void()> hook);

    // ConnectionView
    void leaveTab() override;
    void refreshAll() override;
    void refreshStatus() override;
    void metersChanged() override;

private:
    MainWindow& m_window;
    std::unique_ptr<ConnectionDialogRunner> m_dialogs;
    std::unique_ptr<ConnectionFlow> m_flow;
};

ConnectionCommands* InstallConnectionCommands(MainWindow& window, Session& session,
                                              LinkEngine& engine, Prompts& prompts,
                                              TimerSource& timers);

} // namespace mqx
