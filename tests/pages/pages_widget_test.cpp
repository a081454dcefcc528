// The three pages in the main window under the offscreen platform, driven with QTest's
// mouse and keys: typed entry committed by focus loss, spins, radio buttons, the delay
// arrows pressed, held on virtual time and released, both delay units, and the lamps.

#include "app/install_pages.h"
#include "app/main_window.h"
#include "core/session.h"
#include "pages/channel_strip.h"
#include "pages/delay_arrows.h"
#include "pages/delay_page.h"
#include "pages/display_indicators.h"
#include "pages/display_page.h"
#include "pages/entry_box.h"
#include "pages/eq_flat_dialog.h"
#include "pages/fader.h"
#include "pages/front_panel_view.h"
#include "pages/geq_page.h"
#include "pages/input_page.h"
#include "pages/output_flat_dialog.h"
#include "pages/output_graph.h"
#include "pages/output_page.h"
#include "pages/peq_graph.h"
#include "pages/peq_page.h"
#include "pages/spin_buttons.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "test_paths.h"
#include "virtual_clock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>

using namespace mqx;
using Edits = std::vector<std::string>;
using Box = InputEditor::Box;

namespace {

struct NoFiles : FileDialogs {
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

// Prompts that can look at the screen at the moment a message comes up.
struct WatchingPrompts : test::ScriptedPrompts {
    std::function<void()> onMessage;
    void message(const QString& title, const QString& text, PromptIcon icon) override {
        if (onMessage)
            onMessage();
        test::ScriptedPrompts::message(title, text, icon);
    }
};

constexpr DelayTarget kIn1{DelayGroup::Master, 0};
DelayTarget channel(int c) {
    return {DelayGroup::Channel, c};
}

class PagesInWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(session, prompts, files, sink,
                                              dir.path(QStringLiteral("cfg")));
        pages = InstallPages(*window, session, sink, prompts, clock);
        session.ConnectedUnitId = 1;
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    void showTab(int tab) {
        window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
    }
    // Types into a box as the operator would: click in, replace the text, then leave
    // the box for `next`.
    void type(QLineEdit* box, const QString& text, QWidget* next) {
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, text);
        next->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    // A radio button takes clicks on its circle and label only, not on the rest of its
    // row; the circle is at the left.
    void clickRadio(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    // Mouse events on the arrows widget, in its own pixels.
    void arrowEvent(DelayArrows* arrows, QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, arrows->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(arrows, &event);
    }

    test::ScratchDir dir;
    Session session;
    WatchingPrompts prompts;
    NoFiles files;
    test::RecordingEditSink sink;
    test::VirtualClock clock;
    std::unique_ptr<MainWindow> window;
    InstalledPages pages;
};

} // namespace

TEST_F(PagesInWindow, InstallsEachPageBehindItsTab) {
    EXPECT_EQ(window->page(0), pages.input);
    EXPECT_EQ(window->page(6), pages.delay);
    EXPECT_EQ(window->page(kDisplayTab), pages.display);
    EXPECT_EQ(window->tabs()->tabText(6), QStringLiteral("Delay"));
}

// The generator keeps the spelling the unit's own software has always shown.
TEST_F(PagesInWindow, InputPageNamesTheSignalGenarator) {
    EXPECT_EQ(pages.input->inputModeButton(0)->text(), QStringLiteral("Input"));
    EXPECT_EQ(pages.input->inputModeButton(1)->text(), QStringLiteral("Signal Genarator"));
    QStringList titles;
    for (const QGroupBox* box : pages.input->findChildren<QGroupBox*>())
        titles << box->title();
    EXPECT_TRUE(titles.contains(QStringLiteral("Signal Genarator")))
        << titles.join(u',').toStdString();
}

TEST_F(PagesInWindow, InputBoxesTakeTypedTextWhenTheyLoseTheFocus) {
    showTab(0);
    EntryBox* level = pages.input->box(Box::SineLevel);
    EntryBox* freq = pages.input->box(Box::SineFreq);
    type(level, QStringLiteral("-inf"), freq);
    EXPECT_EQ(record().sine_level, 0);
    EXPECT_EQ(level->text(), QStringLiteral("-Inf dBFS"));

    type(freq, QStringLiteral("440"), level);
    // The nearest step of the scale: 450 Hz, 14 fortieths of a decade below 1 kHz (69).
    EXPECT_EQ(freq->text(), QStringLiteral(" 450.0Hz"));
    EXPECT_EQ(sink.edits, (Edits{"005 000", "004 055"}));

    // Enter takes the text too and leaves the focus where it is.
    QTest::mouseClick(level, Qt::LeftButton);
    level->selectAll();
    QTest::keyClicks(level, QStringLiteral("-12"));
    QTest::keyClick(level, Qt::Key_Return);
    EXPECT_EQ(level->text(), QStringLiteral("-12.0dBFS"));
    EXPECT_TRUE(level->hasFocus());
    EXPECT_EQ(sink.edits.back(), "005 157");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PagesInWindow, RefusedInputTextRevertsAndKeepsTheFocus) {
    showTab(0);
    EntryBox* pink = pages.input->box(Box::PinkLevel);
    const QString before = pink->text();
    type(pink, QStringLiteral("loud"), pages.input->box(Box::SineLevel));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Please enter a number."));
    EXPECT_EQ(pink->text(), before);
    EXPECT_TRUE(pink->hasFocus());
    EXPECT_TRUE(sink.edits.empty());
}

TEST_F(PagesInWindow, InputSpinsAndButtonsEditTheRecordAndShowIt) {
    showTab(0);
    record().pink_level = 204;
    pages.input->showPage();
    SpinButtons* spin = pages.input->spin(Box::PinkLevel);
    QTest::mouseClick(spin->upButton(), Qt::LeftButton);
    QTest::mouseClick(spin->upButton(), Qt::LeftButton); // already at +12.0 dB
    EXPECT_EQ(pages.input->box(Box::PinkLevel)->text(), QStringLiteral(" 12.0dB"));
    QTest::mouseClick(pages.input->spin(Box::SineFreq)->downButton(), Qt::LeftButton);
    EXPECT_EQ(sink.edits, (Edits{"003 205", "004 068"}));

    sink.edits.clear();
    record().sg_mute = 1;
    clickRadio(pages.input->inputModeButton(1));
    EXPECT_TRUE(pages.input->mutingButton()->isChecked());
    QTest::mouseClick(pages.input->mutingButton(), Qt::LeftButton);
    EXPECT_FALSE(pages.input->mutingButton()->isChecked());
    clickRadio(pages.input->waveButton(false));
    clickRadio(pages.input->inputSelectButton(1));
    EXPECT_TRUE(pages.input->waveButton(false)->isChecked());
    EXPECT_EQ(sink.edits,
              (Edits{"006 000", "001 001", "006 001", "006 000", "002 000", "007 001"}));

    record().input_select = 9;
    pages.input->showPage();
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(pages.input->inputSelectButton(i)->isChecked()) << i;
}

TEST_F(PagesInWindow, DelayBoxesCommitAndRefreshEveryRowAndTotal) {
    session.settings.delayUnit = 0;
    showTab(6);
    EXPECT_TRUE(pages.delay->box(kIn1, DelayBox::Ms)->hasFocus()) << "the page starts there";
    record().out[2].source = 1;
    type(pages.delay->box(kIn1, DelayBox::Ms), QStringLiteral("10"),
         pages.delay->box(kIn1, DelayBox::Metres));
    type(pages.delay->box(channel(2), DelayBox::Metres), QStringLiteral("344"),
         pages.delay->box(kIn1, DelayBox::Ms));
    EXPECT_EQ(record().out[2].delay, 96000u);
    EXPECT_EQ(pages.delay->box(channel(2), DelayBox::Ms)->text(), QStringLiteral("1000.0000"));
    EXPECT_EQ(pages.delay->totalBox(2, DelayBox::Ms)->text(), QStringLiteral("1010.0000"));
    EXPECT_EQ(pages.delay->box(kIn1, DelayBox::Metres)->text(), QStringLiteral("  3.4400"));
    EXPECT_EQ(pages.delay->sourceBox(2)->text(), QStringLiteral("IN-1"));
    EXPECT_EQ(sink.edits, (Edits{"0381 000960", "0512 096000"}));

    EntryBox* ms = pages.delay->box(channel(5), DelayBox::Ms);
    type(ms, QStringLiteral("1365.33"), pages.delay->box(kIn1, DelayBox::Ms));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].title, QStringLiteral("Channel Delay"));
    EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Channel Delay can be\n0.0 - 1365.3 [msec]"));
    EXPECT_EQ(ms->text(), QStringLiteral("   0.0000"));
    EXPECT_TRUE(ms->hasFocus());
}

