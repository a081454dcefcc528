#pragma once
// The controller's link engine and simulated units on one line, on virtual time:
//
//   LinkEngine --> TappedLine --> SimulatedLine --> UnitSimulator (one or more units)
//
// TappedLine keeps every frame the engine wrote and when; the units' frame observer keeps
// what they heard and what they sent, so a test can hold the two ends against each other.

#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "core/program_record.h"
#include "core/session.h"
#include "link/link_engine.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace mqx::test {

class TappedLine : public SerialPort {
public:
    TappedLine(SerialPort& line, const Clock& clock) : m_line(line), m_clock(clock) {}

    int Open(const QString& port, const QString& baud, const QString& parity,
             const QString& dataBits, const QString& stopBits) override {
        return m_line.Open(port, baud, parity, dataBits, stopBits);
    }
    QByteArray Read(int maximum, bool* ok = nullptr) override { return m_line.Read(maximum, ok); }
    int Write(QByteArrayView frame) override {
        m_written.push_back(frame.toByteArray());
        m_writtenAtMs.push_back(m_clock.nowMs());
        return m_line.Write(frame);
    }
    void PurgeInput() override { m_line.PurgeInput(); }
    void Close() override { m_line.Close(); }
    bool isOpen() const override { return m_line.isOpen(); }
    qint64 bytesToWrite() const override { return m_line.bytesToWrite(); }
    void setFaultHandler(std::function<void()> handler) override {
        m_line.setFaultHandler(std::move(handler));
    }
    void setArrivalHandler(std::function<void()> handler) override {
        m_line.setArrivalHandler(std::move(handler));
    }

    const std::vector<QByteArray>& written() const { return m_written; }
    // The time of each frame in written().
    const std::vector<qint64>& writtenAtMs() const { return m_writtenAtMs; }

private:
    SerialPort& m_line;
    const Clock& m_clock;
    std::vector<QByteArray> m_written;
    std::vector<qint64> m_writtenAtMs;
};

class SimulatedLink : public ::testing::Test {
protected:
    explicit SimulatedLink(const std::vector<int>& ids = {1}, int connectedId = 1);
    void SetUp() override;

    sim::SimulatedUnit& unit(int id = 1) { return *simulator.unit(id); }

    // Runs the clock until the exchange under way has ended; false when it still runs
    // after `limitMs` of virtual time.
    bool waitDone(qint64 limitMs = 30000);
    // Issues `index` with the arguments set so far and waits for its exchange to end.
    ::testing::AssertionResult exchange(int index, qint64 limitMs = 30000);
    // One parameter edit through the engine, as a page sends it.
    void edit(const QByteArray& code, const QByteArray& value);
    // Lets virtual time pass; the units hear it even while the engine reads nothing.
    void idle(qint64 ms);

    // Downloads program `number` (0: the current one) and decodes it; nothing when the
    // exchange failed, was not the expected echo or its data did not decode.
    std::optional<ProgramRecord> download(int number);
    // Uploads `record` into program `number`; true when the unit answered the echo.
    bool upload(int number, const ProgramRecord& record);

    // Frames the units have heard and frames they have sent (answers and level frames).
    std::vector<QByteArray> heard;
    std::vector<QByteArray> sent;

    VirtualClock clock;
    sim::UnitSimulator simulator;
    sim::SimulatedLine simulatedLine{simulator, clock, &clock};
    TappedLine line{simulatedLine, clock};
    Session session;
    LinkEngine engine{line, clock, session};
};

// The 48 level digits of a level frame the unit sent, decoded; nothing for other frames.
std::optional<MeterLevels> LevelsOf(QByteArrayView frame);

// A record that differs from the factory program in every block an upload carries.
ProgramRecord UploadSample();

} // namespace mqx::test
