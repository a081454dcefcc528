#include "editor_test.h"
#include "pages/compressor_editor.h"
#include "pages/delay_editor.h"
#include "pages/geq_editor.h"
#include "pages/input_editor.h"
#include "pages/peq_editor.h"

using namespace mqx;

namespace {

struct RefusalTest : test::EditorTest {
    GeqEditor geq{session, sink, prompts, clock, 0};
    PeqEditor peq{session, sink, prompts, clock, 0};
    CompressorEditor comp{session, sink, prompts, clock};
    InputEditor input{session, sink, prompts};
    DelayEditor delay{session, sink, prompts, clock};
};

enum Why { GeqMode, PeqMode, Number, Stereo, In1, In2, ChannelMs, MasterInt, MasterNumber };

} // namespace

// Each action the EQ mode or the compressor's link mode forbids, and each word typed for a
// number: one warning saying why, nothing changed or sent, no drag started.
TEST_F(RefusalTest, RefusedActionsSayWhyAndChangeNothing) {
    const std::pair<const char*, const char*> messages[] = {
        {"EQ Mode Warning", "Now GEQ mode."},
        {"EQ Mode Warning", "Now PEQ+Compressor mode."},
        {"MQX-T410 Controller", "Please enter a number."},
        {"Link Mode Warning", "In LINK(STEREO) mode, IN-1 block is valid."},
        {"Link Mode Warning", "In LINK(IN-1) mode, IN-1 block is valid."},
        {"Link Mode Warning", "In LINK(IN-2) mode, IN-2 block is valid."},
        {"Channel Delay", "Channel Delay can be\n0.0 - 1365.3 [msec]"},
        {"Master Delay", "Please enter an integer."},
        {"Master Delay", "Please enter a number."},
    };
    const int bandX = GeqLayout::bandTrackLeft(0) + 10, geqLevelX = GeqLayout::kLevelTrackLeft + 10;
    const int trackY = GeqLayout::kBandTrackTop + 120,
              gainX = CompressorLayout::gainTrackLeft(0) + 10;
    const int peqX = PeqLayout::kLevelTrackLeft + 5, peqY = PeqLayout::kLevelTrackTop + 5;
    const DelayTarget out3{DelayGroup::Channel, 2}, in1{DelayGroup::Master, 0};
    const DelayTarget in2{DelayGroup::Master, 1};
    using F = CompField;
    using B = InputEditor::Box;
    // The EQ mode, the compressor's link mode, the action, the warning.
    const std::tuple<int, int, std::function<void()>, Why> cases[] = {
        // clang-format off
        {1, 0, [&] { geq.press(bandX, geq.bandKnobTop(0) + 10, false); }, PeqMode},
        {1, 0, [&] { EXPECT_FALSE(geq.doubleClick(bandX, trackY, false)); }, PeqMode},
        {1, 0, [&] { geq.press(geqLevelX, geq.levelKnobTop() + 3, false); }, PeqMode},
        {1, 0, [&] { geq.stepBand(0, 1); }, PeqMode},
        {1, 0, [&] { geq.stepLevel(-10); }, PeqMode},
        {1, 0, [&] { EXPECT_FALSE(geq.commitBandText(0, u"3")); }, PeqMode},
        {1, 0, [&] { EXPECT_FALSE(geq.commitLevelText(u"-3")); }, PeqMode},
        {1, 0, [&] { geq.setOn(true); }, PeqMode},
        {0, 0, [&] { EXPECT_FALSE(geq.commitBandText(6, u"loud")); }, Number},
        {0, 0, [&] { EXPECT_FALSE(geq.commitLevelText(u"1.2.3")); }, Number},
        {0, 0, [&] { peq.pressBandButton(1); }, GeqMode},
        {0, 0, [&] { peq.setBandOn(0, false); }, GeqMode},
        {0, 0, [&] { peq.selectType(3); }, GeqMode},
        {0, 0, [&] { peq.stepBox(PeqBox::Level, 1); }, GeqMode},
        {0, 0, [&] { EXPECT_FALSE(peq.commitBoxText(PeqBox::Level, u"3")); }, GeqMode},
        {0, 0, [&] { peq.setOn(false); }, GeqMode},
        {0, 0, [&] { peq.stepLevel(1); }, GeqMode},
        {0, 0, [&] { peq.pressLevel(peqX, peqY); }, GeqMode},
        {1, 0, [&] { EXPECT_FALSE(peq.commitBoxText(PeqBox::Level, u"loud")); }, Number},
        {1, 0, [&] { EXPECT_FALSE(peq.commitLevelText(u"x")); }, Number},
        {1, CompLinkStereo, [&] { comp.stepField(1, F::Attack, 1); }, Stereo},
        {1, CompLinkIn1, [&] { comp.commitText(1, F::Threshold, u"-10"); }, In1},
        {1, CompLinkIn2, [&] { comp.setOn(0, true); }, In2},
        {1, CompLinkIn2, [&] { comp.selectType(0, EqPeaking); }, In2},
        {0, 0, [&] { comp.stepField(0, F::Attack, 1); }, GeqMode},
        {0, 0, [&] { comp.setLinkMode(CompLinkStereo); }, GeqMode},
        {0, 0, [&] { comp.stepGain(0, 1); }, GeqMode},
        {0, 0, [&] { comp.commitGainText(0, u"3"); }, GeqMode},
        {0, 0, [&] { EXPECT_FALSE(comp.press(gainX, 100)); }, GeqMode},
        {1, 0, [&] { EXPECT_FALSE(comp.commitText(0, F::Attack, u"fast")); }, Number},
        {1, 0, [&] { EXPECT_FALSE(comp.commitGainText(0, u"loud")); }, Number},
        {1, 0, [&] { EXPECT_FALSE(input.commitText(B::PinkLevel, u"abc")); }, Number},
        {1, 0, [&] { EXPECT_FALSE(input.commitText(B::PinkLevel, u"")); }, Number},
        {1, 0, [&] { EXPECT_FALSE(input.commitText(B::PinkLevel, u"12 volts")); }, Number},
        {1, 0, [&] { EXPECT_FALSE(input.commitText(B::SineFreq, u"-inf")); }, Number},
        {1, 0, [&] { EXPECT_FALSE(delay.commitEntry(out3, DelayBox::Ms, u"1365.33")); }, ChannelMs},
        {1, 0, [&] { EXPECT_FALSE(delay.commitEntry(in2, DelayBox::Feet, u"1'2")); }, MasterInt},
        {1, 0, [&] { EXPECT_FALSE(delay.commitEntry(in1, DelayBox::Metres, u"x")); }, MasterNumber},
        // clang-format on
    };
    int row = 0;
    for (const auto& [eqMode, link, act, why] : cases) {
        SCOPED_TRACE(row++);
        reset();
        record().eq_mode = 1;
        record().comp_link = static_cast<std::uint8_t>(link);
        if (peq.selectedBand() != 0)
            peq.pressBandButton(0);
        record().peq_band[0][0] = {1, 69, 30, 46};
        record().out[2].delay = 1234;
        record().eq_mode = static_cast<std::uint8_t>(eqMode);
        const ProgramRecord before = record();
        sink.edits.clear();
        act();
        ASSERT_EQ(prompts.shown().size(), 1u);
        const auto& [title, text] = messages[why];
        const auto& shown = prompts.shown()[0];
        EXPECT_EQ(std::tuple(shown.title, shown.text, shown.icon),
                  std::tuple(QString(title), QString(text), PromptIcon::Exclamation));
        EXPECT_EQ(record(), before);
        EXPECT_TRUE(sink.edits.empty());
        EXPECT_FALSE(geq.isTracking() || peq.isLevelTracking());
    }
}
