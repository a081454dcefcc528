// The file dialogs on screen: where they open, and that only an accepted dialog gives a
// file, even when one was preselected.

#include "app/qt_file_dialogs.h"
#include "test_paths.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

namespace mqx::test {
namespace {

TEST(QtFileDialogs, OpenNearTheLastFileAndGiveAFileOnlyWhenAccepted) {
    ScratchDir dir;
    writeFile(dir, QStringLiteral("show.mqx"), "x");
    const QString show = dir.path(QStringLiteral("show.mqx"));
    enum Kind { Open, Save, Sheet };
    const struct {
        Kind kind;
        QString initial;
        bool accept;
        QString title;  // "" for Qt's own
        QString chosen; // what the command gets
    } cases[] = {
        {Open, show, true, {}, show},
        {Open, show, false, {}, {}},
        // A folder that has gone: the dialog opens at the nearest one that exists.
        {Save,
         dir.path(QStringLiteral("gone/deeper/new.mqx")),
         true,
         {},
         dir.path(QStringLiteral("new.mqx"))},
        {Save, show, false, {}, {}},
        {Sheet, dir.path(QStringLiteral("hall.pdf")), true, QStringLiteral("Export Setup Sheet"),
         dir.path(QStringLiteral("hall.pdf"))},
        {Sheet,
         dir.path(QStringLiteral("hall.pdf")),
         false,
         QStringLiteral("Export Setup Sheet"),
         {}},
    };
    QtFileDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.initial.toStdString() + (c.accept ? " accepted" : " cancelled"));
        QString folder;
        QString title;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                if (dialog == nullptr || !dialog->isVisible())
                    continue;
                folder = dialog->directory().absolutePath();
                title = dialog->windowTitle();
                // As OK or Cancel would: QFileDialog's accept() checks the chosen name.
                QDialog* asDialog = dialog;
                c.accept ? asDialog->accept() : asDialog->reject();
            }
        });
        const QString chosen = c.kind == Open   ? dialogs.openFileName(c.initial)
                               : c.kind == Save ? dialogs.saveFileName(c.initial)
                                                : dialogs.sheetFileName(c.initial);
        EXPECT_EQ(chosen.toStdString(), c.chosen.toStdString());
        EXPECT_EQ(folder.toStdString(), QFileInfo(show).absolutePath().toStdString());
        EXPECT_TRUE(c.title.isEmpty() || title == c.title) << title.toStdString();
    }
}

} // namespace
} // namespace mqx::test
