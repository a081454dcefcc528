#include "simulated_link.h"

#include "link/level_reader.h"
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

void SimulatedLink::edit(const QByteArray& code, const QByteArray& value) {
    engine.arguments().ArgCode = code;
    engine.arguments().ArgValue = value;
    ASSERT_EQ(engine.IssueCommand(CmdParedt), 1);
}

void SimulatedLink::idle(qint64 ms) {
    clock.advance(ms);
    // An empty write moves the units' time on without taking anything off the line.
    simulator.receive(QByteArrayView(), clock.nowMs());
}

std::optional<ProgramRecord> SimulatedLink::download(int number) {
    engine.setProgramArg(number);
    if (!exchange(CmdPdatget) || !engine.succeeded() || !engine.CheckReply(CmdPdatget).isMatch())
        return std::nullopt;
    // After the head: the program number, the length of the data in four digits, the data.
    const QByteArray payload = engine.payload();
    if (payload.left(3) != engine.arguments().ProgramArg ||
        payload.mid(3, 4) != QByteArray::number(kFullImageLength))
        return std::nullopt;
    ProgramRecord record;
    if (!DecodeRecordText(QByteArrayView(payload).sliced(7), record))
        return std::nullopt;
    return record;
}

bool SimulatedLink::upload(int number, const ProgramRecord& record) {
    engine.setProgramArg(number);
    engine.arguments().ArgData = EncodeRecordText(record, RecordImage::Upload);
    return exchange(CmdPdatset) && engine.succeeded() && engine.CheckReply(CmdPdatset).isMatch();
}

std::optional<MeterLevels> LevelsOf(QByteArrayView frame) {
    MeterLevels levels;
    if (frame.size() != kLevelFrameLength || frame[3] != 'M' ||
        !DecodeMeterLevels(frame.sliced(4), levels))
        return std::nullopt;
    return levels;
}

ProgramRecord UploadSample() {
    ProgramRecord r;
    ApplyRecordDefaults(r);
    const QByteArray name = "Hall B matinee";
    std::copy(name.begin(), name.end(), r.name.begin());
    r.input_select = 1;
    r.eq_mode = 1;
    r.geq_level[4] = {30, 18};
    r.peq_band[2][1] = EqBand{2, 75, 36, 20};
    OutputChannel& out = r.out[3];
    out.level = 40;
    out.delay = 9600;
    out.phase = 1;
    out.on = 0;
    return r;
}

} // namespace mqx::test
