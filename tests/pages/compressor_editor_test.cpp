#include "editor_test.h"
#include "pages/compressor_editor.h"
#include "pages/eq_band_rules.h"

using namespace mqx;
using test::Edits;
using F = CompField;
using R = ProgramRecord;

namespace {

struct CompressorEditorTest : test::EditorTest {
    CompressorEditorTest() { setUp(); }
    void setUp() {
        reset();
        record().eq_mode = 1;
        record().comp_link = CompIndividual;
    }
    static int gainX(int ch) { return CompressorLayout::gainTrackLeft(ch) + 10; }

    CompressorEditor editor{session, sink, prompts, clock};
};

} // namespace

TEST_F(CompressorEditorTest, EachActionSendsItsCodeWithTheChannelDigitOnlyWhenItChanged) {
    using Act = std::function<void(CompressorEditor&)>;
    using Change = std::function<void(R&)>;
    using Pair = std::array<std::uint8_t, 2>;
    const Change none = [](R&) {};
    const auto set = [](Pair R::*f, int ch, int v) -> Change {
        return [=](R& r) { (r.*f)[std::size_t(ch)] = std::uint8_t(v); };
    };
    const auto side = [](int ch, std::uint8_t EqBand::*f, int v) -> Change {
        return [=](R& r) { r.side_eq[std::size_t(ch)].*f = std::uint8_t(v); };
    };
    const auto sideIs = [](int ch, EqBand b) -> Change {
        return [ch, b](R& r) { r.side_eq[std::size_t(ch)] = b; };
    };
    const auto gains = [](int a, int b) -> Change {
        return [=](R& r) { r.comp_gain = {std::uint8_t(a), std::uint8_t(b)}; };
    };
    const auto linked = [](int m) -> Change {
        return [=](R& r) { r.comp_link = std::uint8_t(m); };
    };
    const auto step = [](int ch, F f, int n) -> Act {
        return [=](auto& e) { e.stepField(ch, f, n); };
    };
    const auto typed = [](int ch, F f, const char16_t* t) -> Act {
        return [=](auto& e) { EXPECT_TRUE(e.commitText(ch, f, t)); };
    };
    const auto gainTyped = [](const char16_t* t) -> Act {
        return [=](auto& e) { EXPECT_TRUE(e.commitGainText(0, t)); };
    };
    const auto gainStep = [](int ch, int n) -> Act { return [=](auto& e) { e.stepGain(ch, n); }; };
    const auto link = [](int m) -> Act { return [=](auto& e) { e.setLinkMode(m); }; };
    const Act peaking = [](auto& e) { e.selectType(0, EqPeaking); };
    const Act off = [](auto& e) { e.setOn(1, false); };
    const EqBand loShelf{4, 12, 24, 46}, peak{1, 69, 24, 46};
    const std::tuple<const char*, Change, Act, Edits, Change> cases[] = {
        // clang-format off
        {"threshold stops at -48.0 dBFS", set(&R::comp_threshold, 0, 95), step(0, F::Threshold, 5),
         {"0341 096"}, set(&R::comp_threshold, 0, 96)},
        {"threshold at end", set(&R::comp_threshold, 0, 96), step(0, F::Threshold, 1), {}, none},
        {"ratio to Inf:1", none, step(1, F::Ratio, 150), {"0352 100"}, set(&R::comp_ratio, 1, 100)},
        {"Hi-Shelf stops at 110", sideIs(0, {3, 108, 24, 46}), step(0, F::SideFreq, 5),
         {"0291 110"}, side(0, &EqBand::freq, 110)},
        {"Lo-Shelf stops at 12", sideIs(1, loShelf), step(1, F::SideFreq, -1), {}, none},
        {"a box the type has not", sideIs(0, {2, 69, 24, 46}), step(0, F::SideLevel, 1), {}, none},
        {"typed Side EQ level: the whole band", sideIs(1, peak), typed(1, F::SideLevel, u"3"),
         {"0282 001069030046"}, side(1, &EqBand::level, 30)},
        {"typed frequency kept to the shelf", sideIs(0, {3, 50, 24, 46}),
         typed(0, F::SideFreq, u"20k"), {"0281 003110024046"}, side(0, &EqBand::freq, 110)},
        {"typed ratio", none, typed(0, F::Ratio, u"2"), {"0351 050"}, set(&R::comp_ratio, 0, 50)},
        {"ratio inf", none, typed(0, F::Ratio, u"inf"), {"0351 100"}, set(&R::comp_ratio, 0, 100)},
        {"typed attack above the top", none, typed(0, F::Attack, u"2000"), {"0321 060"},
         set(&R::comp_attack, 0, 60)},
        {"typed threshold below the bottom", none, typed(0, F::Threshold, u"-100"), {"0341 096"},
         set(&R::comp_threshold, 0, 96)},
        {"typed value already stored", none, typed(0, F::Attack, u"1.0"), {}, none},
        {"the stored type", sideIs(0, {1, 100, 30, 10}), peaking, {}, none},
        {"on/off sent even unchanged", none, off, {"0272 000"}, none},
        {"make-up of an unused column", linked(CompLinkStereo), gainStep(1, 2), {"0362 183"},
         gains(183, 183)},
        {"make-up typed in an unused column", linked(CompLinkStereo),
         [](auto& e) { EXPECT_TRUE(e.commitGainText(1, u"1")); }, {"0362 183"}, gains(183, 183)},
        {"make-up typed +30 dB", none, gainTyped(u"30"), {"0361 241"}, gains(241, 181)},
        {"make-up typed above +30 dB", none, gainTyped(u"45"), {"0361 241"}, gains(241, 181)},
        {"make-up typed -Inf", none, gainTyped(u"-inf"), {"0361 000"}, gains(0, 181)},
        {"make-up typed below -90 dB", none, gainTyped(u"-95"), {"0361 000"}, gains(0, 181)},
        {"LINK(IN-2) takes IN-2's gain", gains(150, 200), link(CompLinkIn2), {"037 003"},
         [](R& r) { r.comp_link = CompLinkIn2; r.comp_gain[0] = 200; }},
        // clang-format on
    };
    for (const auto& [name, given, act, sent, after] : cases) {
        SCOPED_TRACE(name);
        setUp();
        given(record());
        R expected = record();
        after(expected);
        act(editor);
        EXPECT_EQ(sink.edits, sent);
        EXPECT_EQ(record(), expected);
        EXPECT_TRUE(prompts.shown().empty());
    }
}