TEST_F(PagesInWindow, FeetAndInchesReplaceTheMetreBoxesWhenChosen) {
    showTab(6);
    window->action(MenuId::DelayFeetInches)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(pages.delay->distanceHeading(), QStringLiteral("[feet/inches]"));
    EXPECT_FALSE(pages.delay->box(kIn1, DelayBox::Metres)->isVisible());
    EXPECT_TRUE(pages.delay->box(kIn1, DelayBox::Feet)->isVisible());
    EXPECT_TRUE(pages.delay->totalBox(0, DelayBox::Inches)->isVisible());

    // Inches first: each box keeps the other's shown value, and 1128' alone is a step
    // just short of it, shown as 1127' 11.96".
    type(pages.delay->box(channel(0), DelayBox::Inches), QStringLiteral("7.307"),
         pages.delay->box(channel(0), DelayBox::Feet));
    type(pages.delay->box(channel(0), DelayBox::Feet), QStringLiteral("1128'"),
         pages.delay->box(kIn1, DelayBox::Ms));
    EXPECT_EQ(record().out[0].delay, 96000u);
    EXPECT_EQ(pages.delay->box(channel(0), DelayBox::Ms)->text(), QStringLiteral("1000.0000"));
    EXPECT_EQ(pages.delay->box(channel(0), DelayBox::Inches)->text(), QStringLiteral("07.30\""));

    window->action(MenuId::DelayMeters)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(pages.delay->distanceHeading(), QStringLiteral("[meters]"));
    EXPECT_TRUE(pages.delay->box(kIn1, DelayBox::Metres)->isVisible());
    EXPECT_FALSE(pages.delay->box(kIn1, DelayBox::Inches)->isVisible());
}

