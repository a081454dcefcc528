#pragma once
// The Program menu's "Store..." and "List..." and the Edit menu's "Name..." and
// "Information...": each opens its dialog over the window with a fresh procedure, and the
// window shows the program again afterwards. A recall made from the list shows the
// recalled program on every page at once. A line lost while a dialog runs closes it.

#include <QObject>
#include <QPointer>

#include <functional>

namespace mqx {

class ConnectionCommands;
class LinkEngine;
class LinkProcedure;
class MainWindow;
class Prompts;
class TimerSource;
struct Session;

class ProgramCommands : public QObject {
public:
    ProgramCommands(MainWindow& window, Session& session, LinkEngine& engine, Prompts& prompts,
                    TimerSource& timers, ConnectionCommands* connection);
    ~ProgramCommands() override;

    void programList();
    void programStore();
    void programName();
    void programInformation();

private:
    void editText(bool name);
    void lineLost();

    MainWindow& m_window;
    Session& m_session;
    LinkEngine& m_engine;
    Prompts& m_prompts;
    TimerSource& m_timers;
    // A sibling under the window, which may delete it first.
    QPointer<ConnectionCommands> m_connection;
    std::function<void()> m_running; // ends the dialog's procedure on a lost line
};

// `connection` gives the Caution dialog and the word of a lost line; it may be null.
ProgramCommands* InstallProgramCommands(MainWindow& window, Session& session, LinkEngine& engine,
                                        Prompts& prompts, TimerSource& timers,
                                        ConnectionCommands* connection);

} // namespace mqx
