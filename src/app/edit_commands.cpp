#include "app/edit_commands.h"

#include "app/compare_window.h"
#include "app/main_window.h"
#include "connection/compare_procedure.h"
#include "core/prompts.h"
#include "core/session.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace mqx {
namespace {

QMenu* menuNamed(MainWindow& window, const QString& title) {
    for (QAction* a : window.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

// Runs a procedure already started until it ends.
bool runToEnd(CompareProcedure& procedure) {
    if (!procedure.hasEnded()) {
        QEventLoop loop;
        procedure.setFinishedCallback([&loop](ProcedureOutcome) { loop.quit(); });
        loop.exec();
    }
    return procedure.outcome() == ProcedureOutcome::Ok;
}

} // namespace

EditCommands::EditCommands(MainWindow& window, Session& session, ParameterEditSink& sink,
                           LinkEngine& engine, Prompts& prompts, TimerSource& timers)
    : QObject(&window), m_window(window), m_session(session), m_engine(engine), m_prompts(prompts),
      m_timers(timers), m_history(session, sink) {
    m_captureTimer = new QTimer(this);
    m_captureTimer->setSingleShot(true);
    m_captureTimer->setInterval(0);
    connect(m_captureTimer, &QTimer::timeout, this, [this] {
        // A dialog on show may be bringing in a whole program (a download, a recall); the
        // command that opened it decides what its changes are once it has closed.
        if (QApplication::activeModalWidget() == nullptr)
            capture();
        if (m_endGesture) {
            m_history.endGesture();
            m_endGesture = false;
        }
    });

    if (QMenu* edit = menuNamed(window, QStringLiteral("&Edit"))) {
        QAction* first = edit->actions().value(0);
        m_undo = new QAction(QStringLiteral("Undo"), edit);
        m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
        m_redo = new QAction(QStringLiteral("Redo"), edit);
        m_redo->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
        edit->insertActions(first, {m_undo, m_redo});
        edit->insertSeparator(first);
        connect(m_undo, &QAction::triggered, this, &EditCommands::undo);
        connect(m_redo, &QAction::triggered, this, &EditCommands::redo);
        // The menu may open before the gesture that opened it has been taken.
        connect(edit, &QMenu::aboutToShow, this, [this] { capture(); });
    }
    if (QMenu* link = menuNamed(window, QStringLiteral("&Connect"))) {
        m_compare = link->addAction(QStringLiteral("Compare with unit..."));
        connect(m_compare, &QAction::triggered, this, &EditCommands::compareWithUnit);
        connect(link, &QMenu::aboutToShow, this,
                [this] { m_compare->setEnabled(m_session.ConnectedUnitId != 0); });
        m_compare->setEnabled(false);
    }

    // The Edit menu's dialogs are one step each, named after their item.
    for (MenuId id :
         {MenuId::GeqFlat, MenuId::GeqLinkOn, MenuId::GeqLinkOff, MenuId::PeqFlat,
          MenuId::PeqLinkOn, MenuId::PeqLinkOff, MenuId::OutputPeqFlat, MenuId::OutputLinkCh})
        if (QAction* a = window.action(id))
            connect(a, &QAction::triggered, this,
                    [this, a] { capture(a->text().remove(QStringLiteral("..."))); });
    for (MenuId id : {MenuId::FileNew, MenuId::FileOpen, MenuId::Connect, MenuId::ProgramList})
        if (QAction* a = window.action(id))
            connect(a, &QAction::triggered, this, &EditCommands::startNewIfReplaced);

    qApp->installEventFilter(this);
    updateActions();
}

void EditCommands::capture(const QString& label) {
    m_history.capture(label);
    updateActions();
}

void EditCommands::startNewIfReplaced() {
    if (m_history.changedSinceCapture())
        m_history.startNew();
    updateActions();
}

void EditCommands::scheduleCapture(bool endsGesture) {
    m_endGesture = m_endGesture || endsGesture;
    m_captureTimer->start();
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_history.beginGesture();
        scheduleCapture(false);
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        scheduleCapture(true);
        break;
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
            m_history.beginGesture();
        scheduleCapture(false);
        break;
    case QEvent::KeyRelease:
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
            scheduleCapture(true);
        break;
    case QEvent::Hide:
        // What a dialog changed is taken once it has gone, as one step of its own.
        if (qobject_cast<QDialog*>(watched) != nullptr)
            scheduleCapture(true);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void EditCommands::updateActions() {
    if (m_undo == nullptr || m_redo == nullptr)
        return;
    m_undo->setEnabled(m_history.canUndo());
    m_undo->setText(m_history.canUndo() ? QStringLiteral("Undo ") + m_history.undoLabel()
                                        : QStringLiteral("Undo"));
    m_redo->setEnabled(m_history.canRedo());
    m_redo->setText(m_history.canRedo() ? QStringLiteral("Redo ") + m_history.redoLabel()
                                        : QStringLiteral("Redo"));
}

void EditCommands::undo() {
    // A value still being typed is taken first: it is the newest change.
    m_window.LeaveTab(m_window.currentTab());
    m_history.undo();
    m_window.RefreshAll();
    updateActions();
}

void EditCommands::redo() {
    m_window.LeaveTab(m_window.currentTab());
    m_history.redo();
    m_window.RefreshAll();
    updateActions();
}

void EditCommands::compareWithUnit() {
    if (m_session.ConnectedUnitId == 0)
        return;
    m_window.LeaveTab(m_window.currentTab());
    capture();
    CompareProcedure fetch(m_session, m_engine, m_prompts, m_timers);
    fetch.start(CompareStep::Fetch);
    const bool fetched = runToEnd(fetch);
    m_window.RefreshAll();
    if (!fetched)
        return;
    if (fetch.differences().isEmpty()) {
        m_prompts.message(QStringLiteral("Compare with unit"),
                          QStringLiteral("The PC's program and the unit's are the same."),
                          PromptIcon::Information);
        return;
    }
    CompareWindow window(m_session.CurrentRecord(), fetch.unitProgram(), &m_window);
    const int choice = window.exec();
    if (choice == CompareWindow::SendPcProgram) {
        CompareProcedure send(m_session, m_engine, m_prompts, m_timers);
        send.start(CompareStep::Send);
        runToEnd(send);
    } else if (choice == CompareWindow::TakeUnitProgram && fetch.takeUnitProgram()) {
        m_history.startNew();
    }
    m_window.RefreshAll();
    updateActions();
}

EditCommands* InstallEditCommands(MainWindow& window, Session& session, ParameterEditSink& sink,
                                  LinkEngine& engine, Prompts& prompts, TimerSource& timers) {
    return new EditCommands(window, session, sink, engine, prompts, timers);
}

} // namespace mqx
