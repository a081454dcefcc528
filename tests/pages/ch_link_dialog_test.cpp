// The CH Link dialog opened from its menu item over the main window and driven with
// QTest's mouse: letters move where they are clicked and are painted there, Cancel leaves
// the record as it was, OK links and the page on show follows at once.

#include "app/eq_commands.h"
#include "app/install_pages.h"
#include "app/main_window.h"
#include "core/session.h"
#include "pages/ch_link_dialog.h"
#include "pages/delay_page.h"
#include "pages/entry_box.h"
#include "pages/page_artwork.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "test_paths.h"
#include "virtual_clock.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mqx;
namespace geo = ch_link_geometry;

namespace {

struct NoFiles : FileDialogs {
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

void clickSlot(ChLinkDialog& dialog, int row, int channel) {
    QTest::mouseClick(dialog.table(), Qt::LeftButton, {}, geo::SlotRect(row, channel).center());
}

// The letter's tile is painted in the slot: its fill beside the letter.
bool showsLetter(ChLinkDialog& dialog, int row, int channel) {
    const QPoint beside = geo::SlotRect(row, channel).topLeft() + QPoint(3, 8);
    return dialog.table()->grab().toImage().pixelColor(beside) == ChannelColour(channel);
}

} // namespace

TEST(ChLinkDialogTest, MenuItemOpensItCancelKeepsAndOkLinksAndRefreshesThePage) {
    test::ScratchDir dir;
    Session session;
    test::ScriptedPrompts prompts;
    NoFiles files;
    test::RecordingEditSink sink;
    test::VirtualClock clock;
    MainWindow window(session, prompts, files, sink, dir.path(QStringLiteral("cfg")));
    const InstalledPages pages = InstallPages(window, session, sink, prompts, clock);
    InstallEqCommands(window, session, sink, pages, nullptr);
    session.CurrentRecord().out[1].delay = 960;
    session.ConnectedUnitId = 1;
    window.show();
    window.tabs()->setCurrentIndex(6); // the Delay page
    const auto shownMs = [&](int c) {
        return pages.delay->box({DelayGroup::Channel, c}, DelayBox::Ms)->text();
    };
    ASSERT_NE(shownMs(1), shownMs(0));
    const ProgramRecord before = session.CurrentRecord();

    // Each run clicks the slots given, then OK or Cancel.
    const auto run = [&](std::vector<std::pair<int, int>> clicks, bool ok) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ChLinkDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            opened = true;
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("CH Link"));
            for (int c = 0; c < 6; ++c)
                EXPECT_TRUE(showsLetter(*dialog, c, c)) << c;
            for (const auto& [row, channel] : clicks)
                clickSlot(*dialog, row, channel);
            for (const auto& [row, channel] : clicks) {
                EXPECT_TRUE(showsLetter(*dialog, row, channel)) << row << channel;
                EXPECT_FALSE(showsLetter(*dialog, channel, channel)) << row << channel;
            }
            QTest::mouseClick(ok ? dialog->okButton() : dialog->cancelButton(), Qt::LeftButton);
        });
        window.action(MenuId::OutputLinkCh)->trigger();
        EXPECT_TRUE(opened);
    };

    run({{0, 5}, {3, 4}}, false);
    EXPECT_EQ(session.CurrentRecord(), before);
    EXPECT_TRUE(sink.edits.empty());

    run({{0, 1}}, true);
    EXPECT_EQ(session.CurrentRecord().out[1].link_mask, 48);
    EXPECT_EQ(session.CurrentRecord().out[1].delay, 0u);
    EXPECT_EQ(shownMs(1), shownMs(0));
    EXPECT_EQ(sink.edits, std::vector<std::string>{"054 048048008004002"});
}
