#pragma once
// Puts a UnitSimulator on a pseudo-terminal, so that any serial program (the controller's
// real port code, a terminal program) can talk to it by the device path. The master side
// is read as characters arrive and the units' output is written out every few ms; a
// descriptor of the device side stays open, so the terminal does not hang up between
// clients.

#include "unit_simulator.h"

#include "link/timers.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QSocketNotifier;

namespace mqx::sim {

class PtyServer : public QObject {
public:
    static constexpr int kPollMs = 2;

    PtyServer(UnitSimulator& simulator, const Clock& clock, QObject* parent = nullptr);
    ~PtyServer() override;

    // Opens the pseudo-terminal in raw mode; false with the reason in `error`.
    bool open(QString* error);
    QString devicePath() const { return m_devicePath; }

private:
    void readMaster();
    void flushOutput();

    UnitSimulator& m_simulator;
    const Clock& m_clock;
    int m_master = -1;
    int m_slave = -1;
    QString m_devicePath;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_poll;
    QByteArray m_pending; // output the terminal could not take yet
};

} // namespace mqx::sim
