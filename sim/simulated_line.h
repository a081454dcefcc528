#pragma once
// The simulated units behind the controller's SerialPort seam, in-process: whatever the
// controller writes reaches the UnitSimulator at the clock's time, and reads collect
// what the units have sent by then. A virtual clock makes whole exchanges run in
// simulated time; a steady clock runs them in real time (the demo mode).
//
// Given timers on the same clock, the line also tells of arrivals, as a port's ready-read
// does: it wakes whenever the line may have changed and calls the arrival handler once a
// run of the units' characters has come in, so a reply is seen the moment it is complete.

#include "unit_simulator.h"

#include "link/serial_port.h"
#include "link/timer_source.h"
#include "link/timers.h"

#include <memory>

namespace mqx::sim {

class SimulatedLine : public SerialPort, private TimerClient {
public:
    // All must outlive the line. Without `timers` it never calls the arrival handler.
    SimulatedLine(UnitSimulator& simulator, const Clock& clock, TimerSource* timers = nullptr);
    ~SimulatedLine() override;

    // Any port name opens the same line; the line settings are taken as given.
    int Open(const QString& port, const QString& baud, const QString& parity,
             const QString& dataBits, const QString& stopBits) override;
    QByteArray Read(int maximum, bool* ok = nullptr) override;
    int Write(QByteArrayView frame) override;
    void PurgeInput() override;
    void Close() override;
    bool isOpen() const override { return m_open; }
    // What the units have not received yet of what was written: the line carries the
    // controller's frames at its rate too.
    qint64 bytesToWrite() const override;
    void setFaultHandler(std::function<void()> handler) override {
        m_faultHandler = std::move(handler);
    }
    void setArrivalHandler(std::function<void()> handler) override {
        m_arrivalHandler = std::move(handler);
    }

    // The cable cut: nothing written reaches the units, nothing of theirs comes back, and
    // the port does not notice.
    void cutCable() { m_cut = true; }
    // The adapter pulled out: the port reports the fault at once; reads and writes fail.
    void pullAdapter();
    // Open mends either, as plugging back in would.

    // What a driver keeps for a reader that does not read; more is lost, as on a real
    // port whose input queue overflows.
    static constexpr qsizetype kInputQueueLimit = 65536;

private:
    enum : int { WakeTimer = 1 };
    // Appends what has come in by now; true when that was anything.
    bool collect();
    void scheduleWake();
    void onTimer(int id) override;

    UnitSimulator& m_simulator;
    const Clock& m_clock;
    QByteArray m_input;
    bool m_open = false;
    bool m_cut = false;
    bool m_pulled = false;
    std::function<void()> m_faultHandler;
    std::function<void()> m_arrivalHandler;
    std::unique_ptr<Timers> m_timers;
};

} // namespace mqx::sim
