#include "connection/unit_scan_procedure.h"

#include "core/session.h"
#include "link/link_engine.h"

namespace mqx {

UnitScanProcedure::UnitScanProcedure(Session& session, LinkEngine& engine, TimerSource& timers)
    : LinkProcedure(engine, timers), m_session(session) {}

UnitScanProcedure::~UnitScanProcedure() {
    engine().setFirstReplyTicks(0);
}

QString UnitScanProcedure::unitText(const FoundUnit& unit) {
    return QStringLiteral("ID %1  %2")
        .arg(unit.id, 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(unit.info));
}

QString UnitScanProcedure::noneFoundText(const QString& portName) {
    return QStringLiteral("No MQX-T410 answered on %1 (IDs %2 to %3).")
        .arg(portName)
        .arg(kFirstId, 2, 10, QLatin1Char('0'))
        .arg(kLastId);
}

bool UnitScanProcedure::start(const QString& portText, int first, int last) {
    if (!begin())
        return false;
    m_id = first - 1;
    m_last = last;
    if (engine().OpenLink(portText) == 0) {
        m_portFailed = true;
        m_session.ConnectedUnitId = 0;
        finish(ProcedureOutcome::Cancel);
        return true;
    }
    nextId();
    return true;
}

void UnitScanProcedure::cancel() {
    m_cancelled = true;
}

void UnitScanProcedure::nextId() {
    if (m_cancelled || m_id >= m_last)
        return end();
    ++m_id;
    startTimer(HelloTimer);
}

void UnitScanProcedure::step(int id) {
    LinkEngine& link = engine();
    switch (id) {
    case HelloTimer:
        // The engine sends to the session's unit.
        m_session.ConnectedUnitId = m_id;
        link.setFirstReplyTicks(kReplyTicks);
        if (link.IssueCommand(CmdHello) == 0)
            return end();
        startTimer(HelloReplyTimer);
        break;
    case HelloReplyTimer:
        if (!pollDone(id))
            return;
        link.setFirstReplyTicks(0);
        if (!link.succeeded() || !link.CheckReply(CmdHello).isMatch()) {
            // Silence or garbage may still be a unit that took the hello and answered late
            // or badly: it is told bye all the same, with the same short wait.
            link.setFirstReplyTicks(kReplyTicks);
            startTimer(ByeTimer);
            break;
        }
        m_found.push_back({m_id, {}});
        startTimer(m_cancelled ? ByeTimer : InfoTimer);
        break;
    case InfoTimer:
        link.IssueCommand(CmdDevinfget);
        startTimer(InfoReplyTimer);
        break;
    case InfoReplyTimer:
        if (!pollDone(id))
            return;
        // A unit that found nothing to say is listed all the same: it answered hello. The
        // dots that pad the text to 256 characters are left out of the list.
        if (link.succeeded() && link.CheckReply(CmdDevinfget).isMatch()) {
            QByteArray info = link.payload().left(256);
            while (!info.isEmpty() && (info.back() == '.' || info.back() == ' '))
                info.chop(1);
            m_found.back().info = info;
        }
        startTimer(ByeTimer);
        break;
    case ByeTimer:
        link.IssueCommand(CmdBye);
        startTimer(ByeReplyTimer);
        break;
    case ByeReplyTimer:
        if (!pollDone(id))
            return;
        link.setFirstReplyTicks(0);
        if (m_progress)
            m_progress(m_id);
        nextId();
        break;
    default:
        break;
    }
}

void UnitScanProcedure::end() {
    engine().setFirstReplyTicks(0);
    engine().CloseLink();
    m_session.ConnectedUnitId = 0;
    finish(m_cancelled ? ProcedureOutcome::Cancel : ProcedureOutcome::Ok);
}

} // namespace mqx
