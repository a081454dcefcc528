#pragma once
// A serial port for tests. It records every frame written and hands out input that the
// test queues, either at once or at a given virtual time, so replies can arrive in bursts
// with gaps. A responder may answer each written frame.

#include "link/serial_port.h"
#include "link/timers.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace mqx::test {

class ScriptedSerialPort : public SerialPort {
public:
    // `clock` is needed only for input queued with deliverAt().
    explicit ScriptedSerialPort(const Clock* clock = nullptr) : m_clock(clock) {}

    int Open(const QString& port, const QString& baud, const QString& parity,
             const QString& dataBits, const QString& stopBits) override {
        m_openArguments = {port, baud, parity, dataBits, stopBits};
        m_open = m_openResult == 0;
        return m_openResult;
    }
    QByteArray Read(int maximum, bool* ok = nullptr) override;
    int Write(QByteArrayView frame) override;
    void PurgeInput() override {
        ++m_purges;
        deliverDue();
        m_input.clear();
    }
    void Close() override {
        m_open = false;
        m_input.clear();
        m_scheduled.clear();
    }
    bool isOpen() const override { return m_open; }
    // With pacing on (and a clock), a frame takes its wire time at 1920 characters a
    // second to leave; off, it leaves at once.
    qint64 bytesToWrite() const override;
    void setFaultHandler(std::function<void()> handler) override {
        m_faultHandler = std::move(handler);
    }

    void setArrivalHandler(std::function<void()> handler) override {
        m_arrivalHandler = std::move(handler);
    }
    // What the driver's ready-read would do: tells the reader that input has arrived.
    void signalArrival() {
        if (m_arrivalHandler)
            m_arrivalHandler();
    }

    void setPacing(bool on) { m_pacing = on; }
    void raiseFault() { // the device has gone
        if (m_faultHandler)
            m_faultHandler();
    }

    // Input the next Read finds.
    void feed(const QByteArray& bytes) { m_input += bytes; }
    // Input that becomes readable once the clock reaches `atMs`.
    void deliverAt(qint64 atMs, const QByteArray& bytes) { m_scheduled.push_back({atMs, bytes}); }
    void deliverIn(qint64 afterMs, const QByteArray& bytes) { deliverAt(nowMs() + afterMs, bytes); }
    // Called with every frame written, after it has been recorded.
    void setResponder(std::function<void(const QByteArray& frame)> responder) {
        m_responder = std::move(responder);
    }

    void setOpenResult(int result) { m_openResult = result; }
    void setWriteFails(bool fails) { m_writeFails = fails; }

    const std::vector<QByteArray>& written() const { return m_written; }
    // The clock's time of each frame in written().
    const std::vector<qint64>& writtenAtMs() const { return m_writtenAtMs; }
    void clearWritten() {
        m_written.clear();
        m_writtenAtMs.clear();
    }
    const QStringList& openArguments() const { return m_openArguments; }
    int purgeCount() const { return m_purges; }
    qsizetype waiting() {
        deliverDue();
        return m_input.size();
    }

private:
    struct Delivery {
        qint64 atMs;
        QByteArray bytes;
    };
    void deliverDue();
    qint64 nowMs() const { return m_clock ? m_clock->nowMs() : 0; }

    const Clock* m_clock;
    bool m_open = false;
    int m_openResult = 0;
    bool m_writeFails = false;
    QByteArray m_input;
    std::vector<Delivery> m_scheduled; // in the order queued
    std::vector<QByteArray> m_written;
    std::vector<qint64> m_writtenAtMs;
    bool m_pacing = false;
    qint64 m_lineFreeUs = 0; // when the characters written so far have left
    std::function<void()> m_faultHandler;
    std::function<void()> m_arrivalHandler;
    QStringList m_openArguments;
    int m_purges = 0;
    std::function<void(const QByteArray&)> m_responder;
};

} // namespace mqx::test
