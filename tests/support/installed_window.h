#pragma once
// The main window with every page installed, as the widget tests drive it: scripted prompts,
// no file dialogs, a recording edit sink and the virtual clock. The window is shown.

#include "app/install_pages.h"
#include "app/main_window.h"
#include "core/session.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "test_paths.h"
#include "virtual_clock.h"

#include <QApplication>
#include <QTabWidget>

#include <memory>

namespace mqx::test {

struct NoFiles : FileDialogs {
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

struct InstalledWindow {
    InstalledWindow() { window->show(); }
    void showTab(int tab) {
        window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
    }
    ScratchDir dir;
    Session session;
    ScriptedPrompts prompts;
    NoFiles files;
    RecordingEditSink sink;
    VirtualClock clock;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(
        session, prompts, files, sink, dir.path(QStringLiteral("cfg")));
    InstalledPages pages = InstallPages(*window, session, sink, prompts, clock);
};

} // namespace mqx::test
