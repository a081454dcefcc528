// The link engine against the paced simulated unit on virtual time: only what the whole
// chain shows; the rules themselves are tested in tests/link and tests/sim.

#include "command_samples.h"
#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "app/main_editor.h"
#include "core/session.h"
#include "link/engine_edit_sink.h"
#include "link/level_reader.h"
#include "link/link_engine.h"
#include "program/record_text.h"

#include <gtest/gtest.h>

namespace mqx::test {
namespace {

class SimulatedLink : public ::testing::Test {
protected:
    explicit SimulatedLink(const std::vector<int>& ids = {1}, int connectedId = 1)
        : simulator(ids) {
        session.ConnectedUnitId = connectedId;
    }
    void SetUp() override {
        simulator.setFrameObserver(
            [this](sim::UnitSimulator::Direction d, QByteArrayView f, qint64) {
                (d == sim::UnitSimulator::Direction::Received ? heard : sent)
                    .push_back(f.toByteArray());
            });
        ApplyDefaults(session);
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    }
    sim::SimulatedUnit& unit(int id = 1) { return *simulator.unit(id); }
    bool waitDone() {
        return clock.runUntil([this] { return engine.done(); }, 30000);
    }
    bool exchange(int index) { return engine.IssueCommand(index) == 1 && waitDone(); }
    // An empty write moves the units' time on without taking anything off the line.
    void idle(qint64 ms) {
        clock.advance(ms);
        simulator.receive(QByteArrayView(), clock.nowMs());
    }
    // The unit's current program as a download brings it; nothing when the exchange failed.
    std::optional<ProgramRecord> download() {
        engine.setProgramArg(0);
        ProgramRecord record;
        if (exchange(CmdPdatget) && engine.succeeded() && engine.CheckReply(CmdPdatget).isMatch() &&
            DecodeRecordText(QByteArrayView(engine.payload()).sliced(7), record))
            return record;
        return std::nullopt;
    }

    std::vector<QByteArray> heard; // by the units
    std::vector<QByteArray> sent;  // by the units: answers and level frames
    VirtualClock clock;
    sim::UnitSimulator simulator;
    sim::SimulatedLine line{simulator, clock, &clock};
    Session session;
    LinkEngine engine{line, clock, session};
};

// Unit 5, so that the ID is seen to travel as two digits.
struct UnitFive : SimulatedLink {
    UnitFive() : SimulatedLink({5}, 5) {}
};

TEST_F(UnitFive, EveryRequestReachesTheUnitAsSentAndItsReplyChecksAsTheEcho) {
    ProgramRecord& slot = unit(5).slot(7) = unit(5).currentProgram();
    std::tie(slot.program_number, slot.empty_flag, slot.write_enable, slot.recall_lock) =
        std::tuple(7, 0, 255, 0);
    const QByteArray upload = EncodeRecordText(slot, RecordImage::Upload);
    for (const CommandSample& sample : CommandSamples(upload)) {
        SCOPED_TRACE(sample.frame.left(12).constData());
        engine.arguments() = ArgumentSlots{};
        sample.arguments(engine.arguments());
        heard.clear();
        if (sample.index == CmdParedt)
            continue; // no reply; edits reaching the unit are the test below
        ASSERT_TRUE(exchange(sample.index) && engine.succeeded());
        EXPECT_EQ(heard, std::vector<QByteArray>{sample.frame});
        EXPECT_EQ(engine.exchange().received, engine.commandTable()[sample.index].replyLength)
            << engine.ReplyBuffer().constData();
        EXPECT_TRUE(engine.CheckReply(sample.index).isMatch()) << engine.ReplyBuffer().constData();
    }
}

// Exchanges at every phase of the stream; pausing and resuming are tests/link's.
TEST_F(SimulatedLink, NoEchoErrorReplyOrTornFrameIsEverTakenForLevels) {
    std::vector<MeterLevels> shown;
    engine.setMetersCallback([&shown](const MeterLevels& m) { shown.push_back(m); });
    engine.setMeteringOn(true);
    ASSERT_TRUE(exchange(CmdLevon));
    const int commands[] = {CmdHello, CmdPnllock, CmdPdatget, CmdDevinfget, CmdCpinf};
    for (int phase = 0; phase < 10; ++phase) {
        clock.advance(1000 + 11 * phase);
        engine.setProgramArg(0);
        ASSERT_TRUE(exchange(commands[phase % 5]) && engine.succeeded()) << phase;
    }
    clock.advance(1000);
    ASSERT_FALSE(shown.empty());
    std::vector<MeterLevels> all;
    for (const QByteArray& frame : sent)
        if (MeterLevels m; frame.size() == kLevelFrameLength && frame[3] == 'M' &&
                           DecodeMeterLevels(QByteArrayView(frame).sliced(4), m))
            all.push_back(m);
    auto from = all.begin();
    for (std::size_t i = 0; i < shown.size(); ++i, ++from)
        ASSERT_NE(from = std::find(from, all.end(), shown[i]), all.end())
            << "meter update " << i << " is no frame sent after the one before it";
}

// All Muting: six outputs, six edits.
std::vector<QByteArray> allMuting(Session& session, ParameterEditSink& sink) {
    MainEditor(session, sink).allMuting();
    std::vector<QByteArray> frames;
    for (char c = '0'; c <= '5'; ++c)
        frames.push_back(QByteArray("(01$053") + c + "000");
    return frames;
}

// Flattening both PEQs: every band's level, then the gain, of each channel.
std::vector<QByteArray> peqFlat(Session& session, ParameterEditSink& sink) {
    std::vector<QByteArray> frames;
    const auto send = [&](const QByteArray& code, std::uint8_t& field, int value) {
        field = static_cast<std::uint8_t>(value);
        sink.sendEdit(code, QByteArray::number(value).rightJustified(3, '0'));
        frames.push_back("(01$" + code + QByteArray::number(value).rightJustified(3, '0'));
    };
    ProgramRecord& record = session.CurrentRecord();
    for (std::size_t t = 0; t < 2; ++t) {
        const QByteArray channel = QByteArray::number(t + 1);
        for (std::size_t band = 0; band < kPeqBandCount; ++band)
            send("023" + channel + QByteArray::number(band).rightJustified(2, '0'),
                 record.peq_band[band][t].level, static_cast<int>(10 + band));
        send("025" + channel, record.peq_gain[t], 91);
    }
    return frames;
}

TEST_F(SimulatedLink, EditsMadeWhileAReplyIsAwaitedAllReachTheUnitInOrder) {
    session.CurrentRecord() = download().value_or(ProgramRecord{});
    engine.setMeteringOn(true);
    ASSERT_TRUE(exchange(CmdLevon));
    idle(300);
    EngineEditSink sink(engine);
    for (const auto make : {&allMuting, &peqFlat}) {
        // The metering's own levon is under way when the operator presses the button.
        ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
        ASSERT_FALSE(engine.done());
        heard.clear();
        const std::vector<QByteArray> expected = make(session, sink);
        ASSERT_TRUE(waitDone());
        idle(1000);
        std::vector<QByteArray> edits;
        std::copy_if(heard.begin(), heard.end(), std::back_inserter(edits),
                     [](const QByteArray& frame) { return frame.startsWith("(01$"); });
        EXPECT_EQ(edits, expected);
        EXPECT_EQ(EncodeRecordText(download().value_or(ProgramRecord{})),
                  EncodeRecordText(session.CurrentRecord()));
        ASSERT_TRUE(exchange(CmdLevon));
    }
    for (const OutputChannel& out : unit().currentProgram().out)
        EXPECT_EQ(out.on, 0);
}

} // namespace
} // namespace mqx::test
