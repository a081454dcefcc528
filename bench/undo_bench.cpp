// The edit history in figures:
//
//   memory: what a history of 10,000 steps holds, for steps of one field (a level), of a
//           linked pair (a GEQ band of linked inputs) and of a whole PEQ band, as the
//           history counts it and as the process's resident size grows;
//   undo:   from Ctrl+Z pressed on the main window (pages installed, a unit connected) to
//           the edit's frame handed to the line, and to the end of the key press, with
//           the pages shown again.
//
// A plain program; it prints figures and judges none.

#include "bench_doubles.h"
#include "virtual_clock.h"

#include "app/edit_commands.h"
#include "app/install_pages.h"
#include "app/main_window.h"
#include "core/session.h"
#include "link/engine_edit_sink.h"
#include "link/link_engine.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace mqx;
using Clock = std::chrono::steady_clock;

// The resident size of this process in kB.
long residentKb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : 0;
}

void memory(const char* what, const std::function<void(ProgramRecord&, int)>& edit) {
    Session session;
    ApplyDefaults(session);
    NoEdits sink;
    const long before = residentKb();
    EditHistory history(session, sink);
    for (int i = 0; i < 10000; ++i) {
        edit(session.CurrentRecord(), i);
        history.capture();
    }
    const long after = residentKb();
    std::printf("memory  %-28s %zu steps: %zu bytes (%.1f a step), resident +%ld kB\n", what,
                history.undoCount(), history.memoryBytes(),
                static_cast<double>(history.memoryBytes()) /
                    static_cast<double>(history.undoCount()),
                after - before);
}

// A line that notes when each frame was handed to it.
class StampLine : public SerialPort {
public:
    int Open(const QString&, const QString&, const QString&, const QString&,
             const QString&) override {
        m_open = true;
        return 1;
    }
    QByteArray Read(int, bool* ok = nullptr) override {
        if (ok)
            *ok = true;
        return {};
    }
    int Write(QByteArrayView frame) override {
        written.push_back({frame.toByteArray(), Clock::now()});
        return static_cast<int>(frame.size());
    }
    void PurgeInput() override {}
    void Close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    qint64 bytesToWrite() const override { return 0; }
    void setFaultHandler(std::function<void()>) override {}
    void setArrivalHandler(std::function<void()>) override {}

    std::vector<std::pair<QByteArray, Clock::time_point>> written;

private:
    bool m_open = false;
};

class NoFileDialogs : public FileDialogs {
public:
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

double us(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

void undoLatency() {
    Session session;
    test::VirtualClock timers;
    StampLine line;
    LinkEngine engine(line, timers, session);
    EngineEditSink sink(engine);
    QuietPrompts prompts;
    NoFileDialogs dialogs;
    MainWindow window(session, prompts, dialogs, sink, QStringLiteral("/nonexistent"));
    InstallPages(window, session, sink, prompts, timers);
    EditCommands* edit = InstallEditCommands(window, session, sink, engine, prompts, timers);
    session.ConnectedUnitId = 1;
    engine.OpenLink(QStringLiteral("1"));
    window.show();
    window.ShowTab(kFirstOutputTab + 2);
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window, 2000))
        std::printf("undo    the window did not become active\n");

    std::vector<double> toFrame;
    std::vector<double> toEnd;
    int missed = 0;
    for (int i = 0; i < 200; ++i) {
        session.CurrentRecord().out[2].level = static_cast<std::uint8_t>(100 + i % 50);
        edit->capture();
        timers.advance(200); // the line rests between operator actions
        line.written.clear();
        const Clock::time_point pressed = Clock::now();
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        const Clock::time_point ended = Clock::now();
        if (line.written.empty()) {
            ++missed;
            continue;
        }
        toFrame.push_back(us(line.written.front().second - pressed));
        toEnd.push_back(us(ended - pressed));
    }
    const auto report = [](const char* what, std::vector<double> v) {
        if (v.empty())
            return;
        std::sort(v.begin(), v.end());
        std::printf("undo    %-28s median %.0f us, 90th %.0f us, max %.0f us (%zu presses)\n", what,
                    v[v.size() / 2], v[v.size() * 9 / 10], v.back(), v.size());
    };
    report("Ctrl+Z to frame on the line", toFrame);
    report("Ctrl+Z to key handled", toEnd);
    if (missed > 0)
        std::printf("undo    %d presses sent no frame\n", missed);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    memory("one field (OUT-3 Level)", [](ProgramRecord& r, int i) {
        r.out[2].level = static_cast<std::uint8_t>(i % 2 == 0 ? 100 : 101);
    });
    memory("linked pair (GEQ 1k, both)", [](ProgramRecord& r, int i) {
        r.geq_level[17][0] = r.geq_level[17][1] = static_cast<std::uint8_t>(i % 2 == 0 ? 10 : 11);
    });
    memory("whole PEQ band (4 bytes)", [](ProgramRecord& r, int i) {
        const auto v = static_cast<std::uint8_t>(i % 2 == 0 ? 10 : 11);
        r.peq_band[2][0] = {static_cast<std::uint8_t>(1 + i % 2), v, v, v};
    });
    undoLatency();
    return 0;
}
