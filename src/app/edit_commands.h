#pragma once
// Undo and redo in the Edit menu, and Connect > "Compare with unit...". The history
// (EditHistory) takes a step whenever an operator gesture ends: a mouse button or a key
// let go, so a drag or a held arrow is one step, and a menu command's dialog is one step
// named after the command. Commands that replace the whole program (File New and Open,
// Connect with a download, a recall from the Program List, taking the unit's program)
// start a new history; nothing is taken while a dialog is on show, so a program arriving
// under one never becomes a step.

#include "pages/edit_history.h"

#include <QObject>

class QAction;
class QTimer;

namespace mqx {

class LinkEngine;
class MainWindow;
class Prompts;
class TimerSource;

class EditCommands : public QObject {
public:
    EditCommands(MainWindow& window, Session& session, ParameterEditSink& sink, LinkEngine& engine,
                 Prompts& prompts, TimerSource& timers);

    EditHistory& history() { return m_history; }
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }
    QAction* compareAction() const { return m_compare; }

    void undo();
    void redo();
    void compareWithUnit();
    // Takes what the last gesture changed and shows it in the menu.
    void capture(const QString& label = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scheduleCapture(bool endsGesture);
    void startNewIfReplaced();
    void updateActions();

    MainWindow& m_window;
    Session& m_session;
    LinkEngine& m_engine;
    Prompts& m_prompts;
    TimerSource& m_timers;
    EditHistory m_history;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_compare = nullptr;
    QTimer* m_captureTimer = nullptr;
    bool m_endGesture = false;
};

// Installed last, after every other command, so that its hooks run after theirs.
EditCommands* InstallEditCommands(MainWindow& window, Session& session, ParameterEditSink& sink,
                                  LinkEngine& engine, Prompts& prompts, TimerSource& timers);

} // namespace mqx
