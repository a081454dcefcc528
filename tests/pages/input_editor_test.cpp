#include "editor_test.h"
#include "pages/input_editor.h"

using namespace mqx;
using test::Edits;
using Box = InputEditor::Box;

namespace {

struct InputEditorTest : test::EditorTest {
    std::uint8_t& byte(Box box) {
        return box == Box::SineLevel  ? record().sine_level
               : box == Box::SineFreq ? record().sine_freq
                                      : record().pink_level;
    }
    InputEditor editor{session, sink, prompts};
};

} // namespace

TEST_F(InputEditorTest, ChoosingTheGeneratorOrAWaveMutesItFirst) {
    record().sg_mute = 1; // sounding
    editor.selectInputMode(1);
    EXPECT_EQ(std::tuple(record().input_mode, record().sg_mute, editor.isMuted()),
              std::tuple(1, 0, true));
    EXPECT_EQ(sink.edits, (Edits{"006 000", "001 001"}));
    sink.edits.clear();
    record().sg_mute = 1;
    editor.selectWave(false);
    editor.setMuting(false); // un-muted: sg_mute 1
    EXPECT_FALSE(editor.isMuted());
    editor.selectWave(true);
    EXPECT_EQ(sink.edits, (Edits{"006 000", "002 000", "006 001", "006 000", "002 001"}));
    EXPECT_EQ(std::tuple(record().sg_wave, record().sg_mute), std::tuple(1, 0));
    record().sg_mute = 2; // the unit sounds the generator only at 1
    EXPECT_TRUE(editor.isMuted());
}

TEST_F(InputEditorTest, InputModeAndInputSelectSendEvenWhenUnchanged) {
    record().sg_mute = 1;
    editor.selectInputMode(0);
    editor.selectInputMode(0);
    EXPECT_EQ(record().sg_mute, 1) << "going back to the inputs leaves the generator alone";
    for (int select : {0, 1, 2, 3, 4, 4, 5})
        editor.selectInput(select);
    editor.selectInputMode(2);
    EXPECT_EQ(sink.edits, (Edits{"001 000", "001 000", "007 000", "007 001", "007 002", "007 003",
                                 "007 004", "007 004"}));
    EXPECT_EQ(std::tuple(record().input_select, editor.inputSelect()), std::tuple(4, 4));
    record().input_select = 7; // from a damaged file
    EXPECT_EQ(editor.inputSelect(), -1);
}

// Spins step once and stop at their ends; typed values take the nearest step within the
// range. Either is sent only when it changed the record.
TEST_F(InputEditorTest, SpinsAndTypedValuesStayInRange) {
    // The box, its value, a step up (1) or down (-1) or a typed text, the value after, the box's
    // text afterwards where it is checked, the edits sent.
    const std::tuple<Box, int, int, const char16_t*, int, const char*, Edits> cases[] = {
        {Box::SineLevel, 0, -1, nullptr, 0, "-Inf dBFS", {}},
        {Box::SineLevel, 181, 1, nullptr, 181, "  0.0dBFS", {}},
        {Box::SineLevel, 255, 1, nullptr, 181, nullptr, {"005 181"}}, // never wraps to 0
        {Box::SineFreq, 1, -1, nullptr, 1, "  20.0Hz", {}},
        {Box::SineFreq, 121, 1, nullptr, 121, "20.00kHz", {}},
        {Box::SineFreq, 0, -1, nullptr, 1, nullptr, {"004 001"}}, // 0 is not a sine frequency
        {Box::PinkLevel, 205, 1, nullptr, 205, " 12.0dB", {}},
        {Box::PinkLevel, 0, 1, nullptr, 1, nullptr, {"003 001"}},
        {Box::SineLevel, 181, 0, u"-inf", 0, "-Inf dBFS", {"005 000"}},
        {Box::SineLevel, 0, 0, u"6 dBFS", 181, nullptr, {"005 181"}}, // above 0 dBFS: the top
        {Box::SineLevel, 181, 0, u"  0.0dBFS", 181, nullptr, {}},     // what the box shows
        {Box::SineFreq, 121, 0, u"1kHz", 69, nullptr, {"004 069"}},
        {Box::SineFreq, 69, 0, u"1 Hz", 1, nullptr, {"004 001"}}, // below 20 Hz: the lowest
        {Box::PinkLevel, 181, 0, u"-inf dB", 0, nullptr, {"003 000"}},
        {Box::PinkLevel, 0, 0, u"12", 205, nullptr, {"003 205"}},
    };
    for (const auto& [box, before, step, text, after, shown, edits] : cases) {
        SCOPED_TRACE(testing::Message() << int(box) << " " << before << " " << step);
        byte(box) = static_cast<std::uint8_t>(before);
        sink.edits.clear();
        if (text)
            EXPECT_TRUE(editor.commitText(box, text));
        else
            editor.stepSpin(box, step > 0);
        EXPECT_EQ(byte(box), after);
        EXPECT_EQ(sink.edits, edits);
        if (shown) {
            EXPECT_EQ(editor.boxText(box), QLatin1String(shown));
        }
    }
    EXPECT_TRUE(prompts.shown().empty());
}
