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

// All Muting: six outputs, six edits.
std::vector<QByteArray> allMuting(Session& session, ParameterEditSink& sink) {
    MainEditor(session, sink).allMuting();
    std::vector<QByteArray> frames;
    for (char c = '0'; c <= '5'; ++c)
        frames.push_back(QByteArray("(01$053") + c + "000");
    return frames;
}

// What flattening both PEQs sends: every band's level, then the gain, of each channel.
std::vector<QByteArray> peqFlat(Session& session, ParameterEditSink& sink) {
    std::vector<QByteArray> frames;
    ProgramRecord& record = session.CurrentRecord();
    for (int channel = 1; channel <= 2; ++channel) {
        const auto t = static_cast<std::size_t>(channel - 1);
        for (int band = 0; band < kPeqBandCount; ++band) {
            const QByteArray code = "023" + QByteArray::number(channel) +
                                    QByteArray::number(band).rightJustified(2, '0');
            // The same values on both channels, whether the unit links them or not.
            const QByteArray level = QByteArray::number(10 + band).rightJustified(3, '0');
            record.peq_band[static_cast<std::size_t>(band)][t].level =
                static_cast<std::uint8_t>(10 + band);
            sink.sendEdit(code, level);
            frames.push_back("(01$" + code + level);
        }
        record.peq_gain[t] = 91;
        sink.sendEdit("025" + QByteArray::number(channel), "091");
        frames.push_back("(01$025" + QByteArray::number(channel) + "091");
    }
    return frames;
}

} // namespace

TEST_F(Edits, EditsMadeWhileAReplyIsAwaitedAllReachTheUnitInOrder) {
    connectAsTheControllerDoes();
    EngineEditSink sink(engine);
    const std::pair<const char*, decltype(&allMuting)> bursts[] = {
        {"All Muting", &allMuting},
        {"PEQ Flat, 24 different edits", &peqFlat},
    };
    for (const auto& [name, make] : bursts) {
        SCOPED_TRACE(name);
        heardEdits.clear();
        // The metering's own levon is under way when the operator presses the button.
        ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
        ASSERT_FALSE(engine.done());
        const std::vector<QByteArray> expected = make(session, sink);
        ASSERT_TRUE(waitDone());
        idle(1000);

        EXPECT_EQ(editsHeard(), expected);
        const std::optional<ProgramRecord> after = download(0);
        ASSERT_TRUE(after);
        EXPECT_EQ(EncodeRecordText(*after), EncodeRecordText(session.CurrentRecord()));
        ASSERT_TRUE(exchange(CmdLevon));
    }
    for (const OutputChannel& out : unit().currentProgram().out)
        EXPECT_EQ(out.on, 0);
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
