#include "core/program_table.h"
#include "program/flag_chooser_dialog.h"
#include "program/program_list_dialog.h"
#include "program/program_list_printer.h"
#include "program/program_list_procedure.h"
#include "program/program_list_text.h"
#include "program/program_text_dialog.h"
#include "program/program_text_procedure.h"
#include "test_paths.h"
#include "unit_bench.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPdfWriter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

namespace mqx::test {
namespace {

TEST(FlagChooserDialog, ShowsTheOpeningChoiceAndPassesClicksToTheChooser) {
    FlagChooserDialog protection(FlagKind::Protection, 0, nullptr);
    EXPECT_EQ(protection.windowTitle(), QStringLiteral("Program Protection"));
    protection.clearButton()->click();
    EXPECT_TRUE(protection.okButton()->isEnabled());
    EXPECT_EQ(protection.value(), 255);
    FlagChooserDialog lock(FlagKind::RecallLock, 0, nullptr);
    EXPECT_EQ(std::pair(lock.clearButton()->text(), lock.clearButton()->isChecked()),
              std::pair(QStringLiteral("Clear Recall Lock"), true));
}

using ProgramDialogsTest = UnitBench;

TEST_F(ProgramDialogsTest, NameBoxDropsWhatTheLineCannotCarryAndOkStoresItPadded) {
    openLine(1);
    ProgramTextProcedure name(ProgramTextKind::Name, session, engine, prompts, clock);
    ProgramTextDialog dialog(name, nullptr);
    dialog.nameBox()->clear();
    QTest::keyClicks(dialog.nameBox(), QStringLiteral("Ha(ll1") + QString(30, u'x'));
    EXPECT_EQ(dialog.nameBox()->text(), QStringLiteral("Hall1") + QString(16, u'x'));
    dialog.nameBox()->backspace();
    dialog.okButton()->click();
    ASSERT_TRUE(runToEnd(name));
    EXPECT_EQ(QByteArray(session.CurrentRecord().name.data(), 21),
              "Hall1" + QByteArray(15, 'x') + '.');
}

TEST_F(ProgramDialogsTest, ListFillsFromTheUnitAndActionsWaitForALine) {
    openLine(1);
    ProgramListProcedure list(session, engine, prompts, clock);
    int printed = 0;
    ProgramListDialog dialog(
        list, session, [&printed] { ++printed; }, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Program List"));
    list.start();
    EXPECT_FALSE(dialog.list()->isEnabled()) << "nothing to choose while reading";
    EXPECT_FALSE(dialog.button(QStringLiteral("Print"))->isEnabled());
    clock.runUntil([&] { return list.phase() != ProgramListProcedure::Phase::Reading; }, 60000);
    EXPECT_EQ(dialog.progress()->value(), 50);
    EXPECT_EQ(dialog.list()->item(49)->text(), QStringLiteral(" 50 : ( not used )"));
    EXPECT_TRUE(dialog.button(QStringLiteral("Print"))->isEnabled());
    EXPECT_FALSE(dialog.button(QStringLiteral("Delete"))->isEnabled()) << "no line chosen";

    dialog.list()->setCurrentRow(3);
    for (const char* action : {"Protection", "Recall Lock", "Recall", "Delete"})
        EXPECT_TRUE(dialog.button(QString::fromLatin1(action))->isEnabled()) << action;
    prompts.answerNext(true);
    dialog.button(QStringLiteral("Delete"))->click();
    clock.runUntil([&] { return !list.isBusy(); }, 60000);
    EXPECT_EQ(dialog.list()->item(3)->text(), QStringLiteral(" 04 : ( not used )"));
    EXPECT_EQ(dialog.list()->currentRow(), 3) << "the line stays chosen";
    dialog.button(QStringLiteral("Print"))->click();
    EXPECT_EQ(printed, 1);

    dialog.button(QStringLiteral("Exit"))->click();
    ASSERT_TRUE(runToEnd(list));
}

TEST(PrintedProgramList, ThePdfCarriesEveryLine) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "scripts/install-deps.sh installs poppler-utils";
    // The lines themselves are PrintedProgramList's (program_texts_test).
    ProgramTable table;
    for (int n = 1; n <= kProgramSlots; ++n)
        ApplyRecordDefaults(table.Record(n));
    const std::vector<PrintedText> page = PrintedProgramList(table, 3);

    ScratchDir dir;
    const QString pdf = dir.path(QStringLiteral("list.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        ASSERT_TRUE(PaintProgramList(writer, page, 2));
        QPdfWriter nowhere(dir.path(QStringLiteral("no-such-folder/list.pdf")));
        EXPECT_FALSE(PaintProgramList(nowhere, page, 1)) << "a print that cannot start";
    }
    QProcess convert;
    convert.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(convert.waitForFinished(30000));
    const QString text = QString::fromLatin1(convert.readAllStandardOutput());
    const QStringList sheets = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(sheets.size(), 2) << "one sheet a copy";
    QString expected;
    for (const PrintedText& item : page)
        expected += item.text + u'\n';
    EXPECT_EQ(sheets[0].simplified(), expected.simplified()) << text.toStdString();
}

} // namespace
} // namespace mqx::test
