#include "connection/connection_flow.h"

#include "connection/connect_procedure.h"
#include "connection/connection_dialogs.h"
#include "connection/connection_view.h"
#include "connection/disconnect_procedure.h"
#include "connection/line_loss_text.h"
#include "connection/panel_lock_procedure.h"
#include "connection/select_data_procedure.h"
#include "core/prompts.h"
#include "core/session.h"
#include "link/link_engine.h"

namespace mqx {

ConnectionFlow::ConnectionFlow(Session& session, LinkEngine& engine, Prompts& prompts,
                               TimerSource& timers, ConnectionDialogs& dialogs,
                               ConnectionView& view)
    : m_session(session), m_engine(engine), m_prompts(prompts), m_timers(timers),
      m_dialogs(dialogs), m_view(view) {
    m_engine.setLineLostCallback([this](LineLoss) { lineLost(); });
}

ConnectionFlow::~ConnectionFlow() {
    m_engine.setLineLostCallback({});
}

void ConnectionFlow::lineLost() {
    // The engine has closed the port. On the way in, the procedure under way fails and
    // says so itself.
    if (!m_connected)
        return;
    m_connected = false;
    // Only the connection goes: record 0, the pages' memories and the information text
    // are the operator's.
    const int unitId = m_session.ConnectedUnitId;
    m_session.ConnectedUnitId = 0;
    m_engine.setMeteringOn(false);
    m_session.meterLevels.setAtRest();
    if (m_lineLostHook)
        m_lineLostHook();
    m_prompts.message(QString::fromLatin1(kApplicationTitle),
                      LineLostText(m_engine.portText(), unitId), PromptIcon::Exclamation);
    m_view.leaveTab();
    m_view.refreshAll();
    m_view.metersChanged();
}

bool ConnectionFlow::connectUnit() {
    ConnectProcedure connect(m_session, m_engine, m_prompts, m_timers);
    connect.setStatusCallback([this] { m_view.refreshStatus(); });
    const int port = m_session.settings.LastPort >= 1 ? m_session.settings.LastPort : 1;
    const int unit = m_session.settings.LastUnitId >= 1 ? m_session.settings.LastUnitId : 1;
    if (!m_dialogs.runConnect(connect, port, unit))
        return false;

    bool connected = false;
    DeviceInfoProcedure info(DeviceInfoMode::Connection, m_session, m_engine, m_prompts, m_timers);
    if (m_dialogs.runDeviceInfo(info, m_session.ConnectedUnitId, m_session.DeviceInfoText)) {
        SelectDataProcedure select(m_session, m_engine, m_prompts, m_timers);
        connected = m_dialogs.runSelectData(select);
    }
    if (connected) {
        m_engine.setMeteringOn(true);
        m_engine.watchUnit(true);
        m_connected = true;
        m_engine.IssueCommand(CmdLevon);
    } else {
        // The dialog that ended the chain has said bye and closed the port. The current
        // program keeps its information text: it is the operator's, not the unit's.
        m_session.ConnectedUnitId = 0;
        m_engine.setMeteringOn(false);
    }
    m_view.refreshAll();
    return connected;
}

bool ConnectionFlow::holdsRememberedBands() const {
    return m_session.peqBandOff.holdsAnything() || m_session.savedBandSettings.holdsAnything();
}

bool ConnectionFlow::disconnectUnit() {
    if (holdsRememberedBands() && !m_dialogs.runCaution())
        return false;
    DisconnectProcedure disconnect(m_session, m_engine, m_prompts, m_timers);
    if (!m_dialogs.runDisconnect(disconnect))
        return false;
    m_connected = false;
    m_session.ConnectedUnitId = 0;
    m_view.leaveTab();
    m_view.refreshAll();
    m_view.metersChanged();
    return true;
}

bool ConnectionFlow::editInformation() {
    DeviceInfoProcedure info(DeviceInfoMode::Edit, m_session, m_engine, m_prompts, m_timers);
    const bool ok =
        m_dialogs.runDeviceInfo(info, m_session.ConnectedUnitId, m_session.DeviceInfoText);
    m_view.leaveTab();
    m_view.refreshAll();
    return ok;
}

bool ConnectionFlow::panelLock() {
    PanelLockProcedure lock(m_session, m_engine, m_prompts, m_timers);
    lock.setStatusCallback([this] { m_view.refreshStatus(); });
    return m_dialogs.runPanelLock(lock, m_session.PanelLockState);
}

} // namespace mqx
