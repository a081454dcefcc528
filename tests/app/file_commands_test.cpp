#include "app/file_commands.h"
#include "core/session.h"
#include "program/program_file.h"
#include "scripted_prompts.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <deque>
#include <tuple>

using namespace mqx;
using mqx::test::readFile;
using mqx::test::ScratchDir;
using mqx::test::writeFile;

namespace {

struct FakeDialogs : FileDialogs {
    QString chosen;
    QString initialSeen;
    QString openFileName(const QString& initial) override { return initialSeen = initial, chosen; }
    QString saveFileName(const QString& initial) override { return initialSeen = initial, chosen; }
    QString sheetFileName(const QString& initial) override { return initialSeen = initial, chosen; }
};

struct FakeView : ProgramView {
    QString title = QStringLiteral("MQX-T410 Controller");
    std::vector<std::string> calls;
    void leaveTab() override { calls.push_back("leave"); }
    void refreshAll() override { calls.push_back("refresh"); }
    void setTitle(const QString& t) override { title = t; }
};

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ApplyDefaults(session); }
    ScratchDir dir;
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
    view.title = QStringLiteral("MQX-T410 Controller -- /shows/a.mqx");

    prompts.answerNext(false);
    EXPECT_FALSE(commands.fileNew());
    EXPECT_EQ(session.CurrentRecord().sine_freq, 5);

    prompts.answerNext(true);
    EXPECT_TRUE(commands.fileNew());
    EXPECT_EQ(session.CurrentRecord().sine_freq, 69);
    EXPECT_EQ(view.title, QStringLiteral("MQX-T410 Controller"));
    EXPECT_EQ(session.settings.lastFile, QStringLiteral("/shows/a.mqx"));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"leave", "refresh"}));
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].text,
              QStringLiteral("Are you sure you want to reset all parameters ?"));
    EXPECT_EQ(prompts.shown()[1].icon, PromptIcon::Information);
}

TEST_F(FileCommandsTest, OpenLoadsAfterTheQuestionAndNamesTheFile) {
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

    prompts.answerNext(true);
    EXPECT_TRUE(commands.fileOpen());
    EXPECT_EQ(session.CurrentRecord().out[4].level, 100);
    EXPECT_EQ(view.title, QStringLiteral("MQX-T410 Controller -- ") + path);
    EXPECT_EQ(session.settings.lastFile, path);
    EXPECT_EQ(prompts.shown().back().text,
              path + QStringLiteral("\n\nAre you sure you want to open this file ?"));
    EXPECT_EQ(prompts.shown().back().icon, PromptIcon::Question);
}

