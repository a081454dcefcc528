#include "app/controller_app.h"

#include "app/connection_commands.h"
#include "app/edit_commands.h"
#include "app/eq_commands.h"
#include "app/install_pages.h"
#include "app/main_window.h"
#include "app/program_commands.h"
#include "core/prompts.h"
#include "link/engine_edit_sink.h"
#include "link/hardware_serial_port.h"
#include "link/link_engine.h"
#include "link/port_catalog.h"
#include "link/port_map.h"
#include "link/ports_dialog.h"
#include "simulated_line.h"
#include "steady_clock.h"
#include "unit_simulator.h"

#include <QAction>
#include <QApplication>

namespace mqx {

ControllerApp::ControllerApp(bool demo, const QString& settingsFolder)
    : m_demo(demo), m_settingsFolder(settingsFolder), m_portMap(PortMap::load(settingsFolder)) {
    m_session.settings = LoadAppSettings(settingsFolder);
    m_session.ConnectedUnitId = 0;

    if (demo) {
        m_clock = std::make_unique<sim::SteadyClock>();
        m_simulator = std::make_unique<sim::UnitSimulator>(std::vector<int>{1, 2, 3});
        m_port = std::make_unique<sim::SimulatedLine>(*m_simulator, *m_clock, &m_timers);
    } else {
        auto hardware = std::make_unique<HardwareSerialPort>(m_prompts, m_portMap);
        m_hardware = hardware.get();
        m_port = std::move(hardware);
    }
    m_engine = std::make_unique<LinkEngine>(*m_port, m_timers, m_session);
    m_sink = std::make_unique<EngineEditSink>(*m_engine);
    m_window = std::make_unique<MainWindow>(m_session, m_prompts, m_files, *m_sink, settingsFolder);
    m_prompts.setOwner(m_window.get());
    m_files.setOwner(m_window.get());
    if (demo)
        m_window->setTitleSuffix(QStringLiteral(" (demo)"));

    const InstalledPages pages = InstallPages(*m_window, m_session, *m_sink, m_prompts, m_timers);
    // Connect..., Disconnect..., Information... and Panel Lock...; this also routes every
    // decoded level frame to the meter strip and the page on show.
    ConnectionCommands* connection =
        InstallConnectionCommands(*m_window, m_session, *m_engine, m_prompts, m_timers);
    connection->setPortDevices([this] { return portDevices(); });
    if (QAction* ports = m_window->action(MenuId::Ports))
        QObject::connect(ports, &QAction::triggered, m_window.get(), [this] { choosePorts(); });
    InstallEqCommands(*m_window, m_session, *m_sink, pages, connection);
    InstallProgramCommands(*m_window, m_session, *m_engine, m_prompts, m_timers, connection);
    InstallEditCommands(*m_window, m_session, *m_sink, *m_engine, m_prompts, m_timers);
    m_engine->setBusyCallback([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

void ControllerApp::choosePorts() {
    PortsDialog dialog(m_portMap, PortCatalog::present(), m_window.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_portMap = dialog.portMap();
    if (m_hardware != nullptr)
        m_hardware->setPortMap(m_portMap);
    if (!m_portMap.save(m_settingsFolder))
        m_prompts.message(
            QString::fromLatin1(kApplicationTitle),
            QStringLiteral("The settings could not be written to\n%1").arg(m_settingsFolder),
            PromptIcon::Exclamation);
}

QStringList ControllerApp::portDevices() const {
    QStringList devices;
    const PortCatalog catalog = PortCatalog::present();
    for (int n = 1; n <= PortMap::kPortCount; ++n)
        devices << (m_demo ? QStringLiteral("simulated units (demo)")
                           : catalog.describe(m_portMap.devicePath(n)));
    return devices;
}

ControllerApp::~ControllerApp() {
    // The window goes first: its pages may still hold on to the engine.
    m_window.reset();
    m_engine->CloseLink();
}

} // namespace mqx
