// The link engine against the paced simulated unit on virtual time: what only the whole
// chain shows. Every request as the unit understands it and its reply as the engine judges
// it; requests meeting level frames on the wire; bursts of edits made while a reply is
// awaited. The rules themselves are the engine's (tests/link), the unit's refusals its own
// (tests/sim), CH Link the pages' end-to-end test's, and how a fader drag is thinned out the
// edit queue's.

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

// The units' frame observer keeps what they heard and what they sent, so a test can hold
// the two ends against each other.
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
    // Runs the clock until the exchange under way has ended.
    bool waitDone() {
        return clock.runUntil([this] { return engine.done(); }, 30000);
    }
    // Issues `index` with the arguments set so far and waits for its exchange to end.
    bool exchange(int index) { return engine.IssueCommand(index) == 1 && waitDone(); }
    // Lets virtual time pass; an empty write moves the units' time on without taking
    // anything off the line.
    void idle(qint64 ms) {
        clock.advance(ms);
        simulator.receive(QByteArrayView(), clock.nowMs());
    }
    // The unit's current program as a download brings it, after the head, the program
    // number and the length in four digits; nothing when the exchange failed.
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
    // A stored, unprotected program in slot 7 to work on.
    ProgramRecord& slot = unit(5).slot(7);
    slot = unit(5).currentProgram();
    slot.program_number = 7;
    slot.empty_flag = 0;
    slot.write_enable = 255;
    slot.recall_lock = 0;
    const QByteArray upload = EncodeRecordText(slot, RecordImage::Upload);
    for (const CommandSample& sample : CommandSamples(upload)) {
        SCOPED_TRACE(sample.frame.left(12).constData());
        engine.arguments() = ArgumentSlots{};
        sample.arguments(engine.arguments());
        heard.clear();
        if (sample.index == CmdParedt) {
            // The edit and its levon request reach the unit as two frames.
            ASSERT_EQ(engine.IssueCommand(CmdParedt), 1);
            idle(200);
            EXPECT_EQ(heard, (std::vector<QByteArray>{"(05$0532000", "(05ME"}));
            EXPECT_EQ(unit(5).currentProgram().out[2].on, 0);
            continue;
        }
        ASSERT_TRUE(exchange(sample.index));
        EXPECT_EQ(heard, std::vector<QByteArray>{sample.frame});
        EXPECT_TRUE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, engine.commandTable()[sample.index].replyLength)
            << engine.ReplyBuffer().constData();
        EXPECT_TRUE(engine.CheckReply(sample.index).isMatch()) << engine.ReplyBuffer().constData();
    }
    // Named in slot 7, recalled from there, then deleted.
    EXPECT_EQ(QByteArray(unit(5).currentProgram().name.data(), 7), "Evening");
    EXPECT_TRUE(unit(5).slotIsEmpty(7));
    EXPECT_EQ(unit(5).deviceInfo().left(18), "Rack 2, stage left");
}

using Meters = SimulatedLink;

TEST_F(Meters, EveryExchangePausesTheStreamAndMeteringResumesAfterIt) {
    std::vector<MeterLevels> shown;
    engine.setMetersCallback([&shown](const MeterLevels& m) { shown.push_back(m); });
    engine.setMeteringOn(true);
    ASSERT_TRUE(exchange(CmdLevon));
    clock.advance(500);
    ASSERT_FALSE(shown.empty());
    // At every phase of the level stream, so that requests meet frames on the wire.
    const int commands[] = {CmdHello, CmdPnllock, CmdPdatget, CmdDevinfget, CmdCpinf};
    for (int phase = 0; phase < 10; ++phase) {
        const int index = commands[phase % 5];
        SCOPED_TRACE(phase);
        clock.advance(11 * phase);
        engine.setProgramArg(0);
        const std::size_t shownAtIssue = shown.size();
        ASSERT_TRUE(exchange(index));
        EXPECT_TRUE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, engine.commandTable()[index].replyLength);
        EXPECT_TRUE(engine.CheckReply(index).isMatch()) << engine.ReplyBuffer().constData();
        EXPECT_FALSE(unit().isMetering());
        EXPECT_EQ(shown.size(), shownAtIssue) << "no meters while the reply was awaited";
        // The controller asks for the stream again and the unit obliges.
        const std::size_t heardBefore = heard.size();
        clock.advance(1000);
        EXPECT_EQ(std::vector(heard.begin() + heardBefore, heard.end()),
                  std::vector<QByteArray>{"(01ME"});
        EXPECT_TRUE(unit().isMetering());
        EXPECT_GT(shown.size(), shownAtIssue);
    }
    // Every value the meters showed is one the unit sent, in the order it sent them: no
    // echo, error reply or torn frame was ever taken for levels.
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

// Flattening both PEQs: every band's level, then the gain, of each channel, the same values
// on both channels whether the unit links them or not.
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

using Edits = SimulatedLink;

TEST_F(Edits, EditsMadeWhileAReplyIsAwaitedAllReachTheUnitInOrder) {
    // Connected with metering on, as the controller runs after a download.
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
        const std::optional<ProgramRecord> after = download();
        ASSERT_TRUE(after);
        EXPECT_EQ(EncodeRecordText(*after), EncodeRecordText(session.CurrentRecord()));
        ASSERT_TRUE(exchange(CmdLevon));
    }
    for (const OutputChannel& out : unit().currentProgram().out)
        EXPECT_EQ(out.on, 0);
}

} // namespace
} // namespace mqx::test
