#pragma once
// The application object: reads the settings, builds the link (the real serial port, or
// in demo mode a simulated line with units 1, 2 and 3 behind every COM port), runs the
// main window and writes the settings back when it closes.

#include "app/message_box_prompts.h"
#include "app/qt_file_dialogs.h"
#include "core/session.h"
#include "link/qt_timer_source.h"

#include <memory>

namespace mqx {

class EngineEditSink;
class LinkEngine;
class MainWindow;
class SerialPort;

namespace sim {
class SteadyClock;
class UnitSimulator;
} // namespace sim

class ControllerApp {
public:
    ControllerApp(bool demo, const QString& settingsFolder);
    ~ControllerApp();
    ControllerApp(const ControllerApp&) = delete;
    ControllerApp& operator=(const ControllerApp&) = delete;

    MainWindow& window() { return *m_window; }
    LinkEngine& engine() { return *m_engine; }
    Session& session() { return m_session; }

private:
    Session m_session;
    MessageBoxPrompts m_prompts{nullptr};
    QtFileDialogs m_files;
    QtTimerSource m_timers;
    std::unique_ptr<sim::SteadyClock> m_clock;
    std::unique_ptr<sim::UnitSimulator> m_simulator;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<LinkEngine> m_engine;
    std::unique_ptr<EngineEditSink> m_sink;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace mqx
