#include "unit_link.h"

#include "connection/connect_procedure.h"
#include "connection/disconnect_procedure.h"

#include <QEventLoop>
#include <QTimer>

namespace mqx::tool {

UnitLink::UnitLink(Prompts& prompts, int limitMs)
    : m_prompts(prompts), m_port(prompts), m_engine(m_port, m_timers, m_session),
      m_deadline(limitMs) {
    ApplyDefaults(m_session);
}

UnitLink::~UnitLink() {
    m_engine.CloseLink();
}

bool UnitLink::run(LinkProcedure& procedure) {
    if (!procedure.hasEnded()) {
        QEventLoop loop;
        procedure.setFinishedCallback([&loop](ProcedureOutcome) { loop.quit(); });
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(std::max<qint64>(m_deadline.remainingTime(), 0));
        loop.exec();
        procedure.setFinishedCallback({});
    }
    if (!procedure.hasEnded()) {
        m_timedOut = true;
        m_engine.CloseLink();
        m_session.ConnectedUnitId = 0;
        return false;
    }
    return procedure.outcome() == ProcedureOutcome::Ok;
}

bool UnitLink::connect(const QString& port, int unitId) {
    ConnectProcedure connect(m_session, m_engine, m_prompts, m_timers);
    connect.start(port, unitId);
    return run(connect);
}

bool UnitLink::transfer(TransferDirection direction) {
    SelectDataProcedure select(m_session, m_engine, m_prompts, m_timers);
    select.start(direction);
    if (run(select))
        return true;
    // A failed transfer has said bye and closed the port.
    m_session.ConnectedUnitId = 0;
    return false;
}

bool UnitLink::disconnect() {
    if (!isGreeted()) {
        m_engine.CloseLink();
        return true;
    }
    DisconnectProcedure disconnect(m_session, m_engine, m_prompts, m_timers);
    disconnect.start();
    const bool ended = run(disconnect);
    m_session.ConnectedUnitId = 0;
    return ended && disconnect.completed();
}

} // namespace mqx::tool
