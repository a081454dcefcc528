#include "app/edit_commands.h"
#include "graphs/level_meter_strip.h"
#include "installed_window.h"
#include "link/link_engine.h"
#include "pages/entry_box.h"
#include "pages/output_page.h"
#include "program/program_file.h"
#include "scripted_serial_port.h"

#include <QAction>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace mqx;

namespace {

struct ChosenFile : FileDialogs {
    QString path;
    QString openFileName(const QString&) override { return path; }
    QString saveFileName(const QString&) override { return path; }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window->show(); }
    bool enabled(MenuId id) { return window->action(id)->isEnabled(); }

    test::ScratchDir dir;
    Session session;
    test::ScriptedPrompts prompts;
    ChosenFile files;
    test::RecordingEditSink sink;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(
        session, prompts, files, sink, dir.path(QStringLiteral("cfg")));
};

} // namespace

TEST_F(MainWindowTest, StartsOnTheBlockTabAndTheButtonsAndMenusFollowTheRecord) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("MQX-T410 Controller"));
    EXPECT_EQ(window->currentTab(), kBlockTab); // the tabs and panels are in the pictures
    ProgramRecord other = session.CurrentRecord();
    other.out[0].on = 0;
    files.path = dir.path(QStringLiteral("show.mqx"));
    ASSERT_TRUE(SaveRecordFile(other, files.path));
    prompts.answerNext(true);
    window->action(MenuId::FileOpen)->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("MQX-T410 Controller -- ") + files.path);
    EXPECT_TRUE(window->muteButton(0)->isChecked());
    QTest::mouseClick(window->allMutingButton(), Qt::LeftButton);
    for (int c = 0; c < 6; ++c)
        EXPECT_TRUE(window->muteButton(c)->isChecked()) << c;

    session.ConnectedUnitId = 4;
    session.settings.delayUnit = 1;
    window->RefreshAll();
    EXPECT_TRUE(!enabled(MenuId::FileOpen) && window->action(MenuId::DelayFeetInches)->isChecked());
    EXPECT_TRUE(window->statusText().startsWith(QStringLiteral("MQX-T410 ID = 04\n")));
    EXPECT_TRUE(window->eqModeButton(0)->isChecked());
    QTest::mouseClick(window->eqModeButton(1), Qt::LeftButton);
    EXPECT_EQ(session.CurrentRecord().eq_mode, 1);
    EXPECT_TRUE(!enabled(MenuId::GeqFlat) && enabled(MenuId::PeqFlat));
}

TEST_F(MainWindowTest, CloseDisconnectsAsksAndSavesTheOptions) {
    window->action(MenuId::LevelMeterCoarse)->trigger();
    window->action(MenuId::DelayFeetInches)->trigger();
    session.ConnectedUnitId = 3;
    int asked = 0; // the first disconnection is refused
    window->setDisconnectProcedure([&] { return ++asked > 1; });
    EXPECT_EQ((std::tuple{window->close(), session.ConnectedUnitId, prompts.shown().size()}),
              std::tuple(false, 3, 0u));
    prompts.answerNext(false);
    EXPECT_EQ((std::tuple{window->close(), session.ConnectedUnitId, prompts.shown().back().text}),
              std::tuple(false, 0, "Are you sure you want to exit the MQX-T410 Controller ?"));
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("cfg/mqx-controller.ini"))));
    prompts.answerNext(true);
    EXPECT_EQ((std::tuple{window->close(), window->isClosing(), asked}), std::tuple(true, true, 2));
    const AppSettings saved = LoadAppSettings(dir.path(QStringLiteral("cfg")));
    EXPECT_EQ(std::pair(saved.levelMeterMode, saved.delayUnit), std::pair(1, 1));

    const QString blocker = test::writeFile(dir, QStringLiteral("blocker"), "not a folder");
    MainWindow other(session, prompts, files, sink, blocker + QStringLiteral("/cfg"));
    prompts.answerNext(true);
    EXPECT_TRUE(other.close()); // the program still ends
    EXPECT_TRUE(
        prompts.shown().back().text.startsWith(QStringLiteral("The settings could not be written")))
        << prompts.shown().back().text.toStdString();
}

TEST_F(MainWindowTest, PagesKeepTheirSizeCentredAndNothingIsCutAtTheSmallestWindow) {
    test::VirtualClock clock;
    InstallPages(*window, session, sink, prompts, clock);
    const QSize start = window->size();
    const auto whole = [this](QWidget* w) {
        return window->rect().contains(QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()));
    };
    for (int tab : {0, kDisplayTab, kBlockTab}) {
        SCOPED_TRACE(tab);
        window->resize(start);
        window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        QWidget* page = window->page(tab);
        const QSize natural = page->size();
        window->resize(start + QSize(500, 300));
        QApplication::processEvents();
        EXPECT_EQ(page->size(), natural);
        const QPoint off = page->geometry().center() - page->parentWidget()->rect().center();
        EXPECT_LE(off.manhattanLength(), 2);
        window->resize(1, 1);
        QApplication::processEvents();
        EXPECT_EQ(page->size().expandedTo(page->minimumSizeHint()), page->size());
        EXPECT_TRUE(page->parentWidget()->rect().contains(page->geometry()));
        QTabBar* tabs = window->tabs()->tabBar();
        EXPECT_GE(tabs->width(), tabs->tabRect(kTabCount - 1).right());
        EXPECT_TRUE(whole(window->meterStrip()) && whole(window->allMutingButton()));
    }
}

// A held arrow key is one step: the releases that the key's repeat makes do not end it.
TEST(EditMenu, UndoAndRedoFollowGesturesAndFileNewStartsAfresh) {
    test::InstalledWindow w;
    test::ScriptedSerialPort port;
    LinkEngine engine(port, w.clock, w.session);
    EditCommands* edit =
        InstallEditCommands(*w.window, w.session, w.sink, engine, w.prompts, w.clock);
    QAction* undo = edit->undoAction();
    QAction* redo = edit->redoAction();
    EXPECT_EQ(undo->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
    EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                                      QKeySequence(QStringLiteral("Ctrl+Y"))}));
    EXPECT_FALSE(undo->isEnabled());
    ApplyRecordDefaults(w.session.CurrentRecord());
    QTest::mouseClick(w.window->muteButton(1), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(undo->text(), QStringLiteral("Undo OUT-2 ON"));
    undo->trigger();
    EXPECT_EQ(w.session.CurrentRecord().out[1].on, 1);
    EXPECT_FALSE(w.window->muteButton(1)->isChecked()) << "the window shows the record again";
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("Redo OUT-2 ON"));
    redo->trigger();
    EXPECT_EQ(w.session.CurrentRecord().out[1].on, 0);

    w.showTab(7);
    QWidget* box = w.pages.output[0]->levelBox();
    const std::uint8_t& level = w.session.CurrentRecord().out[0].level;
    const int before = level;
    // A press, three releases and presses made by the key's repeat, and the last release.
    for (int i = 0; i < 8; ++i) {
        QKeyEvent key(i % 2 == 0 ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Up,
                      Qt::NoModifier, QString(), i > 0 && i < 7);
        QApplication::sendEvent(box, &key);
        QApplication::processEvents();
    }
    ASSERT_EQ(level, before + 4);
    undo->trigger();
    EXPECT_EQ(level, before);

    w.prompts.answerNext(true);
    w.window->action(MenuId::FileNew)->trigger();
    EXPECT_FALSE(undo->isEnabled() || redo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Undo"));
}