TEST_F(PagesInWindow, ArrowsStepWhileHeldPauseOutsideAndSendOnRelease) {
    showTab(6);
    DelayArrows* arrows = pages.delay->arrows(channel(1));
    const QPoint upArrow(8, 5);
    arrowEvent(arrows, QEvent::MouseButtonPress, upArrow);
    EXPECT_EQ(arrows->pressedImage(), 1);
    EXPECT_EQ(record().out[1].delay, 1u);
    clock.advance(1000 + 500);
    EXPECT_EQ(pages.delay->box(channel(1), DelayBox::Ms)->text(), DelayMsText(6));

    arrowEvent(arrows, QEvent::MouseMove, QPoint(8, 16)); // onto the down arrow
    EXPECT_EQ(arrows->pressedImage(), 0);
    clock.advance(1000);
    EXPECT_EQ(record().out[1].delay, 6u);
    arrowEvent(arrows, QEvent::MouseMove, upArrow);
    EXPECT_EQ(arrows->pressedImage(), 1);
    clock.advance(100);
    EXPECT_TRUE(sink.edits.empty());

    arrowEvent(arrows, QEvent::MouseButtonRelease, upArrow);
    EXPECT_EQ(arrows->pressedImage(), 0);
    EXPECT_EQ(sink.edits, (Edits{"0511 000007"}));
    clock.advance(1000);
    EXPECT_EQ(record().out[1].delay, 7u);

    arrowEvent(arrows, QEvent::MouseButtonPress, QPoint(8, 16));
    arrowEvent(arrows, QEvent::MouseButtonRelease, QPoint(8, 16));
    EXPECT_EQ(sink.edits.back(), "0511 000006");
}

