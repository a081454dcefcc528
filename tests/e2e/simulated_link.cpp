#include "simulated_link.h"

#include "program/record_text.h"

namespace mqx::test {

SimulatedLink::SimulatedLink(const std::vector<int>& ids, int connectedId) : simulator(ids) {
    session.ConnectedUnitId = connectedId;
}

void SimulatedLink::SetUp() {
    simulator.setFrameObserver(
        [this](sim::UnitSimulator::Direction direction, QByteArrayView frame, qint64) {
            (direction == sim::UnitSimulator::Direction::Received ? heard : sent)
                .push_back(frame.toByteArray());
        });
    ApplyDefaults(session);
    ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
}

bool SimulatedLink::waitDone(qint64 limitMs) {
    return clock.runUntil([this] { return engine.done(); }, limitMs);
}

::testing::AssertionResult SimulatedLink::exchange(int index, qint64 limitMs) {
    if (engine.IssueCommand(index) != 1)
        return ::testing::AssertionFailure() << "command " << index << " was not issued";
    if (!waitDone(limitMs))
        return ::testing::AssertionFailure() << "command " << index << " still waits";
    return ::testing::AssertionSuccess();
}

void SimulatedLink::idle(qint64 ms) {
    clock.advance(ms);
    // An empty write moves the units' time on without taking anything off the line.
    simulator.receive(QByteArrayView(), clock.nowMs());
}

std::optional<ProgramRecord> SimulatedLink::download() {
    engine.setProgramArg(0);
    if (!exchange(CmdPdatget) || !engine.succeeded() || !engine.CheckReply(CmdPdatget).isMatch())
        return std::nullopt;
    // After the head: the program number and the length of the data in four digits.
    ProgramRecord record;
    if (!DecodeRecordText(QByteArrayView(engine.payload()).sliced(7), record))
        return std::nullopt;
    return record;
}

} // namespace mqx::test
