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
    const QString show = writeFile(dir, QStringLiteral("show.mqx"), "x");
    const QString pdf = dir.path(QStringLiteral("hall.pdf"));
    // A folder that has gone: the dialog opens at the nearest one that exists.
    const QString gone = dir.path(QStringLiteral("gone/deeper/new.mqx"));
    const QString sheet = QStringLiteral("Export Setup Sheet"); // "" for Qt's own title
    enum Kind { Open, Save, Sheet };
    const std::tuple<Kind, QString, bool, QString, QString> cases[] = {
        {Save, gone, true, {}, dir.path(QStringLiteral("new.mqx"))}, // first: nothing visited
        {Open, show, true, {}, show},
        {Open, show, false, {}, {}},
        {Save, show, false, {}, {}},
        {Sheet, pdf, true, sheet, pdf},
        {Sheet, pdf, false, sheet, {}},
    };
    QtFileDialogs dialogs;
    for (const auto& [kind, initial, accept, wantTitle, want] : cases) {
        SCOPED_TRACE(initial.toStdString() + (accept ? " accepted" : " cancelled"));
        QString folder, title;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            folder = dialog->directory().absolutePath();
            title = dialog->windowTitle();
            // As OK or Cancel would: QFileDialog's accept() checks the chosen name.
            QDialog* asDialog = dialog;
            accept ? asDialog->accept() : asDialog->reject();
        });
        const QString chosen = kind == Open   ? dialogs.openFileName(initial)
                               : kind == Save ? dialogs.saveFileName(initial)
                                              : dialogs.sheetFileName(initial);
        EXPECT_EQ(chosen, want);
        EXPECT_EQ(folder, QFileInfo(show).absolutePath());
        EXPECT_TRUE(wantTitle.isEmpty() || title == wantTitle) << title.toStdString();
    }
}

} // namespace
} // namespace mqx::test
