#include "app/file_commands.h"

#include "core/prompts.h"
#include "core/session.h"
#include "program/program_file.h"

#include <QFile>
#include <QFileInfo>

namespace mqx {
namespace {

QString title() {
    return QString::fromLatin1(kApplicationTitle);
}

QString withPath(const QString& path, const char* text) {
    return path + QStringLiteral("\n\n") + QLatin1StringView(text);
}

} // namespace

QString FileCommands::dialogStart() const {
    return m_failedPath.isEmpty() ? m_session.settings.lastFile : m_failedPath;
}

bool FileCommands::exportSetupSheet(const std::function<QString(const QString&)>& write) {
    // The sheet is offered beside the program file it describes, under the same name.
    const QFileInfo start(dialogStart());
    const QString initial =
        start.fileName().isEmpty()
            ? QString()
            : start.absolutePath() + u'/' + start.completeBaseName() + QStringLiteral(".pdf");
    const QString path = m_dialogs.sheetFileName(initial);
    if (path.isEmpty())
        return false;
    const QString error = write(path);
    if (error.isEmpty())
        return true;
    m_prompts.message(QStringLiteral("Export Setup Sheet"),
                      withPath(path, "The setup sheet could not be written.") +
                          QStringLiteral("\n") + error,
                      PromptIcon::Exclamation);
    return false;
}

bool FileCommands::fileNew() {
    // The menu item is greyed while connected; a file or the defaults must never replace
    // a program that a unit is playing live, whatever route the command came by.
    if (m_session.ConnectedUnitId != 0)
        return false;
    if (!m_prompts.confirm(title(),
                           QStringLiteral("Are you sure you want to reset all parameters ?"),
                           PromptIcon::Information))
        return false;
    m_view.leaveTab();
    ApplyDefaults(m_session);
    m_view.refreshAll();
    m_view.setTitle(title());
    return true;
}

bool FileCommands::fileOpen() {
    if (m_session.ConnectedUnitId != 0)
        return false;
    const QString path = m_dialogs.openFileName(dialogStart());
    if (path.isEmpty())
        return false;
    if (!m_prompts.confirm(title(), withPath(path, "Are you sure you want to open this file ?"),
                           PromptIcon::Question))
        return false;
    if (!LoadProgramFile(m_session, path)) {
        m_prompts.message(title(), withPath(path, "This file failed to open."),
                          PromptIcon::Exclamation);
        return false;
    }
    m_view.leaveTab();
    ApplyLoadedFile(m_session);
    m_view.setTitle(QLatin1StringView(kFileTitlePrefix) + path);
    m_session.settings.lastFile = path.left(kLastFileMaximum);
    m_failedPath.clear();
    m_view.refreshAll();
    return true;
}

bool FileCommands::fileSaveAs() {
    const QString path = m_dialogs.saveFileName(dialogStart());
    if (path.isEmpty())
        return false;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly)) {
        existing.close();
        if (!m_prompts.confirmCancelFirst(
                title(),
                withPath(path,
                         "This file already exists. Are you sure you want to save this file ?"),
                PromptIcon::Question))
            return false;
    }
    if (!SaveProgramFile(m_session, path)) {
        // The window goes on naming the file that really holds the program, if any; the
        // next dialog starts where the operator was trying to save, so that a full disc
        // or a read-only folder is one step away from another try.
        m_failedPath = path;
        m_prompts.message(title(), withPath(path, "This file failed to save."),
                          PromptIcon::Exclamation);
        return false;
    }
    m_view.setTitle(QLatin1StringView(kFileTitlePrefix) + path);
    m_session.settings.lastFile = path.left(kLastFileMaximum);
    m_failedPath.clear();
    return true;
}

} // namespace mqx
