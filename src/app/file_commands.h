#pragma once
// File > New, Open... and Save as...: the questions, messages, window title and the
// remembered last file around the program files. The window supplies the file dialogs
// and what has to happen to the pages when the program changes under them.

#include <QString>

#include <functional>

namespace mqx {

class Prompts;
struct Session;

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or an empty text when the operator cancelled. A name typed
    // without an extension gets ".mqx".
    virtual QString openFileName(const QString& initial) = 0;
    virtual QString saveFileName(const QString& initial) = 0;
    // Where a setup sheet goes (".pdf" added to a bare name). Only the screen asks; a
    // caller without one has nowhere to put it, as after a cancel.
    virtual QString sheetFileName(const QString& initial) {
        Q_UNUSED(initial);
        return {};
    }
};

class ProgramView {
public:
    virtual ~ProgramView() = default;
    // The page on show stores what is being edited before the program is replaced.
    virtual void leaveTab() = 0;
    // Everything on screen is shown again from the current program.
    virtual void refreshAll() = 0;
    virtual void setTitle(const QString& title) = 0;
};

inline constexpr char kFileTitlePrefix[] = "MQX-T410 Controller -- ";

class FileCommands {
public:
    FileCommands(Session& session, Prompts& prompts, FileDialogs& dialogs, ProgramView& view)
        : m_session(session), m_prompts(prompts), m_dialogs(dialogs), m_view(view) {}

    // Each returns true when it changed the current program or wrote a file.
    bool fileNew();
    bool fileOpen();
    bool fileSaveAs();
    // File > "Export Setup Sheet...": asks where, then `write` makes the sheet there and
    // returns why it could not (empty when written). True when a sheet was written.
    bool exportSetupSheet(const std::function<QString(const QString& path)>& write);

private:
    // Where the next file dialog starts: the last file, or the path of a save that failed.
    QString dialogStart() const;

    Session& m_session;
    Prompts& m_prompts;
    FileDialogs& m_dialogs;
    ProgramView& m_view;
    QString m_failedPath;
};

} // namespace mqx