TEST_F(CompressorEditorTest, FadersFollowTheKnobAndPageOnTheTrackWithTheirTimers) {
    // A press on the knob's lower half does not move it; the drag moves it pixel for pixel.
    const int knob = editor.gainKnobTop(0);
    EXPECT_TRUE(editor.press(gainX(0), knob + 9));
    EXPECT_EQ(editor.gain(0), 181);
    editor.move(gainX(0) + 40, knob - 1);
    EXPECT_EQ(editor.gain(0), 191);
    editor.move(gainX(0), -50);
    EXPECT_EQ(editor.gain(0), 241);
    editor.release();

    // Below IN-2's knob: one step at once, the next 200 + 50 ms later, none while outside.
    sink.edits.clear();
    EXPECT_TRUE(editor.press(gainX(1), 200));
    clock.advance(249);
    EXPECT_EQ(editor.gain(1), 180);
    clock.advance(1);
    EXPECT_EQ(editor.gain(1), 179);
    editor.move(gainX(1) + 30, 200);
    clock.advance(500);
    EXPECT_EQ(editor.gain(1), 179);
    editor.move(gainX(1), 200);
    clock.advance(50);
    editor.release();
    clock.advance(500);
    EXPECT_EQ(sink.edits, (Edits{"0362 180", "0362 179", "0362 178"}));
    EXPECT_EQ(editor.gain(0), 241) << "INDIVIDUAL: the other channel keeps its own";
    EXPECT_FALSE(editor.press(CompressorLayout::gainTrackLeft(0) - 1, 100));
}