TEST_F(PagesInWindow, PressingAnArrowFirstTakesTheBoxBeingTyped) {
    showTab(6);
    EntryBox* ms = pages.delay->box(channel(3), DelayBox::Ms);
    QTest::mouseClick(ms, Qt::LeftButton);
    ms->selectAll();
    QTest::keyClicks(ms, QStringLiteral("10"));
    DelayArrows* arrows = pages.delay->arrows(channel(3));
    arrowEvent(arrows, QEvent::MouseButtonPress, QPoint(8, 5));
    arrowEvent(arrows, QEvent::MouseButtonRelease, QPoint(8, 5));
    EXPECT_EQ(record().out[3].delay, 961u);
    EXPECT_EQ(sink.edits, (Edits{"0513 000960", "0513 000961"}));

    // A refused text stops the press: its message has the operator's attention, and the
    // message box takes the button's release. The next press on the pair is a press.
    QTest::mouseClick(ms, Qt::LeftButton);
    ms->selectAll();
    QTest::keyClicks(ms, QStringLiteral("x"));
    arrowEvent(arrows, QEvent::MouseButtonPress, QPoint(8, 5));
    EXPECT_EQ(record().out[3].delay, 961u);
    EXPECT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(sink.edits.size(), 2u);
    EXPECT_EQ(arrows->pressedImage(), 0);

    arrowEvent(arrows, QEvent::MouseButtonPress, QPoint(8, 16));
    EXPECT_EQ(arrows->pressedImage(), 2);
    arrowEvent(arrows, QEvent::MouseButtonRelease, QPoint(8, 16));
    EXPECT_EQ(record().out[3].delay, 960u);
    EXPECT_EQ(sink.edits.back(), "0513 000960");
}

TEST_F(PagesInWindow, ARefusedEntryShowsTheStoredValueBeforeItsMessage) {
    session.settings.delayUnit = 1;
    struct Case {
        int tab;
        std::function<EntryBox*()> box;
        QString typed;
    };
    const std::vector<Case> cases = {
        {0, [this] { return pages.input->box(Box::SineLevel); }, QStringLiteral("loud")},
        {6, [this] { return pages.delay->box(kIn1, DelayBox::Ms); }, QStringLiteral("1400")},
        {6, [this] { return pages.delay->box(channel(4), DelayBox::Feet); }, QStringLiteral("1'2")},
        {6, [this] { return pages.delay->box(channel(4), DelayBox::Inches); },
         QStringLiteral("12")},
    };
    for (const Case& c : cases) {
        showTab(c.tab);
        EntryBox* box = c.box();
        SCOPED_TRACE(c.typed.toStdString());
        const QString stored = box->text();
        QString onScreen;
        prompts.onMessage = [&] { onScreen = box->text(); };
        prompts.clear();
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, c.typed);
        window->tabs()->tabBar()->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(onScreen, stored);
        EXPECT_TRUE(box->hasFocus());
    }
    prompts.onMessage = nullptr;
}

// Enter outside the boxes goes back to the box last typed in, and a click on the bare
// page takes the box being typed in, on both pages that take typed values.
TEST_F(PagesInWindow, EnterReturnsToTheLastBoxAndABackgroundClickTakesTheText) {
    struct Case {
        int tab;
        std::function<EntryBox*()> box;
        std::function<QWidget*()> page;
        QString typed;
        std::function<int()> stored;
        int expected;
    };
    const std::vector<Case> cases = {
        {0, [this] { return pages.input->box(Box::PinkLevel); }, [this] { return pages.input; },
         QStringLiteral("-12"), [this] { return int(record().pink_level); }, 157},
        {6, [this] { return pages.delay->box(channel(2), DelayBox::Ms); },
         [this] { return pages.delay; }, QStringLiteral("1"),
         [this] { return int(record().out[2].delay); }, 96},
    };
    window->resize(window->size() + QSize(200, 100));
    for (const Case& c : cases) {
        showTab(c.tab);
        EntryBox* box = c.box();
        SCOPED_TRACE(c.tab);
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, c.typed);
        // The page's own margin, or the room the window has round the page, clear of
        // every control.
        QWidget* background = c.tab == 0 ? c.page() : c.page()->parentWidget();
        ASSERT_EQ(background->childAt(QPoint(2, 2)), nullptr);
        QTest::mouseClick(background, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(c.stored(), c.expected);
        EXPECT_FALSE(box->hasFocus());

        window->tabs()->tabBar()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window->tabs()->tabBar(), Qt::Key_Return);
        EXPECT_TRUE(box->hasFocus());
        EXPECT_EQ(window->currentTab(), c.tab);
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PagesInWindow, LeavingTheTabTakesTheTextAndEndsAHeldArrow) {
    showTab(6);
    EntryBox* ms = pages.delay->box(kIn1, DelayBox::Ms);
    QTest::mouseClick(ms, Qt::LeftButton);
    ms->selectAll();
    QTest::keyClicks(ms, QStringLiteral("2"));
    window->LeaveTab(6);
    EXPECT_EQ(record().master_delay[0], 192u);

    showTab(6);
    arrowEvent(pages.delay->arrows(kIn1), QEvent::MouseButtonPress, QPoint(8, 5));
    showTab(0);
    clock.advance(3000);
    EXPECT_EQ(record().master_delay[0], 193u) << "no stepping once the tab is gone";
    EXPECT_EQ(sink.edits, (Edits{"0381 000192", "0381 000193"}));
}

