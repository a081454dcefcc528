#pragma once
// mqx-sim as a child process, for the tests that run the real serial code against it:
// started with the given options, its pseudo-terminal taken from the first line it prints,
// and stopped with the test. Every wait is bounded, so a hang fails instead of stalling.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace mqx::test {

class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The pseudo-terminal it printed; empty when it did not start.
    QString devicePath() const { return m_devicePath; }
    // SIGKILL, as a crash or a pulled cable ends it: no goodbye at all.
    void kill();
    // SIGTERM; the exit code, or -1 when it did not end normally within a few seconds.
    int terminate();
    // What it wrote to standard error so far (after it has ended: all of it).
    QByteArray errors() { return m_process.readAllStandardError(); }
    int exitCode() const { return m_process.exitCode(); }

private:
    QProcess m_process;
    QString m_devicePath;
};

} // namespace mqx::test
