#pragma once
// A link engine on the virtual clock, talking to a scripted port, connected to unit 1.

#include "link/link_engine.h"
#include "scripted_serial_port.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

namespace mqx::test {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.setBusyCallback([this](bool busy) { busyChanges.push_back(busy); });
        engine.setMetersCallback([this](const MeterLevels&) { ++meterUpdates; });
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    }

    void edit(const QByteArray& code, const QByteArray& value) {
        engine.arguments().ArgCode = code;
        engine.arguments().ArgValue = value;
        ASSERT_EQ(engine.IssueCommand(CmdParedt), 1);
    }
    QByteArray lastFrame() const {
        return port.written().empty() ? QByteArray() : port.written().back();
    }
    int framesWritten() const { return static_cast<int>(port.written().size()); }
    bool waitDone(qint64 limitMs) {
        return clock.runUntil([this] { return engine.done(); }, limitMs);
    }

    VirtualClock clock;
    ScriptedSerialPort port{&clock};
    int unitId = 1;
    MeterLevels meters;
    LinkEngine engine{port, clock, unitId, meters};
    std::vector<bool> busyChanges;
    int meterUpdates = 0;
};

} // namespace mqx::test
