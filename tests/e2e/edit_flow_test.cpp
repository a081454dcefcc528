// Bursts of parameter edits made while a reply is awaited, against the paced simulated
// unit: what counts is what the unit ends up with. How a fader drag is thinned out is the
// edit queue's own test (tests/link).

#include "simulated_link.h"

#include "app/main_editor.h"
#include "link/engine_edit_sink.h"
#include "program/record_text.h"

using namespace mqx;

namespace {

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
    const auto send = [&](const QByteArray& code, int value) {
        const QByteArray text = QByteArray::number(value).rightJustified(3, '0');
        sink.sendEdit(code, text);
        frames.push_back("(01$" + code + text);
    };
    for (std::size_t t = 0; t < 2; ++t) {
        const QByteArray channel = QByteArray::number(t + 1);
        for (std::size_t band = 0; band < kPeqBandCount; ++band) {
            // The same values on both channels, whether the unit links them or not.
            record.peq_band[band][t].level = static_cast<std::uint8_t>(10 + band);
            send("023" + channel + QByteArray::number(band).rightJustified(2, '0'),
                 static_cast<int>(10 + band));
        }
        record.peq_gain[t] = 91;
        send("025" + channel, 91);
    }
    return frames;
}

using Edits = test::SimulatedLink;

} // namespace

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