TEST_F(FileCommandsTest, OpenFailureChangesNothing) {
    const QString path = writeFile(dir, QStringLiteral("bad.mqx"), "MQX-T410VER1.50\r\n0000");
    dialogs.chosen = path;
    session.CurrentRecord().geq_level[3][0] = 1;
    const ProgramRecord before = session.CurrentRecord();
    prompts.answerNext(true);
    EXPECT_FALSE(commands.fileOpen());
    EXPECT_EQ(session.CurrentRecord(), before);
    EXPECT_TRUE(session.settings.lastFile.isEmpty());
    EXPECT_EQ(view.title, QStringLiteral("MQX-T410 Controller"));
    EXPECT_EQ(prompts.shown().back().text, path + QStringLiteral("\n\nThis file failed to open."));
    EXPECT_EQ(prompts.shown().back().icon, PromptIcon::Exclamation);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(FileCommandsTest, CancelledDialogsAndAConnectedUnitDoNothing) {
    dialogs.chosen.clear();
    EXPECT_FALSE(commands.fileOpen());
    EXPECT_FALSE(commands.fileSaveAs());
    EXPECT_TRUE(prompts.shown().empty());

    session.ConnectedUnitId = 3;
    dialogs.chosen = dir.path(QStringLiteral("x.mqx"));
    prompts.setDefaultAnswer(true);
    EXPECT_FALSE(commands.fileNew());
    EXPECT_FALSE(commands.fileOpen());
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(commands.fileSaveAs()); // saving is harmless while connected
}

TEST_F(FileCommandsTest, SaveOverAnExistingFileAsksWithCancelFirst) {
    const QString path = writeFile(dir, QStringLiteral("old.mqx"), "precious");
    dialogs.chosen = path;
    prompts.answerNext(false);
    EXPECT_FALSE(commands.fileSaveAs());
    EXPECT_EQ(readFile(path), "precious");
    EXPECT_EQ(view.title, QStringLiteral("MQX-T410 Controller"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(prompts.shown()[0].cancelFirst);
    EXPECT_EQ(prompts.shown()[0].text,
              path +
                  QStringLiteral(
                      "\n\nThis file already exists. Are you sure you want to save this file ?"));

    prompts.answerNext(true);
    EXPECT_TRUE(commands.fileSaveAs());
    EXPECT_EQ(readFile(path).size(), kProgramFileSize);
    EXPECT_EQ(view.title, QStringLiteral("MQX-T410 Controller -- ") + path);
    EXPECT_EQ(session.settings.lastFile, path);
}

TEST_F(FileCommandsTest, FailedSaveKeepsTitleAndLastFileAndTheNextDialogStartsAtTheTry) {
    session.settings.lastFile = QStringLiteral("/shows/good.mqx");
    view.title = QStringLiteral("MQX-T410 Controller -- /shows/good.mqx");
    const QString path = dir.path(QStringLiteral("missing/folder/new.mqx"));
    dialogs.chosen = path;
    EXPECT_FALSE(commands.fileSaveAs());
    EXPECT_EQ(dialogs.initialSeen, QStringLiteral("/shows/good.mqx"));
    EXPECT_EQ(view.title, QStringLiteral("MQX-T410 Controller -- /shows/good.mqx"));
    EXPECT_EQ(session.settings.lastFile, QStringLiteral("/shows/good.mqx"));
    EXPECT_EQ(prompts.shown().back().text, path + QStringLiteral("\n\nThis file failed to save."));
    EXPECT_EQ(prompts.shown().back().icon, PromptIcon::Exclamation);

    // Both dialogs start at the failed try until a file is written or read.
    dialogs.chosen.clear();
    EXPECT_FALSE(commands.fileOpen());
    EXPECT_EQ(dialogs.initialSeen, path);
    const QString good = dir.path(QStringLiteral("good.mqx"));
    dialogs.chosen = good;
    EXPECT_TRUE(commands.fileSaveAs());
    EXPECT_EQ(dialogs.initialSeen, path);
    dialogs.chosen.clear();
    EXPECT_FALSE(commands.fileSaveAs());
    EXPECT_EQ(dialogs.initialSeen, good);
}

TEST_F(FileCommandsTest, ExportSetupSheetAsksWhereAndReportsAFailedWrite) {
    // {chosen path, the writer's error, written}
    const std::tuple<QString, QString, bool> cases[] = {
        {{}, {}, false},
        {QStringLiteral("/shows/hall.pdf"), {}, true},
        {QStringLiteral("/shows/hall.pdf"), QStringLiteral("Permission denied"), false},
    };
    session.settings.lastFile = QStringLiteral("/shows/hall.mqx");
    for (const auto& [chosen, error, written] : cases) {
        prompts.clear();
        dialogs.chosen = chosen;
        QStringList writes;
        const auto write = [&](const QString& path) { return writes << path, error; };
        EXPECT_EQ(commands.exportSetupSheet(write), written) << error.toStdString();
        EXPECT_EQ(dialogs.initialSeen, QStringLiteral("/shows/hall.pdf"));
        EXPECT_EQ(writes, chosen.isEmpty() ? QStringList() : QStringList{chosen});
        ASSERT_EQ(prompts.shown().size(), error.isEmpty() ? 0u : 1u);
        EXPECT_TRUE(error.isEmpty() || (prompts.shown()[0].text.startsWith(chosen) &&
                                        prompts.shown()[0].text.endsWith(error)));
    }
}
