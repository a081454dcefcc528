#include "app/qt_file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace mqx {
namespace {

// The folder of `path`, or the nearest folder above it that exists: a save that failed
// because its folder was missing still opens the next dialog close to where it aimed.
QString existingFolderOf(const QString& path) {
    QString folder = QFileInfo(path).absolutePath();
    while (!QFileInfo(folder).isDir()) {
        const QString above = QFileInfo(folder).absolutePath();
        if (above == folder)
            break;
        folder = above;
    }
    return folder;
}

// Opens `dialog` at `initial` (or as near to it as exists) and gives the file chosen, or
// nothing when the operator cancelled.
QString choose(QFileDialog& dialog, const QString& initial) {
    if (!initial.isEmpty()) {
        dialog.setDirectory(existingFolderOf(initial));
        dialog.selectFile(QFileInfo(initial).fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString run(QWidget* owner, const QString& initial, bool save) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters{QStringLiteral("MQX-T410 Data(*.mqx)")};
    if (!save)
        filters << QStringLiteral("All Files (*.*)");
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("mqx"));
    // The controller asks its own question before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return choose(dialog, initial);
}

} // namespace

QString QtFileDialogs::openFileName(const QString& initial) {
    return run(m_owner, initial, false);
}
QString QtFileDialogs::saveFileName(const QString& initial) {
    return run(m_owner, initial, true);
}

QString QtFileDialogs::sheetFileName(const QString& initial) {
    QFileDialog dialog(m_owner, QStringLiteral("Export Setup Sheet"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("PDF (*.pdf)")});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    return choose(dialog, initial);
}

} // namespace mqx
