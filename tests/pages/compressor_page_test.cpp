// The Compressor page in the main window under the offscreen platform: keys, wheel and Tab
// on its boxes and faders, the guards of an unused column, the enabling by Side EQ type,
// and what the graph and the reduction bars paint.

#include "app/install_pages.h"
#include "app/main_window.h"
#include "core/session.h"
#include "pages/compressor_page.h"
#include "pages/entry_box.h"
#include "pages/eq_band_rules.h"
#include "pages/fader.h"
#include "pages/reduction_bar.h"
#include "pages/spin_buttons.h"
#include "pages/transfer_curve_view.h"
#include "program/value_scales.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "test_paths.h"
#include "virtual_clock.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace mqx;
using Edits = std::vector<std::string>;
using F = CompField;

namespace {

struct NoFiles : FileDialogs {
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

constexpr int kCompressorTab = 5;

class CompressorPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(session, prompts, files, sink,
                                              dir.path(QStringLiteral("cfg")));
        pages = InstallPages(*window, session, sink, prompts, clock);
        // After the window's own defaults.
        record().eq_mode = 1;
        record().comp_link = CompIndividual;
        session.ConnectedUnitId = 1;
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->tabs()->setCurrentIndex(kCompressorTab);
        QApplication::processEvents();
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    CompressorPage* page() { return pages.compressor; }
    static void wheel(QWidget* w, int notches) {
        QWheelEvent event(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(w, &event);
    }

    test::ScratchDir dir;
    Session session;
    test::ScriptedPrompts prompts;
    NoFiles files;
    test::RecordingEditSink sink;
    test::VirtualClock clock;
    std::unique_ptr<MainWindow> window;
    InstalledPages pages;
};

} // namespace

TEST_F(CompressorPageTest, KeysWheelAndArrowsStepEveryBoxAndFaderAndTheBoxShowsTheStep) {
    record().side_eq[1] = {EqPeaking, 60, 24, 46};
    struct Case {
        const char* name;
        std::function<QWidget*()> widget;
        std::function<int()> value;
        std::function<QString()> shown;
        QString afterUp;
    };
    const Case cases[] = {
        {"IN-1 attack box", [&] { return page()->box(0, F::Attack); },
         [&] { return int(record().comp_attack[0]); },
         [&] { return page()->box(0, F::Attack)->text(); }, QStringLiteral("  1.2msec")},
        {"IN-2 Side EQ Q box", [&] { return page()->box(1, F::SideQ); },
         [&] { return int(record().side_eq[1].q); },
         [&] { return page()->box(1, F::SideQ)->text(); }, StepText(Scale::QBandwidth, 47)},
        {"IN-2 make-up fader", [&] { return page()->gainFader(1); },
         [&] { return int(record().comp_gain[1]); }, [&] { return page()->gainBox(1)->text(); },
         QStringLiteral("  0.5dB")},
        {"IN-1 make-up box", [&] { return page()->gainBox(0); },
         [&] { return int(record().comp_gain[0]); }, [&] { return page()->gainBox(0)->text(); },
         QStringLiteral("  0.5dB")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = c.widget();
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        sink.edits.clear();
        const int start = c.value();
        QTest::keyClick(w, Qt::Key_Up);
        EXPECT_EQ(c.value(), start + 1);
        EXPECT_EQ(c.shown(), c.afterUp);
        QTest::keyClick(w, Qt::Key_PageDown);
        EXPECT_EQ(c.value(), start - 9);
        wheel(w, 1);
        EXPECT_EQ(c.value(), start - 8);
        wheel(w, -2);
        EXPECT_EQ(c.value(), start - 10);
        EXPECT_EQ(sink.edits.size(), 4u);
    }
    // The arrows beside a box step it once a click.
    sink.edits.clear();
    QTest::mouseClick(page()->arrows(1, F::Ratio)->upButton(), Qt::LeftButton);
    EXPECT_EQ(record().comp_ratio[1], 1);
    EXPECT_EQ(sink.edits, (Edits{"0352 001"}));
    EXPECT_TRUE(prompts.shown().empty());
}

// Real Tab presses from the link list: each control of the page is listed in the order
// it is first reached, until the chain comes back round.
TEST_F(CompressorPageTest, TabGoesThroughTheColumnsInReadingOrderAndSkipsAnUnusedColumn) {
    record().side_eq[0] = {EqHiShelf, 60, 24, 46}; // no Q: its box is disabled
    record().side_eq[1] = {EqPeaking, 60, 24, 46};
    const auto column = [this](int ch) {
        std::vector<QWidget*> out = {page()->onButton(ch),        page()->box(ch, F::Attack),
                                     page()->box(ch, F::Release), page()->box(ch, F::Threshold),
                                     page()->box(ch, F::Ratio),   page()->typeList(ch),
                                     page()->box(ch, F::SideFreq)};
        if (ch == 1)
            out.push_back(page()->box(ch, F::SideQ));
        out.push_back(page()->box(ch, F::SideLevel));
        return out;
    };
    std::vector<QWidget*> all = {page()->linkList()};
    std::vector<QWidget*> linked = all;
    for (int ch : {0, 1})
        for (QWidget* w : column(ch)) {
            all.push_back(w);
            if (ch == 0)
                linked.push_back(w);
        }
    for (QWidget* w :
         {static_cast<QWidget*>(page()->gainFader(0)), static_cast<QWidget*>(page()->gainBox(0)),
          static_cast<QWidget*>(page()->gainFader(1)), static_cast<QWidget*>(page()->gainBox(1))}) {
        all.push_back(w);
        linked.push_back(w);
    }
    std::vector<QWidget*> candidates = all;
    candidates.push_back(page()->box(0, F::SideQ));
    const std::pair<int, std::vector<QWidget*>> cases[] = {{CompIndividual, all},
                                                           {CompLinkStereo, linked}};
    for (const auto& [mode, expected] : cases) {
        SCOPED_TRACE(mode);
        record().comp_link = static_cast<std::uint8_t>(mode);
        page()->showPage();
        page()->linkList()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        std::vector<QWidget*> reached;
        for (int press = 0; press < 80; ++press) {
            QWidget* now = QApplication::focusWidget();
            ASSERT_NE(now, nullptr);
            if (std::find(candidates.begin(), candidates.end(), now) != candidates.end() &&
                std::find(reached.begin(), reached.end(), now) == reached.end())
                reached.push_back(now);
            QTest::keyClick(now, Qt::Key_Tab);
        }
        EXPECT_EQ(reached, expected);
        EXPECT_TRUE(prompts.shown().empty());
    }
}

TEST_F(CompressorPageTest, AClickOnAnUnusedColumnWarnsAndChangesNothing) {
    record().comp_link = CompLinkStereo;
    page()->showPage();
    EXPECT_TRUE(page()->lampShowsValid(0));
    EXPECT_FALSE(page()->lampShowsValid(1));
    const ProgramRecord before = record();
    QTest::mouseClick(page()->box(1, F::Attack), Qt::LeftButton);
    QTest::mouseClick(page()->onButton(1), Qt::LeftButton);
    QTest::mouseClick(page()->arrows(1, F::Threshold)->upButton(), Qt::LeftButton);
    ASSERT_EQ(prompts.shown().size(), 3u);
    for (const auto& shown : prompts.shown()) {
        EXPECT_EQ(shown.title, QStringLiteral("Link Mode Warning"));
        EXPECT_EQ(shown.text, QStringLiteral("In LINK(STEREO) mode, IN-1 block is valid."));
    }
    EXPECT_FALSE(page()->box(1, F::Attack)->hasFocus());
    EXPECT_FALSE(page()->onButton(1)->isChecked());
    EXPECT_EQ(record(), before);
    EXPECT_TRUE(sink.edits.empty());

    // In GEQ mode even the valid column and the link list refuse.
    record().eq_mode = 0;
    const ProgramRecord inGeqMode = record();
    prompts.clear();
    QTest::mouseClick(page()->box(0, F::Ratio), Qt::LeftButton);
    QTest::mouseClick(page()->linkList(), Qt::LeftButton);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].text, QStringLiteral("Now GEQ mode."));
    EXPECT_EQ(record(), inGeqMode);
}

