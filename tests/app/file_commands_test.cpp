#include "app/file_commands.h"
#include "core/session.h"
#include "program/program_file.h"
#include "scripted_prompts.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;
using namespace mqx::test;

namespace {

struct FakeDialogs : FileDialogs {
    QString chosen;
    QString initialSeen;
    QString openFileName(const QString& initial) override { return initialSeen = initial, chosen; }
    QString saveFileName(const QString& initial) override { return initialSeen = initial, chosen; }
    QString sheetFileName(const QString& initial) override { return initialSeen = initial, chosen; }
};

const QString kTitle = QStringLiteral("MQX-T410 Controller");

struct FakeView : ProgramView {
    QString title = kTitle;
    std::vector<std::string> calls;
    void leaveTab() override { calls.push_back("leave"); }
    void refreshAll() override { calls.push_back("refresh"); }
    void setTitle(const QString& t) override { title = t; }
};

QString titled(const QString& path) {
    return kTitle + QStringLiteral(" -- ") + path;
}

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ApplyDefaults(session); }
    std::pair<QString, QString> shows() { return {view.title, session.settings.lastFile}; }
    std::pair<QString, PromptIcon> last(const QString& path = {}) {
        const auto& shown = prompts.shown().back();
        const QString head = path.isEmpty() ? QString() : path + QStringLiteral("\n\n");
        return {shown.text.startsWith(head) ? shown.text.mid(head.size()) : shown.text, shown.icon};
    }
    test::ScratchDir dir;
    Session session;
    test::ScriptedPrompts prompts;
    FakeDialogs dialogs;
    FakeView view;
    FileCommands commands{session, prompts, dialogs, view};
};

} // namespace

TEST_F(FileCommandsTest, NewAsksThenResetsButKeepsTheLastFile) {
    session.CurrentRecord().sine_freq = 5;
    session.settings.lastFile = QStringLiteral("/shows/a.mqx");
    view.title = titled(session.settings.lastFile);
    prompts.answerNext(false);
    EXPECT_FALSE(commands.fileNew());
    EXPECT_EQ(session.CurrentRecord().sine_freq, 5);
    prompts.answerNext(true);
    EXPECT_TRUE(commands.fileNew());
    EXPECT_EQ(session.CurrentRecord().sine_freq, 69);
    EXPECT_EQ(shows(), std::pair(kTitle, QStringLiteral("/shows/a.mqx")));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"leave", "refresh"}));
    EXPECT_EQ(last(), std::pair(QStringLiteral("Are you sure you want to reset all parameters ?"),
                                PromptIcon::Information));
}

TEST_F(FileCommandsTest, OpenLoadsAfterTheQuestionAndAFailureChangesNothing) {
    ProgramRecord other = session.CurrentRecord();
    other.out[4].level = 100;
    const QString path = dir.path(QStringLiteral("hall.mqx"));
    ASSERT_TRUE(SaveRecordFile(other, path));
    session.settings.lastFile = QStringLiteral("/before.mqx");
    dialogs.chosen = path;
    prompts.answerNext(false);
    EXPECT_FALSE(commands.fileOpen());
    EXPECT_EQ(dialogs.initialSeen, QStringLiteral("/before.mqx"));
    EXPECT_EQ(session.CurrentRecord().out[4].level, 181);

    dialogs.chosen = writeFile(dir, QStringLiteral("bad.mqx"), "MQX-T410VER1.50\r\n0000");
    prompts.answerNext(true);
    EXPECT_FALSE(commands.fileOpen());
    EXPECT_EQ(session.CurrentRecord().out[4].level, 181);
    EXPECT_EQ(shows(), std::pair(kTitle, QStringLiteral("/before.mqx")));
    EXPECT_EQ(last(dialogs.chosen),
              std::pair(QStringLiteral("This file failed to open."), PromptIcon::Exclamation));
    EXPECT_TRUE(view.calls.empty());

    dialogs.chosen = path;
    prompts.answerNext(true);
    EXPECT_TRUE(commands.fileOpen());
    EXPECT_EQ(session.CurrentRecord().out[4].level, 100);
    EXPECT_EQ(shows(), std::pair(titled(path), path));
    EXPECT_EQ(last(path), std::pair(QStringLiteral("Are you sure you want to open this file ?"),
                                    PromptIcon::Question));
}