TEST_F(PagesInWindow, DisplayLampsFollowTheRecordAndTheMuteButtons) {
    record().panel_indicator.fill(0xFF);
    showTab(kDisplayTab);
    for (int c = 0; c < kOutputCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        EXPECT_EQ(record().panel_indicator[i], PanelIndicator(record(), c)) << c;
        EXPECT_EQ(pages.display->panel()->masks()[i], record().panel_indicator[i]) << c;
    }
    EXPECT_EQ(pages.display->summaryBox(3, 0)->text(), QStringLiteral("IN-2"));
    EXPECT_EQ(pages.display->summaryBox(2, 2)->text(), QStringLiteral(" Off  "));
    EXPECT_FALSE(pages.display->summaryBox(0, 1)->isEnabled());

    // Output 2 fed from IN-1 and sounding: its band lamps go out when it is muted.
    ASSERT_NE(record().panel_indicator[1] & 0x0F, 0);
    QTest::mouseClick(window->muteButton(1), Qt::LeftButton);
    EXPECT_EQ(record().panel_indicator[1], 0x20);
    EXPECT_EQ(pages.display->panel()->masks()[1], 0x20);
    QTest::mouseClick(window->allMutingButton(), Qt::LeftButton);
    for (int c = 0; c < kOutputCount; ++c)
        EXPECT_EQ(pages.display->panel()->masks()[static_cast<std::size_t>(c)] & 0x0F, 0) << c;
}

// Up/Down, Page Up/Down and the wheel on one box or fader of each page: each step goes
// the way of the spin arrows (one edit per arrow click on the Input page, one per step on
// the Delay and GEQ pages) and the box shows the new value.
TEST_F(PagesInWindow, KeysAndTheWheelStepEveryPagesBoxesAndFaders) {
    record().master_delay[0] = 500;
    record().pink_level = 150;
    record().geq_gain = {150, 150};
    struct Case {
        const char* name;
        int tab;
        std::function<QWidget*()> widget;
        std::function<int()> value;
        std::size_t edits; // sent for the four actions below
    };
    const Case cases[] = {
        {"input pink level box", 0, [&] { return pages.input->box(Box::PinkLevel); },
         [&] { return int(record().pink_level); }, 14},
        {"master delay box", 6, [&] { return pages.delay->box(kIn1, DelayBox::Ms); },
         [&] { return int(record().master_delay[0]); }, 4},
        {"GEQ band box", 1, [&] { return pages.geq[0]->bandBox(3); },
         [&] { return int(record().geq_level[3][0]); }, 4},
        {"GEQ band fader", 2, [&] { return pages.geq[1]->bandFader(30); },
         [&] { return int(record().geq_level[30][1]); }, 4},
        {"GEQ level fader", 1, [&] { return pages.geq[0]->levelFader(); },
         [&] { return int(record().geq_gain[0]); }, 4},
        {"output level fader", kFirstOutputTab + 1, [&] { return pages.output[1]->levelFader(); },
         [&] { return int(record().out[1].level); }, 4},
        {"output delay box", kFirstOutputTab + 2,
         [&] {
             record().out[2].delay = 500;
             pages.output[2]->showPage();
             return pages.output[2]->delayBox(DelayBox::Ms);
         },
         [&] { return int(record().out[2].delay); }, 4},
        {"output EQ level box", kFirstOutputTab,
         [&] {
             record().out[0].eq[0] = {1, 69, 24, 46};
             pages.output[0]->filters().pressBandButton(ElementEq1);
             pages.output[0]->showPage();
             return pages.output[0]->box(FilterBox::Level);
         },
         [&] { return int(record().out[0].eq[0].level); }, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        showTab(c.tab);
        QWidget* w = c.widget();
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        sink.edits.clear();
        const int start = c.value();
        const auto wheel = [w](int notches) {
            QWheelEvent event(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(),
                              QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &event);
        };
        QTest::keyClick(w, Qt::Key_Up);
        EXPECT_EQ(c.value(), start + 1);
        QTest::keyClick(w, Qt::Key_PageDown);
        EXPECT_EQ(c.value(), start - 9);
        wheel(1);
        EXPECT_EQ(c.value(), start - 8);
        wheel(-2);
        EXPECT_EQ(c.value(), start - 10);
        EXPECT_EQ(sink.edits.size(), c.edits);
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            window->tabs()->setFocus();
            QApplication::processEvents();
            const QString shown = box->text();
            showTab(c.tab == 0 ? 6 : 0);
            showTab(c.tab);
            EXPECT_EQ(box->text(), shown); // what was shown is what the record holds
        }
    }
}

