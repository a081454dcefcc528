// Parameter edits as the operator makes them, against the paced simulated unit: many at
// once, while a reply is awaited, and a fader dragged faster than the line carries it.
// What counts is what the unit ends up with, and when.

#include "simulated_link.h"

#include "app/main_editor.h"
#include "link/engine_edit_sink.h"
#include "link/serial_port.h"
#include "program/record_text.h"

#include <algorithm>

using namespace mqx;
using mqx::test::SimulatedLink;

namespace {

class Edits : public SimulatedLink {
protected:
    void SetUp() override {
        SimulatedLink::SetUp();
        simulator.setFrameObserver([this](sim::UnitSimulator::Direction direction,
                                          QByteArrayView frame, qint64 ms) {
            if (direction == sim::UnitSimulator::Direction::Received && frame.startsWith("(01$"))
                heardEdits.push_back({frame.toByteArray(), ms});
        });
    }
    // Connected with metering on, as the controller runs after a download.
    void connectAsTheControllerDoes() {
        const std::optional<ProgramRecord> start = download(0);
        ASSERT_TRUE(start);
        session.CurrentRecord() = *start;
        engine.setMeteringOn(true);
        ASSERT_TRUE(exchange(CmdLevon));
        idle(300);
    }
    // The edit frames the unit received, without their levon request.
    std::vector<QByteArray> editsHeard() const {
        std::vector<QByteArray> out;
        for (const auto& [frame, ms] : heardEdits)
            out.push_back(frame);
        return out;
    }

    std::vector<std::pair<QByteArray, qint64>> heardEdits;
};

} // namespace

TEST_F(Edits, AllMutingWhileTheLevonReplyIsAwaitedMutesEveryOutputOfTheUnit) {
    connectAsTheControllerDoes();
    EngineEditSink sink(engine);
    MainEditor editor(session, sink);
    ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
    ASSERT_FALSE(engine.done());
    editor.allMuting();
    ASSERT_TRUE(waitDone());
    idle(500);

    for (const OutputChannel& out : unit().currentProgram().out)
        EXPECT_EQ(out.on, 0);
    EXPECT_EQ(EncodeRecordText(unit().currentProgram()), EncodeRecordText(session.CurrentRecord()));
}

TEST_F(Edits, ABurstOf24DifferentEditsReachesTheUnitWholeAndInOrder) {
    connectAsTheControllerDoes();
    EngineEditSink sink(engine);
    // What flattening both PEQs sends: every band's level, then both gains.
    std::vector<QByteArray> expected;
    ProgramRecord& record = session.CurrentRecord();
    for (int channel = 1; channel <= 2; ++channel) {
        const auto t = static_cast<std::size_t>(channel - 1);
        for (int band = 0; band < kPeqBandCount; ++band) {
            const QByteArray code = "023" + QByteArray::number(channel) +
                                    QByteArray::number(band).rightJustified(2, '0');
            // The same values on both channels, whether the unit links them or not.
            const int level = 10 + band;
            record.peq_band[static_cast<std::size_t>(band)][t].level =
                static_cast<std::uint8_t>(level);
            sink.sendEdit(code, QByteArray::number(level).rightJustified(3, '0'));
            expected.push_back("(01$" + code + QByteArray::number(level).rightJustified(3, '0'));
        }
        record.peq_gain[t] = 91;
        sink.sendEdit("025" + QByteArray::number(channel), "091");
        expected.push_back("(01$025" + QByteArray::number(channel) + "091");
    }
    ASSERT_EQ(expected.size(), 24u);
    idle(1000);

    EXPECT_EQ(editsHeard(), expected);
    const std::optional<ProgramRecord> after = download(0);
    ASSERT_TRUE(after);
    EXPECT_EQ(EncodeRecordText(*after), EncodeRecordText(session.CurrentRecord()));
}

TEST_F(Edits, AFaderDraggedFasterThanTheLineLeavesTheUnitOneFrameBehind) {
    connectAsTheControllerDoes();
    // 200 steps a second for 2 s. The values step by 7 modulo 206, so that no two steps
    // within 206 of each other carry the same value: each frame tells which step it was.
    const auto valueOf = [](int step) { return QByteArray::number(step * 7 % 206); };
    std::vector<qint64> issuedAt;
    const std::size_t writesBefore = line.written().size();
    for (int step = 0; step < 400; ++step) {
        issuedAt.push_back(clock.nowMs());
        edit("0492", valueOf(step).rightJustified(3, '0'));
        clock.advance(5);
    }
    const qint64 lastStepMs = issuedAt.back();
    idle(500);

    // The last value reaches the unit within one frame's wire time and 20 ms.
    const QByteArray lastFrame = "(01$0492" + valueOf(399).rightJustified(3, '0');
    ASSERT_FALSE(heardEdits.empty());
    EXPECT_EQ(heardEdits.back().first, lastFrame);
    const int frameWireMs = WireTimeMs(lastFrame.size() + 5);
    EXPECT_LE(heardEdits.back().second - lastStepMs, frameWireMs + 20);
    EXPECT_EQ(unit().currentProgram().out[2].level, 399 * 7 % 206);

    // Every frame written carried the newest step at its moment: none that a newer one
    // had replaced while it waited. A frame written by a timer at the moment of a step
    // went before that step was made.
    const auto text = [&](std::ptrdiff_t step) {
        return valueOf(static_cast<int>(step)).rightJustified(3, '0');
    };
    const std::size_t written = line.written().size() - writesBefore;
    for (std::size_t i = writesBefore; i < line.written().size(); ++i) {
        const QByteArray& frame = line.written()[i];
        const qint64 at = line.writtenAtMs()[i];
        ASSERT_TRUE(frame.startsWith("(01$0492")) << frame.constData();
        const std::ptrdiff_t newest =
            std::upper_bound(issuedAt.begin(), issuedAt.end(), at) - issuedAt.begin() - 1;
        const QByteArray value = frame.mid(8, 3);
        EXPECT_TRUE(value == text(newest) ||
                    (newest > 0 && issuedAt[static_cast<std::size_t>(newest)] == at &&
                     value == text(newest - 1)))
            << frame.constData() << " at " << at << " ms, step " << newest << " was newest";
    }
    EXPECT_LT(written, 400u) << "steps that waited for the line were replaced";
}