TEST_F(CompressorPageTest, TypeListLinkListGraphAndBarsShowTheRecordAndTheMeters) {
    record().side_eq[0] = {EqPeaking, 100, 30, 20};
    record().comp_threshold[0] = 40;
    record().comp_ratio[0] = 50;
    page()->showPage();
    // Bandpass leaves the level unused: disabled and blank.
    page()->typeList(0)->setCurrentIndex(EqBandpass);
    Q_EMIT page()->typeList(0)->activated(EqBandpass);
    EXPECT_EQ(sink.edits, (Edits{"0281 002100030020"}));
    EXPECT_FALSE(page()->box(0, F::SideLevel)->isEnabled());
    EXPECT_TRUE(page()->box(0, F::SideLevel)->text().isEmpty());
    EXPECT_TRUE(page()->box(0, F::SideQ)->isEnabled());

    // The link list: LINK(IN-2) draws IN-2's curve only.
    page()->linkList()->setCurrentIndex(CompLinkIn2);
    Q_EMIT page()->linkList()->activated(CompLinkIn2);
    EXPECT_FALSE(page()->graph()->curves()[0].shown);
    EXPECT_TRUE(page()->graph()->curves()[1].shown);

    // IN-1's knee at (104, 44) for -20 dBFS 2:1 at 0 dB; IN-2 at 1:1 and -10 dB passes
    // 20 pixels lower. At 1x and 2x.
    record().comp_link = CompIndividual;
    record().comp_gain = {181, 161};
    page()->showPage();
    for (qreal dpr : {1.0, 2.0}) {
        const QImage image = page()->graph()->picture(dpr);
        EXPECT_EQ(image.size(), page()->graph()->size() * dpr);
        const QPoint o = TransferCurveView::kOrigin;
        EXPECT_EQ(image.pixelColor((o + QPoint(104, 44)) * dpr), QColor(255, 0, 255)) << dpr;
        EXPECT_EQ(image.pixelColor((o + QPoint(124, 44)) * dpr), QColor(0, 255, 255)) << dpr;
        EXPECT_EQ(image.pixelColor((o + QPoint(104, 64)) * dpr), QColor(0, 255, 255)) << dpr;
    }

    // A level frame: the bars follow, the IN-2 bar shows IN-1 when linked.
    session.meterLevels.compReduction = {51, 89};
    window->metersChanged();
    EXPECT_EQ(page()->reductionBar(0)->meter(), 51);
    EXPECT_EQ(page()->reductionBar(1)->meter(), 89);
    const QImage bar = page()->reductionBar(1)->picture(1.0);
    EXPECT_EQ(bar.pixelColor(94, 4), QColor(0, 255, 0));
    EXPECT_NE(bar.pixelColor(92, 4), QColor(0, 255, 0));
    record().comp_link = CompLinkStereo;
    window->metersChanged();
    EXPECT_EQ(page()->reductionBar(1)->meter(), 51);
}
