#include "sim_process.h"

#include <QDeadlineTimer>

#include <csignal>

namespace mqx::test {

SimProcess::SimProcess(const QStringList& arguments) {
    m_process.start(QStringLiteral(MQX_SIM_PATH), arguments);
    if (!m_process.waitForStarted(10000))
        return;
    QByteArray firstLine;
    const QDeadlineTimer patience(10000);
    while (!firstLine.contains('\n') && !patience.hasExpired() &&
           m_process.waitForReadyRead(static_cast<int>(patience.remainingTime())))
        firstLine += m_process.readAllStandardOutput();
    m_devicePath = QString::fromLocal8Bit(firstLine.trimmed());
}

SimProcess::~SimProcess() {
    if (m_process.state() != QProcess::NotRunning)
        kill();
}

void SimProcess::kill() {
    if (m_process.processId() <= 0)
        return; // never started: signal nobody (0 would be our own process group)
    ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
    m_process.waitForFinished(10000);
}

int SimProcess::terminate() {
    m_process.terminate();
    if (!m_process.waitForFinished(10000) || m_process.exitStatus() != QProcess::NormalExit)
        return -1;
    return m_process.exitCode();
}

} // namespace mqx::test
