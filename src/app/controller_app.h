#pragma once
// The application object: reads the settings, builds the link (the real serial port, or
// in demo mode a simulated line with units 1, 2 and 3 behind every COM port), runs the
// main window and writes the settings back when it closes.

#include "app/message_box_prompts.h"
#include "app/qt_file_dialogs.h"
#include "core/session.h"
#include "link/port_map.h"
#include "link/qt_timer_source.h"

#include <memory>

namespace mqx {

class EngineEditSink;
class HardwareSerialPort;
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

    // Option > Ports...: the dialog, then the settings file and the port take the choice.
    void choosePorts();
    // What COM1..COM4 stand for, as the Connect dialog shows them.
    QStringList portDevices() const;

private:
    bool m_demo = false;
    QString m_settingsFolder;
    PortMap m_portMap;
    HardwareSerialPort* m_hardware = nullptr;
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
