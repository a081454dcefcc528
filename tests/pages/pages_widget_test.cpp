// The pages in the main window, driven with QTest's mouse and keys: what only the widgets do,
// and that each page shows the record again after its editor has acted.

#include "app/eq_commands.h"
#include "installed_window.h"
#include "pages/ch_link_dialog.h"
#include "pages/channel_strip.h"
#include "pages/compressor_page.h"
#include "pages/delay_arrows.h"
#include "pages/delay_page.h"
#include "pages/entry_box.h"
#include "pages/eq_flat_dialog.h"
#include "pages/fader.h"
#include "pages/geq_page.h"
#include "pages/input_page.h"
#include "pages/output_flat_dialog.h"
#include "pages/output_page.h"
#include "pages/peq_graph.h"
#include "pages/peq_page.h"
#include "pages/spin_buttons.h"
#include "pages/transfer_curve_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace mqx;
using Edits = std::vector<std::string>;
using Box = InputEditor::Box;
using F = CompField;

namespace {

constexpr DelayTarget kIn1{DelayGroup::Master, 0};
DelayTarget channel(int c) {
    return {DelayGroup::Channel, c};
}
constexpr int kCompressorTab = 5;

class PagesInWindow : public ::testing::Test, public test::InstalledWindow {
protected:
    void SetUp() override {
        session.ConnectedUnitId = 1;
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    // Clicks into a box and replaces its text as the operator would, then leaves the box for
    // `next` (or stays, for nullptr).
    void type(QLineEdit* box, const QString& text, QWidget* next = nullptr) {
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, text);
        if (next != nullptr)
            next->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    // A radio button takes clicks on its circle and label only; the circle is at the left.
    void clickRadio(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    // Mouse events on the arrows widget, in its own pixels: the up arrow at the top.
    void arrowEvent(DelayArrows* arrows, QEvent::Type type, bool up = true) {
        const QPoint at(8, up ? 5 : 16);
        QMouseEvent event(type, at, arrows->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(arrows, &event);
    }
    static void wheel(QWidget* w, int notches) {
        QWheelEvent event(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(w, &event);
    }
    // The widgets of `expected` in the order real Tab presses from the first reach them.
    static std::vector<QWidget*> tabChain(const std::vector<QWidget*>& expected,
                                          const std::vector<QWidget*>& candidates) {
        expected.front()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        std::vector<QWidget*> reached;
        for (int press = 0; press < 200 && reached.size() < expected.size() + 1; ++press) {
            QWidget* now = QApplication::focusWidget();
            if (std::ranges::count(candidates, now) > 0 && std::ranges::count(reached, now) == 0)
                reached.push_back(now);
            QTest::keyClick(now, Qt::Key_Tab);
        }
        return reached;
    }
};

} // namespace

TEST_F(PagesInWindow, InputBoxesTakeTextOnFocusLossOrEnterAndSpinsAndRadiosReachTheRecord) {
    showTab(0);
    InputPage* page = pages.input;
    EntryBox* level = page->box(Box::SineLevel);
    EntryBox* freq = page->box(Box::SineFreq);
    type(freq, QStringLiteral("440"), level);
    EXPECT_EQ(freq->text(), QStringLiteral(" 450.0Hz")); // the nearest step
    type(level, QStringLiteral("-12"));
    QTest::keyClick(level, Qt::Key_Return);
    EXPECT_EQ(level->text(), QStringLiteral("-12.0dBFS"));
    EXPECT_TRUE(level->hasFocus());
    EXPECT_EQ(sink.edits, (Edits{"004 055", "005 157"}));
    std::tie(record().pink_level, record().sg_mute) = std::tuple(204, 1);
    page->showPage();
    QTest::mouseClick(page->spin(Box::PinkLevel)->upButton(), Qt::LeftButton);
    EXPECT_EQ(page->box(Box::PinkLevel)->text(), QStringLiteral(" 12.0dB"));
    clickRadio(page->inputModeButton(1));
    EXPECT_TRUE(page->mutingButton()->isChecked()) << "the generator starts muted";
    QTest::mouseClick(page->mutingButton(), Qt::LeftButton);
    EXPECT_EQ(record().sg_mute, 1);
    clickRadio(page->waveButton(false));
    clickRadio(page->inputSelectButton(1));
    EXPECT_EQ(std::tuple(record().input_mode, record().sg_wave, record().input_select),
              std::tuple(1, 0, 1));
    record().input_select = 9; // from a damaged file: no button at all
    page->showPage();
    EXPECT_FALSE(page->inputSelectButton(1)->isChecked());
}

// Held, moved off (the face shows released) and back, released; a refused text stops a press.
TEST_F(PagesInWindow, ArrowsStepWhileHeldSendOnReleaseAndFirstTakeTheBoxBeingTyped) {
    showTab(6);
    DelayArrows* arrows = pages.delay->arrows(channel(1));
    arrowEvent(arrows, QEvent::MouseButtonPress);
    EXPECT_EQ(arrows->pressedImage(), 1);
    clock.advance(1000 + 500);
    EXPECT_EQ(pages.delay->box(channel(1), DelayBox::Ms)->text(), DelayMsText(6));
    arrowEvent(arrows, QEvent::MouseMove, false); // onto the down arrow
    EXPECT_EQ(arrows->pressedImage(), 0);
    clock.advance(1000);
    arrowEvent(arrows, QEvent::MouseMove);
    clock.advance(100);
    EXPECT_TRUE(sink.edits.empty());
    arrowEvent(arrows, QEvent::MouseButtonRelease);
    EXPECT_EQ(sink.edits, (Edits{"0511 000007"}));

    sink.edits.clear();
    EntryBox* ms = pages.delay->box(channel(3), DelayBox::Ms);
    arrows = pages.delay->arrows(channel(3));
    type(ms, QStringLiteral("10"));
    arrowEvent(arrows, QEvent::MouseButtonPress);
    arrowEvent(arrows, QEvent::MouseButtonRelease);
    type(ms, QStringLiteral("x"));
    arrowEvent(arrows, QEvent::MouseButtonPress);
    EXPECT_EQ(record().out[3].delay, 961u);
    EXPECT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(arrows->pressedImage(), 0);
    arrowEvent(arrows, QEvent::MouseButtonPress, false);
    EXPECT_EQ(arrows->pressedImage(), 2);
    arrowEvent(arrows, QEvent::MouseButtonRelease, false);
    EXPECT_EQ(sink.edits, (Edits{"0513 000960", "0513 000961", "0513 000960"}));
}

// A refused text is back in its box before the message and keeps the focus; a click on the bare
// page takes a text, and Enter outside the boxes goes back to the box last typed in.
TEST_F(PagesInWindow, RefusedAndTakenEntriesAndEnterOutsideTheBoxes) {
    session.settings.delayUnit = 1;
    const struct {
        int tab;
        EntryBox* box;
        QWidget* background;
        const char *refused, *taken;
    } cases[] = {
        {0, pages.input->box(Box::PinkLevel), pages.input, "loud", "-12"},
        {6, pages.delay->box(channel(2), DelayBox::Feet), pages.delay->parentWidget(), "1'2", "1"},
        {kFirstOutputTab, pages.output[0]->delayBox(DelayBox::Ms), pages.output[0], "x", "2"},
        {3, pages.peq[0]->levelBox(), pages.peq[0], "x", "-3"},
        {3, pages.peq[0]->box(PeqBox::Frequency), pages.peq[0], "x", "1000"},
        {kCompressorTab, pages.compressor->box(0, F::Threshold), pages.compressor, "x", "-10"},
        {1, pages.geq[0]->bandBox(5), pages.geq[0], "x", "-3"},
    };
    record().peq_band[0][0] = {EqPeaking, 40, 24, 46};
    record().eq_mode = 1;
    pages.peq[0]->editor().pressBandButton(0);
    window->resize(window->size() + QSize(200, 100));
    for (const auto& c : cases) {
        record().eq_mode = c.tab == 3 || c.tab == kCompressorTab;
        showTab(c.tab);
        EntryBox* box = c.box;
        SCOPED_TRACE(c.tab);
        const QString stored = box->text();
        QString onScreen;
        prompts.setOnShow([&](const auto&) { onScreen = box->text(); });
        prompts.clear();
        type(box, QString::fromLatin1(c.refused), window->tabs()->tabBar());
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(onScreen, stored);
        EXPECT_EQ(box->text(), stored);
        EXPECT_TRUE(box->hasFocus());
        prompts.setOnShow(nullptr);

        type(box, QString::fromLatin1(c.taken));
        ASSERT_EQ(c.background->childAt(QPoint(2, 2)), nullptr);
        QTest::mouseClick(c.background, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_FALSE(box->hasFocus());
        window->tabs()->tabBar()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window->tabs()->tabBar(), Qt::Key_Return);
        EXPECT_TRUE(box->hasFocus());
        EXPECT_EQ(window->currentTab(), c.tab);
    }
    // A box passed through without typing is not the one Enter goes back to.
    pages.geq[0]->bandBox(6)->setFocus(Qt::TabFocusReason);
    window->tabs()->tabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window->tabs()->tabBar(), Qt::Key_Return);
    EXPECT_TRUE(pages.geq[0]->bandBox(5)->hasFocus());
    EXPECT_EQ(record().out[2].delay, 85u); // one foot: 0.3048 m at 344 m/s, in 1/96 ms
    const ProgramRecord& r = record();
    // GEQ 0 dB is 24 in half-dB steps; a threshold step is -0.5 dBFS.
    EXPECT_EQ(std::tuple(r.out[0].delay, r.peq_gain[0], r.peq_band[0][0].freq, r.geq_level[5][0],
                         r.comp_threshold[0]),
              std::tuple(192, 175, 69, 18, 20));
    EXPECT_EQ(prompts.shown().size(), 1u);
}

// Keys and wheel step as the arrows do: one edit per step, one per arrow click on the Input page.
TEST_F(PagesInWindow, KeysAndTheWheelStepEveryKindOfBoxAndFader) {
    record().master_delay[0] = 500;
    record().pink_level = 150;
    record().out[0].eq[0] = {1, 69, 24, 46};
    record().side_eq[1] = {EqPeaking, 60, 24, 46};
    CompressorPage* comp = pages.compressor;
    record().comp_link = CompIndividual;
    const std::tuple<int, std::function<QWidget*()>, std::function<int()>, std::size_t> cases[] = {
        {0, [&] { return pages.input->box(Box::PinkLevel); },
         [&] { return int(record().pink_level); }, 14},
        {6, [&] { return pages.delay->box(kIn1, DelayBox::Ms); },
         [&] { return int(record().master_delay[0]); }, 4},
        {2, [&] { return pages.geq[1]->bandFader(30); },
         [&] { return int(record().geq_level[30][1]); }, 4},
        {kFirstOutputTab,
         [&] {
             pages.output[0]->filters().pressBandButton(ElementEq1);
             return pages.output[0]->showPage(), pages.output[0]->box(FilterBox::Level);
         },
         [&] { return int(record().out[0].eq[0].level); }, 4},
        {kCompressorTab,
         [&] { return record().eq_mode = 1, comp->showPage(), comp->box(1, F::SideQ); },
         [&] { return int(record().side_eq[1].q); }, 4},
        {kCompressorTab, [&] { return comp->gainFader(1); },
         [&] { return int(record().comp_gain[1]); }, 4},
        {3, [&] { return pages.peq[0]->showPage(), pages.peq[0]->levelBox(); },
         [&] { return int(record().peq_gain[0]); }, 4},
    };
    for (const auto& [tab, widget, value, edits] : cases) {
        SCOPED_TRACE(tab);
        showTab(tab);
        QWidget* w = widget();
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        sink.edits.clear();
        const int start = value();
        QTest::keyClick(w, Qt::Key_Up);
        EXPECT_EQ(value(), start + 1);
        QTest::keyClick(w, Qt::Key_PageDown);
        EXPECT_EQ(value(), start - 9);
        wheel(w, 1);
        EXPECT_EQ(value(), start - 8);
        wheel(w, -2);
        EXPECT_EQ(value(), start - 10);
        EXPECT_EQ(sink.edits.size(), edits);
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            window->tabs()->setFocus();
            QApplication::processEvents();
            const QString shown = box->text();
            showTab(tab == 0 ? 6 : 0);
            showTab(tab);
            EXPECT_EQ(box->text(), shown);
        }
    }
    // The arrows beside a compressor box step it once a click.
    sink.edits.clear();
    QTest::mouseClick(comp->arrows(1, F::Ratio)->upButton(), Qt::LeftButton);
    EXPECT_EQ(sink.edits, (Edits{"0352 001"}));
    EXPECT_TRUE(prompts.shown().empty());
}

// Each block from the top, each row from the left; a disabled box and an unused column skipped.
TEST_F(PagesInWindow, TabGoesThroughThePagesBoxesInReadingOrder) {
    OutputChannel& o = record().out[3];
    o.hpf_freq = 10;
    o.lpf_freq = 100;
    for (EqBand& band : o.eq)
        band.type = 1;
    OutputPage* page = pages.output[3];
    page->filters().pressBandButton(ElementEq2);
    std::vector<QWidget*> output = {page->sourceList(), page->phaseButton(), page->limiterBox(),
                                    page->delayBox(DelayBox::Ms), page->delayBox(DelayBox::Metres)};
    for (int e = 0; e < 2 * kOutputElements; ++e)
        output.push_back(e < kOutputElements ? page->bandButton(e)
                                             : page->bandOnButton(e - kOutputElements));
    output.insert(output.end(),
                  {page->typeList(), page->box(FilterBox::Frequency), page->box(FilterBox::Q),
                   page->box(FilterBox::Level), page->levelFader(), page->levelBox()});
    showTab(kFirstOutputTab + 3);
    EXPECT_EQ(tabChain(output, output), output);

    CompressorPage* comp = pages.compressor;
    std::vector<QWidget*> all = {comp->linkList()};
    for (int ch : {0, 1})
        all.insert(all.end(),
                   {comp->onButton(ch), comp->box(ch, F::Attack), comp->box(ch, F::Release),
                    comp->box(ch, F::Threshold), comp->box(ch, F::Ratio), comp->typeList(ch),
                    comp->box(ch, F::SideFreq), comp->box(ch, F::SideQ),
                    comp->box(ch, F::SideLevel)});
    all.insert(all.end(),
               {comp->gainFader(0), comp->gainBox(0), comp->gainFader(1), comp->gainBox(1)});
    record().eq_mode = 1;
    record().side_eq[0] = {EqHiShelf, 60, 24, 46}; // no Q: its box is disabled
    record().side_eq[1] = {EqPeaking, 60, 24, 46};
    showTab(kCompressorTab);
    for (int link : {CompIndividual, CompLinkStereo}) {
        record().comp_link = static_cast<std::uint8_t>(link);
        comp->showPage();
        std::vector<QWidget*> expected = all;
        if (link != CompIndividual) // the second column goes
            expected.erase(expected.begin() + 10, expected.begin() + 19);
        std::erase(expected, comp->box(0, F::SideQ));
        EXPECT_EQ(tabChain(expected, all), expected) << link;
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PagesInWindow, OutputPageArrowsFaderSelectorAndLinkRequest) {
    const auto group = static_cast<std::uint8_t>(OutputBit(4) | OutputBit(5));
    record().out[4].link_mask = record().out[5].link_mask = group;
    record().out[4].delay = kMaxDelaySteps - 1;
    OutputPage* page = pages.output[4];
    int linkRequests = 0;
    page->setLinkRequest([&] { ++linkRequests; });
    showTab(kFirstOutputTab + 4);
    sink.edits.clear();
    arrowEvent(page->delayArrows(), QEvent::MouseButtonPress);
    clock.advance(1200); // the first repeat finds the top
    arrowEvent(page->delayArrows(), QEvent::MouseButtonRelease);
    EXPECT_EQ(page->delayBox(DelayBox::Ms)->text(), DelayMsText(kMaxDelaySteps));
    type(page->delayBox(DelayBox::Ms), QStringLiteral("x")); // refused, so the arrow does nothing
    arrowEvent(page->delayArrows(), QEvent::MouseButtonPress, false);
    arrowEvent(page->delayArrows(), QEvent::MouseButtonRelease, false);
    EXPECT_EQ(std::pair(record().out[4].delay, prompts.shown().size()),
              std::pair(kMaxDelaySteps, std::size_t{1}));

    Fader* fader = page->levelFader();
    const QPoint knob = fader->mapTo(page, QPoint(10, fader->knobTop() + 8));
    QTest::mousePress(page, Qt::LeftButton, {}, knob);
    QTest::mouseMove(page, knob + QPoint(0, 300));
    QTest::mouseRelease(page, Qt::LeftButton, {}, knob + QPoint(0, 300));
    EXPECT_EQ(page->levelBox()->text(), QStringLiteral("-Inf dB"));

    ChannelStrip* selector = page->displaySelector();
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->slot(1).center());
    QTest::mouseClick(selector, Qt::LeftButton, {}, selector->slot(4).center()); // its own
    EXPECT_EQ(record().out[4].display_mask, OutputBit(1) | OutputBit(4));
    QTest::mouseClick(page->linkIndicator(), Qt::LeftButton);
    EXPECT_EQ(linkRequests, 1);
    for (auto [e, types] : {std::pair{ElementLpf, kXoverTypeCount}, {ElementEq1, kEqTypeCount}}) {
        QTest::mouseClick(page->bandButton(e), Qt::LeftButton);
        EXPECT_EQ(page->typeList()->count(), types) << e;
    }
    QTest::mouseClick(page->bandOnButton(ElementLpf), Qt::LeftButton);
    EXPECT_EQ(record().out[4].lpf_freq, kLpfOff);
}

// A refused click (the editor's warning) leaves no focus and no button pressed.
TEST_F(PagesInWindow, CompressorRefusesClicksOnAnUnusedColumnAndShowsTheRecord) {
    record().eq_mode = 1;
    record().comp_link = CompLinkStereo;
    showTab(kCompressorTab);
    CompressorPage* page = pages.compressor;
    const ProgramRecord before = record();
    QTest::mouseClick(page->box(1, F::Attack), Qt::LeftButton);
    QTest::mouseClick(page->onButton(1), Qt::LeftButton);
    QTest::mouseClick(page->arrows(1, F::Threshold)->upButton(), Qt::LeftButton);
    record().eq_mode = 0;
    QTest::mouseClick(page->box(0, F::Ratio), Qt::LeftButton);
    QTest::mouseClick(page->linkList(), Qt::LeftButton);
    EXPECT_EQ(prompts.shown().size(), 5u);
    EXPECT_FALSE(page->box(1, F::Attack)->hasFocus());
    EXPECT_FALSE(page->onButton(1)->isChecked());
    record().eq_mode = 1;
    EXPECT_EQ(record(), before);
    record().comp_link = CompLinkIn2; // now IN-1's column is the unused one
    QTest::mouseClick(page->box(0, F::Attack), Qt::LeftButton);
    EXPECT_FALSE(page->box(0, F::Attack)->hasFocus());
    EXPECT_EQ(prompts.shown().size(), 6u);
    EXPECT_TRUE(sink.edits.empty());
    record().comp_link = CompLinkStereo;

    record().side_eq[0] = {EqPeaking, 100, 30, 20}; // Bandpass leaves the level unused
    page->typeList(0)->setCurrentIndex(EqBandpass);
    Q_EMIT page->typeList(0)->activated(EqBandpass);
    EXPECT_EQ(sink.edits, (Edits{"0281 002100030020"}));
    page->linkList()->setCurrentIndex(CompLinkIn2);
    Q_EMIT page->linkList()->activated(CompLinkIn2);
    EXPECT_FALSE(page->graph()->curves()[0].shown);
    EXPECT_TRUE(page->graph()->curves()[1].shown);
}

TEST_F(PagesInWindow, LeavingTheTabTakesTheTextAndEndsAHeldArrow) {
    showTab(6);
    type(pages.delay->box(kIn1, DelayBox::Ms), QStringLiteral("2"));
    window->LeaveTab(6);
    EXPECT_EQ(record().master_delay[0], 192u);
    showTab(6);
    arrowEvent(pages.delay->arrows(kIn1), QEvent::MouseButtonPress);
    showTab(0);
    clock.advance(3000);
    EXPECT_EQ(record().master_delay[0], 193u) << "no stepping once the tab is gone";
    EXPECT_EQ(sink.edits, (Edits{"0381 000192", "0381 000193"}));
    showTab(6); // back on the tab, the operator starts at the first master delay again
    pages.delay->box(channel(3), DelayBox::Ms)->setFocus(Qt::TabFocusReason);
    showTab(0);
    showTab(6);
    EXPECT_TRUE(pages.delay->box(kIn1, DelayBox::Ms)->hasFocus());
    window->action(MenuId::DelayFeetInches)->trigger();
    EXPECT_EQ(pages.delay->distanceHeading(), QStringLiteral("[feet/inches]"));
    record().out[0].eq[0] = {1, 69, 24, 46};
    showTab(7);
    OutputPage* out = pages.output[0];
    QTest::mouseClick(out->bandButton(ElementEq1), Qt::LeftButton);
    type(out->box(FilterBox::Level), QStringLiteral("3"));
    window->LeaveTab(7);
    EXPECT_EQ(record().out[0].eq[0].level, 30);
}

TEST_F(PagesInWindow, PeqGraphDragsTheSelectedBand) {
    record().eq_mode = 1;
    record().peq_link = 0;
    record().peq_band[2][0] = {1, 69, 24, 46};
    showTab(3);
    PeqPage* page = pages.peq[0];
    QTest::mouseClick(page->bandButton(2), Qt::LeftButton);
    const BandHandles h = page->editor().handles();
    QTest::mousePress(page->graph(), Qt::LeftButton, {}, QPoint(h.x, h.y));
    QTest::mouseMove(page->graph(), QPoint(h.x + 30, h.y));
    QTest::mouseRelease(page->graph(), Qt::LeftButton, {}, QPoint(h.x + 30, h.y));
    EXPECT_FALSE(page->editor().isDragging()) << "the handles are drawn as let go";
    EXPECT_EQ(sink.edits, Edits{"022102 079"});
    EXPECT_EQ(page->box(PeqBox::Frequency)->text(), page->editor().boxText(PeqBox::Frequency));
}

TEST_F(PagesInWindow, ChLinkBoxesAskForTheDialogOnlyInTheirOwnMode) {
    record().eq_mode = 0;
    int requests = 0;
    pages.geq[0]->setLinkRequest([&] { ++requests; });
    pages.peq[0]->setLinkRequest([&] { requests += 10; });
    for (auto [tab, box] : {std::pair{1, pages.geq[0]->linkBox()}, {3, pages.peq[0]->linkBox()}}) {
        showTab(tab);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    EXPECT_EQ(requests, 1);
}

TEST_F(PagesInWindow, ChLinkDialogCancelKeepsAndOkLinksAndRefreshesThePage) {
    InstallEqCommands(*window, session, sink, pages, nullptr);
    record().out[1].delay = 960;
    showTab(6);
    const auto shownMs = [&](int c) { return pages.delay->box(channel(c), DelayBox::Ms)->text(); };
    const ProgramRecord before = record();
    const auto run = [&](std::vector<std::pair<int, int>> clicks, bool ok) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ChLinkDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            opened = true;
            for (const auto& [row, ch] : clicks)
                QTest::mouseClick(dialog->table(), Qt::LeftButton, {},
                                  ch_link_geometry::SlotRect(row, ch).center());
            QTest::mouseClick(ok ? dialog->okButton() : dialog->cancelButton(), Qt::LeftButton);
        });
        window->action(MenuId::OutputLinkCh)->trigger();
        EXPECT_TRUE(opened);
    };
    run({{0, 5}, {3, 4}}, false);
    EXPECT_EQ(record(), before);
    run({{0, 1}, {0, 2}}, true);
    EXPECT_EQ(record().out[1].link_mask, 56);
    EXPECT_EQ(shownMs(1), shownMs(0));
}

TEST_F(PagesInWindow, FlatDialogsTickLinkedChannelsTogether) {
    EqOperations ops(session, sink);
    record().geq_link = 1;
    const auto group = static_cast<std::uint8_t>(OutputBit(2) | OutputBit(3));
    record().out[2].link_mask = record().out[3].link_mask = group;
    EqFlatDialog geq(EqKind::Geq, ops, window.get());
    OutputFlatDialog outputs(record(), ops, window.get());
    QTest::mouseClick(geq.channelBox(1), Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(outputs.channelBox(3), Qt::LeftButton, {}, QPoint(8, 8));
    std::vector<bool> ticked = {geq.channelBox(0)->isChecked()};
    for (int c = 0; c < kOutputCount; ++c)
        ticked.push_back(outputs.channelBox(c)->isChecked());
    EXPECT_EQ(ticked, (std::vector<bool>{true, false, false, true, true, false, false}));
    sink.edits.clear();
    outputs.accept();
    EXPECT_EQ(sink.edits.size(), 6u);
}