// The flat dialogs tick linked channels together, and what they tick is what OK flattens.
TEST_F(PagesInWindow, FlatDialogsTickLinkedChannelsTogether) {
    EqOperations ops(session, sink);
    record().geq_link = 1;
    EqFlatDialog geq(EqKind::Geq, ops, window.get());
    QTest::mouseClick(geq.channelBox(1), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(geq.channelBox(0)->isChecked());
    sink.edits.clear();
    geq.accept();
    EXPECT_EQ(sink.edits, (Edits{"0120 31024"}));

    const auto group = static_cast<std::uint8_t>(OutputBit(0) | OutputBit(1));
    record().out[0].link_mask = group;
    record().out[1].link_mask = group;
    OutputFlatDialog outputs(record(), ops, window.get());
    QTest::mouseClick(outputs.channelBox(0), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(outputs.channelBox(1)->isChecked());
    EXPECT_FALSE(outputs.channelBox(2)->isChecked());
    sink.edits.clear();
    outputs.accept();
    EXPECT_EQ(sink.edits.size(), 6u);
}

// Tab goes through a page's value boxes in reading order: each block from the top, each row
// from the left. The chain is followed with real Tab presses from the page's first box, and
// the boxes are picked out of it in the order it reached them.
TEST_F(PagesInWindow, TabGoesThroughEachPagesBoxesInReadingOrder) {
    struct Case {
        const char* name;
        int tab;
        std::function<std::vector<QWidget*>()> boxes;
    };
    const auto delayBoxes = [&] {
        std::vector<QWidget*> out;
        for (int i = 0; i < 2; ++i)
            for (DelayBox kind : {DelayBox::Ms, DelayBox::Metres})
                out.push_back(pages.delay->box({DelayGroup::Master, i}, kind));
        for (int c = 0; c < kOutputCount; ++c)
            for (DelayBox kind : {DelayBox::Ms, DelayBox::Metres})
                out.push_back(pages.delay->box({DelayGroup::Channel, c}, kind));
        return out;
    };
    const auto geqBoxes = [&] {
        std::vector<QWidget*> out;
        for (int b = 0; b < kGeqBands; ++b) {
            out.push_back(pages.geq[0]->bandFader(b));
            out.push_back(pages.geq[0]->bandBox(b));
        }
        out.push_back(pages.geq[0]->levelFader());
        out.push_back(pages.geq[0]->levelBox());
        return out;
    };
    const auto peqBoxes = [&] {
        // A Peaking band selected, so that every box takes the focus.
        record().eq_mode = 1;
        record().peq_band[0][0] = {1, 69, 24, 46};
        PeqPage* page = pages.peq[0];
        page->editor().pressBandButton(0);
        page->showPage();
        std::vector<QWidget*> out;
        for (int b = 0; b < kPeqBands; ++b)
            out.push_back(page->bandButton(b));
        for (int b = 0; b < kPeqBands; ++b)
            out.push_back(page->bandOnButton(b));
        out.push_back(page->typeList());
        for (PeqBox box : {PeqBox::Frequency, PeqBox::Q, PeqBox::Level})
            out.push_back(page->box(box));
        out.push_back(page->levelFader());
        out.push_back(page->levelBox());
        return out;
    };
    const auto outputBoxes = [&] {
        // Every element on and a Peaking EQ selected, so that every button and box takes
        // the focus.
        OutputChannel& o = record().out[3];
        o.hpf_freq = 10;
        o.lpf_freq = 100;
        for (EqBand& band : o.eq)
            band.type = 1;
        OutputPage* page = pages.output[3];
        page->filters().pressBandButton(ElementEq2);
        page->showPage();
        std::vector<QWidget*> out = {page->sourceList(), page->phaseButton(), page->limiterBox(),
                                     page->delayBox(DelayBox::Ms),
                                     page->delayBox(DelayBox::Metres)};
        for (int e = 0; e < kOutputElements; ++e)
            out.push_back(page->bandButton(e));
        for (int e = 0; e < kOutputElements; ++e)
            out.push_back(page->bandOnButton(e));
        out.push_back(page->typeList());
        for (FilterBox box : {FilterBox::Frequency, FilterBox::Q, FilterBox::Level})
            out.push_back(page->box(box));
        out.push_back(page->levelFader());
        out.push_back(page->levelBox());
        return out;
    };
    const Case cases[] = {
        {"output", kFirstOutputTab + 3, outputBoxes},
        {"input", 0,
         [&]() -> std::vector<QWidget*> {
             return {pages.input->box(Box::SineLevel), pages.input->box(Box::SineFreq),
                     pages.input->box(Box::PinkLevel), pages.input->mutingButton()};
         }},
        {"delay", 6, delayBoxes},
        {"GEQ", 1, geqBoxes},
        {"PEQ", 3, peqBoxes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        showTab(c.tab);
        const std::vector<QWidget*> expected = c.boxes();
        expected.front()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        std::vector<QWidget*> reached;
        for (int press = 0; press < 200 && reached.size() < expected.size(); ++press) {
            QWidget* now = QApplication::focusWidget();
            ASSERT_NE(now, nullptr) << "the focus left the window after " << press << " presses";
            if (std::find(expected.begin(), expected.end(), now) != expected.end() &&
                std::find(reached.begin(), reached.end(), now) == reached.end())
                reached.push_back(now);
            QTest::keyClick(now, Qt::Key_Tab);
        }
        EXPECT_EQ(reached, expected);
    }
}

// The graph's handle and the box's keys reach the record through the same editor and both
// show in the box; in GEQ mode the graph takes no drag and says nothing.
TEST_F(PagesInWindow, PeqGraphDragsAndBoxKeysEditTheSelectedBand) {
    record().eq_mode = 1;
    record().peq_link = 0;
    record().peq_band[2][0] = {1, 69, 24, 46};
    showTab(3);
    PeqPage* page = pages.peq[0];
    EXPECT_EQ(window->page(3), page);
    EXPECT_EQ(window->page(4), pages.peq[1]);
    QTest::mouseClick(page->bandButton(2), Qt::LeftButton);
    ASSERT_EQ(page->editor().selectedBand(), 2);
    EXPECT_FALSE(page->box(PeqBox::Frequency)->text().isEmpty());

    PeqGraph* graph = page->graph();
    const BandHandles h = page->editor().handles();
    sink.edits.clear();
    QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(h.x, h.y));
    QTest::mouseMove(graph, QPoint(h.x + 30, h.y));
    QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(h.x + 30, h.y));
    EXPECT_EQ(record().peq_band[2][0].freq, 79);
    EXPECT_EQ(page->box(PeqBox::Frequency)->text(), page->editor().boxText(PeqBox::Frequency));

    page->box(PeqBox::Frequency)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(page->box(PeqBox::Frequency), Qt::Key_Up);
    QTest::keyClick(page->box(PeqBox::Frequency), Qt::Key_PageDown);
    EXPECT_EQ(record().peq_band[2][0].freq, 70);
    EXPECT_EQ(sink.edits, (Edits{"022102 079", "022102 080", "022102 070"}));
    EXPECT_TRUE(graph->readoutText(213).startsWith(QStringLiteral("1.00 kHz")));

    record().eq_mode = 0;
    page->showPage();
    sink.edits.clear();
    const BandHandles now = page->editor().handles();
    QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(now.x, now.y));
    QTest::mouseMove(graph, QPoint(now.x - 60, now.y - 40));
    QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(now.x - 60, now.y - 40));
    EXPECT_TRUE(sink.edits.empty());
    EXPECT_TRUE(prompts.shown().empty());
}