TEST_F(FileCommandsTest, CancelledDialogsAndAConnectedUnitDoNothing) {
    EXPECT_FALSE(commands.fileOpen() || commands.fileSaveAs() || !prompts.shown().empty());
    session.ConnectedUnitId = 3;
    dialogs.chosen = dir.path(QStringLiteral("x.mqx"));
    prompts.setDefaultAnswer(true);
    EXPECT_FALSE(commands.fileNew() || commands.fileOpen() || !prompts.shown().empty());
    EXPECT_TRUE(commands.fileSaveAs()); // saving is harmless while connected
}

TEST_F(FileCommandsTest, SaveOverAnExistingFileAsksWithCancelFirst) {
    const QString path = writeFile(dir, QStringLiteral("old.mqx"), "precious");
    dialogs.chosen = path;
    prompts.answerNext(false);
    EXPECT_FALSE(commands.fileSaveAs());
    EXPECT_EQ(readFile(path), "precious");
    EXPECT_EQ(view.title, kTitle);
    EXPECT_TRUE(prompts.shown().back().cancelFirst);
    EXPECT_EQ(last(path).first, QStringLiteral("This file already exists. Are you sure you want to "
                                               "save this file ?"));
    prompts.answerNext(true);
    EXPECT_TRUE(commands.fileSaveAs());
    EXPECT_EQ(readFile(path).size(), kProgramFileSize);
    EXPECT_EQ(shows(), std::pair(titled(path), path));
}

TEST_F(FileCommandsTest, FailedSaveKeepsTitleAndLastFileAndTheNextDialogStartsAtTheTry) {
    session.settings.lastFile = QStringLiteral("/shows/good.mqx");
    view.title = titled(session.settings.lastFile);
    const QString path = dir.path(QStringLiteral("missing/folder/new.mqx"));
    const QString good = dir.path(QStringLiteral("good.mqx"));
    dialogs.chosen = path;
    EXPECT_FALSE(commands.fileSaveAs());
    EXPECT_EQ(dialogs.initialSeen, QStringLiteral("/shows/good.mqx"));
    EXPECT_EQ(shows(), std::pair(titled(QStringLiteral("/shows/good.mqx")),
                                 QStringLiteral("/shows/good.mqx")));
    EXPECT_EQ(last(path),
              std::pair(QStringLiteral("This file failed to save."), PromptIcon::Exclamation));
    // Both dialogs start at the failed try until a file is written or read.
    for (const auto& [open, chosen, from] :
         {std::tuple{true, QString(), path}, {false, good, path}, {false, QString(), good}}) {
        dialogs.chosen = chosen;
        EXPECT_EQ(open ? commands.fileOpen() : commands.fileSaveAs(), !chosen.isEmpty());
        EXPECT_EQ(dialogs.initialSeen, from);
    }
}

TEST_F(FileCommandsTest, ExportSetupSheetAsksWhereAndReportsAFailedWrite) {
    session.settings.lastFile = QStringLiteral("/shows/hall.mqx");
    const QString pdf = QStringLiteral("/shows/hall.pdf"), denied = QStringLiteral("Denied");
    // {chosen path, the writer's error, written}
    for (const auto& [chosen, error, written] :
         {std::tuple{QString(), QString(), false}, {pdf, QString(), true}, {pdf, denied, false}}) {
        prompts.clear();
        dialogs.chosen = chosen;
        QStringList writes;
        EXPECT_EQ(commands.exportSetupSheet([&](const QString& p) { return writes << p, error; }),
                  written);
        EXPECT_EQ(dialogs.initialSeen, pdf);
        EXPECT_EQ(writes, chosen.isEmpty() ? QStringList() : QStringList{chosen});
        ASSERT_EQ(prompts.shown().size(), error.isEmpty() ? 0u : 1u);
        EXPECT_TRUE(error.isEmpty() ||
                    (last().first.startsWith(chosen) && last().first.endsWith(error)));
    }
}
