#include "unit_link.h"

#include "connection/connect_procedure.h"
#include "connection/disconnect_procedure.h"
#include "connection/line_loss_text.h"
#include "core/app_settings.h"

#include <QEventLoop>
#include <QTimer>

namespace mqx::tool {

UnitLink::UnitLink(Prompts& prompts, int limitMs)
    : m_prompts(prompts), m_port(prompts, PortMap::load(DefaultSettingsFolder())),
      m_engine(m_port, m_timers, m_session), m_deadline(limitMs) {
    ApplyDefaults(m_session);
    m_engine.setLineLostCallback([this](LineLoss) {
        m_lineLost = true;
        m_lostUnitId = m_session.ConnectedUnitId;
        m_session.ConnectedUnitId = 0;
        if (m_stopWaiting)
            m_stopWaiting();
    });
}

QString UnitLink::lostText() const {
    return LineLostText(m_engine.portText(), m_lostUnitId);
}

UnitLink::~UnitLink() {
    m_engine.CloseLink();
}

bool UnitLink::run(LinkProcedure& procedure) {
    if (!procedure.hasEnded() && !m_lineLost) {
        QEventLoop loop;
        procedure.setFinishedCallback([&loop](ProcedureOutcome) { loop.quit(); });
        m_stopWaiting = [&loop] { loop.quit(); };
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(std::max<qint64>(m_deadline.remainingTime(), 0));
        loop.exec();
        m_stopWaiting = {};
        procedure.setFinishedCallback({});
    }
    if (m_lineLost)
        return false;
    if (!procedure.hasEnded()) {
        m_timedOut = true;
        m_engine.CloseLink();
        m_session.ConnectedUnitId = 0;
        return false;
    }
    return procedure.outcome() == ProcedureOutcome::Ok;
}

namespace {

// Issues one command and ends when its exchange has.
class OneExchange : public LinkProcedure {
public:
    enum TimerId : int { ReplyTimer = 60 };
    using LinkProcedure::LinkProcedure;
    void start(int index) {
        if (!begin())
            return;
        if (engine().IssueCommand(index) == 0)
            return finish(ProcedureOutcome::Cancel);
        startTimer(ReplyTimer);
    }

private:
    void step(int id) override {
        if (pollDone(id))
            finish(engine().succeeded() ? ProcedureOutcome::Ok : ProcedureOutcome::Cancel);
    }
};

} // namespace

bool UnitLink::waitUntil(const LinkProcedure& procedure, const std::function<bool()>& condition) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition() || procedure.hasEnded() || m_lineLost || m_deadline.hasExpired())
            loop.quit();
    });
    poll.start(5);
    if (!condition() && !procedure.hasEnded())
        loop.exec();
    if (!condition() && m_deadline.hasExpired() && !m_lineLost) {
        m_timedOut = true;
        m_engine.CloseLink();
        m_session.ConnectedUnitId = 0;
    }
    return condition() && !m_lineLost && !m_timedOut;
}

bool UnitLink::exchange(int index) {
    OneExchange one(m_engine, m_timers);
    one.start(index);
    return run(one);
}

bool UnitLink::connect(const QString& port, int unitId) {
    ConnectProcedure connect(m_session, m_engine, m_prompts, m_timers);
    connect.start(port, unitId);
    if (!run(connect))
        return false;
    m_engine.watchUnit(true);
    return true;
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
    if (m_lineLost)
        return false;
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
