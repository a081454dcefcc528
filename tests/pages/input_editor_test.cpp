#include "core/session.h"
#include "pages/input_editor.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"

#include <gtest/gtest.h>

using namespace mqx;
using Edits = std::vector<std::string>;
using Box = InputEditor::Box;

namespace {

struct InputEditorTest : ::testing::Test {
    void SetUp() override {
        ApplyDefaults(session);
        session.ConnectedUnitId = 1;
    }
    ProgramRecord& record() { return session.CurrentRecord(); }

    Session session;
    test::RecordingEditSink sink;
    test::ScriptedPrompts prompts;
    InputEditor editor{session, sink, prompts};
};

} // namespace

TEST_F(InputEditorTest, ChoosingTheGeneratorOrAWaveMutesItFirst) {
    record().sg_mute = 1; // sounding
    editor.selectInputMode(1);
    EXPECT_EQ(record().input_mode, 1);
    EXPECT_EQ(record().sg_mute, 0);
    EXPECT_TRUE(editor.isMuted());
    EXPECT_EQ(sink.edits, (Edits{"006 000", "001 001"}));

    sink.edits.clear();
    record().sg_mute = 1;
    editor.selectWave(false);
    editor.setMuting(false); // un-muted: sg_mute 1
    EXPECT_FALSE(editor.isMuted());
    editor.selectWave(true);
    EXPECT_EQ(sink.edits, (Edits{"006 000", "002 000", "006 001", "006 000", "002 001"}));
    EXPECT_EQ(record().sg_wave, 1);
    EXPECT_EQ(record().sg_mute, 0);
    record().sg_mute = 2; // the unit sounds the generator only at 1
    EXPECT_TRUE(editor.isMuted());
}

TEST_F(InputEditorTest, InputModeAndInputSelectSendEvenWhenUnchanged) {
    record().sg_mute = 1;
    editor.selectInputMode(0);
    editor.selectInputMode(0);
    EXPECT_EQ(record().sg_mute, 1) << "going back to the inputs leaves the generator alone";
    for (int select = 0; select < 5; ++select)
        editor.selectInput(select);
    editor.selectInput(4);
    editor.selectInput(5);
    editor.selectInputMode(2);
    EXPECT_EQ(sink.edits, (Edits{"001 000", "001 000", "007 000", "007 001", "007 002", "007 003",
                                 "007 004", "007 004"}));
    EXPECT_EQ(record().input_select, 4);
    EXPECT_EQ(editor.inputSelect(), 4);
    record().input_select = 7; // from a damaged file
    EXPECT_EQ(editor.inputSelect(), -1);
}

TEST_F(InputEditorTest, SpinsStepOnceAndStopAtTheirEnds) {
    record().sine_level = 0;
    editor.stepSpin(Box::SineLevel, false);
    record().sine_freq = 1;
    editor.stepSpin(Box::SineFreq, false);
    record().pink_level = 205;
    editor.stepSpin(Box::PinkLevel, true);
    record().sine_level = 181;
    editor.stepSpin(Box::SineLevel, true);
    record().sine_freq = 121;
    editor.stepSpin(Box::SineFreq, true);
    EXPECT_TRUE(sink.edits.empty());
    EXPECT_EQ(record().sine_level, 181);
    EXPECT_EQ(record().sine_freq, 121);
    EXPECT_EQ(record().pink_level, 205);

    editor.stepSpin(Box::SineLevel, false);
    editor.stepSpin(Box::SineFreq, false);
    editor.stepSpin(Box::PinkLevel, false);
    record().pink_level = 0;
    editor.stepSpin(Box::PinkLevel, true);
    EXPECT_EQ(sink.edits, (Edits{"005 180", "004 120", "003 204", "003 001"}));
}

TEST_F(InputEditorTest, SpinsPullStoredValuesOutsideTheirRangesBackIn) {
    record().sine_freq = 0;
    editor.stepSpin(Box::SineFreq, false); // 0 is not a sine frequency
    record().sine_level = 255;
    editor.stepSpin(Box::SineLevel, true); // and the byte never wraps to 0
    EXPECT_EQ(sink.edits, (Edits{"004 001", "005 181"}));
}

TEST_F(InputEditorTest, BoxesShowTheScaleTextWithTheirUnit) {
    record().sine_level = 0;
    record().sine_freq = 1;
    record().pink_level = 205;
    EXPECT_EQ(editor.boxText(Box::SineLevel), QStringLiteral("-Inf dBFS"));
    EXPECT_EQ(editor.boxText(Box::SineFreq), QStringLiteral("  20.0Hz"));
    EXPECT_EQ(editor.boxText(Box::PinkLevel), QStringLiteral(" 12.0dB"));
    record().sine_freq = 121;
    record().sine_level = 181;
    EXPECT_EQ(editor.boxText(Box::SineFreq), QStringLiteral("20.00kHz"));
    EXPECT_EQ(editor.boxText(Box::SineLevel), QStringLiteral("  0.0dBFS"));
}

TEST_F(InputEditorTest, TypedValuesAreBoundedAndSentOnlyWhenTheyChangeTheRecord) {
    EXPECT_TRUE(editor.commitText(Box::SineLevel, u"-inf"));
    EXPECT_EQ(record().sine_level, 0);
    EXPECT_EQ(editor.boxText(Box::SineLevel), QStringLiteral("-Inf dBFS"));
    EXPECT_TRUE(editor.commitText(Box::SineLevel, u"6 dBFS")); // above 0 dBFS: the top
    EXPECT_EQ(record().sine_level, 181);
    EXPECT_TRUE(editor.commitText(Box::SineLevel, u"  0.0dBFS")); // what the box shows
    record().sine_freq = 121;
    EXPECT_TRUE(editor.commitText(Box::SineFreq, u"1kHz"));
    EXPECT_EQ(record().sine_freq, 69);
    EXPECT_TRUE(editor.commitText(Box::SineFreq, u"1 Hz")); // below 20 Hz: the lowest
    EXPECT_EQ(record().sine_freq, 1);
    EXPECT_TRUE(editor.commitText(Box::PinkLevel, u"-inf dB"));
    EXPECT_TRUE(editor.commitText(Box::PinkLevel, u"12"));
    EXPECT_EQ(record().pink_level, 205);
    EXPECT_EQ(sink.edits,
              (Edits{"005 000", "005 181", "004 069", "004 001", "003 000", "003 205"}));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(InputEditorTest, TextThatIsNoNumberIsRefusedWithAMessage) {
    const ProgramRecord before = record();
    for (const char16_t* text : {u"abc", u"", u"12 volts", u"-inf"}) {
        prompts.clear();
        // "-inf" means nothing to a frequency box.
        const Box box = std::u16string_view(text) == u"-inf" ? Box::SineFreq : Box::PinkLevel;
        EXPECT_FALSE(editor.commitText(box, text));
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Please enter a number."));
        EXPECT_EQ(prompts.shown()[0].icon, PromptIcon::Exclamation);
    }
    EXPECT_EQ(record(), before);
    EXPECT_TRUE(sink.edits.empty());
}