// The Output page's own controls, through the mouse: the delay arrows at the top of the
// range for the whole group, the fader pulled to -Inf, the display selector and the link
// indicator's request.
TEST_F(PagesInWindow, OutputPageArrowsFaderSelectorAndLinkIndicator) {
    const auto group = static_cast<std::uint8_t>(OutputBit(4) | OutputBit(5));
    record().out[4].link_mask = group;
    record().out[5].link_mask = group;
    record().out[4].delay = kMaxDelaySteps - 1;
    record().out[4].level = 181;
    OutputPage* page = pages.output[4];
    int linkRequests = 0;
    page->setLinkRequest([&] { ++linkRequests; });
    showTab(kFirstOutputTab + 4);
    ASSERT_EQ(window->page(kFirstOutputTab + 4), page);
    sink.edits.clear();

    DelayArrows* arrows = page->delayArrows();
    arrowEvent(arrows, QEvent::MouseButtonPress, QPoint(8, 4));
    EXPECT_EQ(record().out[5].delay, kMaxDelaySteps);
    clock.advance(1200); // the first repeat finds the top
    EXPECT_EQ(record().out[4].delay, kMaxDelaySteps);
    arrowEvent(arrows, QEvent::MouseButtonRelease, QPoint(8, 4));
    EXPECT_EQ(page->delayBox(DelayBox::Ms)->text(), DelayMsText(kMaxDelaySteps));
    EXPECT_EQ(sink.edits, (Edits{"0514 131071"}));

    sink.edits.clear();
    Fader* fader = page->levelFader();
    const QPoint knob = fader->mapTo(page, QPoint(10, fader->knobTop() + 8));
    QTest::mousePress(page, Qt::LeftButton, {}, knob);
    QTest::mouseMove(page, knob + QPoint(0, 300));
    QTest::mouseRelease(page, Qt::LeftButton, {}, knob + QPoint(0, 300));
    EXPECT_EQ(record().out[5].level, 0);
    EXPECT_EQ(page->levelBox()->text(), QStringLiteral("-Inf dB"));
    EXPECT_EQ(fader->knobTop(), 221);
    EXPECT_EQ(sink.edits.back(), "0494 000");

    ChannelStrip* selector = page->displaySelector();
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->slot(1).center());
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->slot(4).center()); // its own
    EXPECT_EQ(record().out[4].display_mask, OutputBit(1) | OutputBit(4));
    page->graph()->render(1);
    EXPECT_EQ(page->graph()->curves(1).sum, OutputResponse(record().out[1]).sum);

    EXPECT_EQ(page->linkIndicator()->mask(), group);
    QTest::mouseClick(page->linkIndicator(), Qt::LeftButton);
    EXPECT_EQ(linkRequests, 1);

    // The Display page's low-pass summary of the group follows the page's OFF button.
    showTab(kDisplayTab);
    const QString lowPassShown = pages.display->summaryBox(4, 2)->text();
    showTab(kFirstOutputTab + 4);
    QTest::mouseClick(page->bandOnButton(ElementLpf), Qt::LeftButton);
    EXPECT_EQ(record().out[4].lpf_freq, kLpfOff);
    showTab(kDisplayTab);
    EXPECT_NE(pages.display->summaryBox(4, 2)->text(), lowPassShown);
}
