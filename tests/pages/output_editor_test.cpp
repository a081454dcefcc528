#include "editor_test.h"
#include "pages/output_editor.h"
#include "pages/output_filter_editor.h"

#include <optional>
#include <tuple>

using namespace mqx;
using test::Edits;

namespace {

struct OutputEditorTest : test::EditorTest {
    OutputEditorTest() {
        // B, C and D form one group; A and the rest stand alone.
        for (int c : {1, 2, 3})
            out(c).link_mask = OutputBit(1) | OutputBit(2) | OutputBit(3);
    }
    OutputChannel& out(int c) { return record().out[static_cast<std::size_t>(c)]; }

    OutputEditor a{session, sink, prompts, clock, 0};
    OutputEditor b{session, sink, prompts, clock, 1};
    OutputFilterEditor filtersA{session, sink, prompts, 0};
    OutputFilterEditor filtersB{session, sink, prompts, 1};
};

} // namespace

// One edit of output B, whose group is B, C and D: the value B and C-D hold afterwards (from
// `before` in all three), and the one edit the unit hears (always for B alone).
TEST_F(OutputEditorTest, EditsReachTheGroupButTheUnitHearsOfTheEditedChannelOnly) {
    using O = OutputChannel;
    const auto dragBelowTheTrack = [&] {
        const int knobCentre = b.levelKnobTop() + 8;
        ASSERT_TRUE(b.pressLevel(OutputLayout::kLevelTrackLeft + 10, knobCentre));
        b.moveLevel(OutputLayout::kLevelTrackLeft + 10, knobCentre + 400);
        b.releaseLevel();
    };
    using Act = std::function<void()>;
    const std::tuple<const char*, std::uint8_t O::*, int, Act, int, int, Edits> cases[] = {
        // clang-format off
        {"phase unchanged: sent", &O::phase, 1, [&] { b.setPhase(true); }, 1, 1, {"0521 001"}},
        {"its own source", &O::source, 0, [&] { b.selectSourceItem(1); }, 2, 0, {"0401 002"}},
        {"the stored source again", &O::source, 1, [&] { b.selectSourceItem(0); }, 1, 1, {}},
        {"limiter up: Off", &O::limiter, 1, [&] { b.stepLimiter(1); }, 0, 0, {"0501 000"}},
        {"limiter up at Off stays", &O::limiter, 0, [&] { b.stepLimiter(1); }, 0, 0, {}},
        {"limiter down at -20.0 stays", &O::limiter, 53, [&] { b.stepLimiter(-3); }, 53, 53, {}},
        {"limiter off", &O::limiter, 20, [&] { b.commitLimiterText(u"off"); }, 0, 0, {"0501 000"}},
        {"dBFS", &O::limiter, 0, [&] { b.commitLimiterText(u"-10"); }, 33, 33, {"0501 033"}},
        {"level typed", &O::level, 181, [&] { b.commitLevelText(u"-10"); }, 161, 161, {"0491 161"}},
        {"level typed as stored", &O::level, 181, [&] { b.commitLevelText(u"0"); }, 181, 181, {}},
        {"fader below its track", &O::level, 181, dragBelowTheTrack, 0, 0, {"0491 000"}},
        // clang-format on
    };
    for (const auto& [name, field, before, act, mine, linked, edits] : cases) {
        SCOPED_TRACE(name);
        for (int ch : {1, 2, 3, 4})
            out(ch).*field = static_cast<std::uint8_t>(before);
        sink.edits.clear();
        act();
        EXPECT_EQ(std::tuple(out(1).*field, out(2).*field, out(3).*field),
                  std::tuple(mine, linked, linked));
        EXPECT_EQ(sink.edits, edits);
        EXPECT_TRUE(prompts.shown().empty());
    }
    EXPECT_EQ(b.levelKnobTop(), OutputLayout::kLevelTrackTop + 221) << "-Inf parks below";
    // Refused texts change nothing and say why.
    EXPECT_FALSE(a.commitLimiterText(u"loud"));
    EXPECT_FALSE(a.commitLevelText(u"x"));
    EXPECT_EQ(std::tuple(out(0).limiter, out(0).level), std::tuple(0, 181));
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].text, QStringLiteral("Please enter a number."));
}

// Which boxes the filter section offers for each element and EQ type (-1: left as it is).
TEST_F(OutputEditorTest, TheEnablingFollowsTheElementAndItsType) {
    const std::tuple<int, int, FilterEnabling> cases[] = {
        {-1, -1, {}},
        {ElementHpf, -1, {true, true, false, false}},
        {ElementLpf, -1, {true, true, false, false}},
        {ElementEq1, 0, {true, false, false, false}},
        {ElementEq1, 1, {true, true, true, true}},
        {ElementEq2, 2, {true, true, true, false}},
        {ElementEq2, 5, {true, true, true, false}},
        {ElementEq3, 3, {true, true, false, true}},
        {ElementEq3, 4, {true, true, false, true}},
    };
    const auto shown = [&](FilterBox box) { return !filtersA.boxText(box).isEmpty(); };
    for (const auto& [element, type, enabling] : cases) {
        if (element >= ElementEq1)
            out(0).eq[std::size_t(element - ElementEq1)].type = static_cast<std::uint8_t>(type);
        if (filtersA.selected() != element)
            filtersA.pressBandButton(element);
        SCOPED_TRACE(testing::Message() << element << " " << type);
        EXPECT_EQ(filtersA.enabling(), enabling);
        EXPECT_EQ(
            std::tuple(shown(FilterBox::Frequency), shown(FilterBox::Q), shown(FilterBox::Level)),
            std::tuple(enabling.frequency, enabling.q, enabling.level));
        // A disabled box takes no text at all.
        EXPECT_EQ(filtersA.commitBoxText(FilterBox::Q, u"1.0"), enabling.q);
    }
    filtersA.pressBandButton(kOutputElements); // no such element: the selection stays
    EXPECT_EQ(filtersA.selected(), ElementEq3);
}

// The filter section's edge cases, on output B of the B-C-D group.
TEST_F(OutputEditorTest, FilterEditsSendTheirCodesAndKeepTheGroupAlike) {
    using Byte = std::function<std::uint8_t&(OutputChannel&)>;
    const Byte hpf = [](auto& o) -> std::uint8_t& { return o.hpf_freq; };
    const Byte lpf = [](auto& o) -> std::uint8_t& { return o.lpf_freq; };
    const Byte lpfType = [](auto& o) -> std::uint8_t& { return o.lpf_type; };
    const auto eq = [](int i, std::uint8_t EqBand::*f) -> Byte {
        return [i, f](OutputChannel& o) -> std::uint8_t& { return o.eq[std::size_t(i)].*f; };
    };
    using F = FilterBox;
    const auto spin = [&](FilterBox box, int steps) {
        return [&, box, steps] { filtersB.stepBox(box, steps); };
    };
    const auto typed = [&](FilterBox box, const char16_t* text) {
        return [&, box, text] { filtersB.commitBoxText(box, text); };
    };
    const auto type = [&](int t) { return [&, t] { filtersB.selectType(t); }; };
    // Name, element, its EQ band before in all three outputs, the byte, before, act, after, sent.
    using Act = std::function<void()>;
    using Band = std::optional<EqBand>;
    const std::tuple<const char*, int, Band, Byte, int, Act, int, Edits> cases[] = {
        // clang-format off
        {"HPF 1 down: off", ElementHpf, {}, hpf, 1, spin(F::Frequency, -1), 0, {"0421 000"}},
        {"HPF spun below 0 stays", ElementHpf, {}, hpf, 0, spin(F::Frequency, -1), 0, {}},
        {"LPF typed off", ElementLpf, {}, lpf, 100, typed(F::Frequency, u"off"), 122, {"0441 122"}},
        {"LPF type", ElementLpf, {}, lpfType, 0, type(11), 11, {"0431 011"}},
        {"Hi-Shelf pulls 121 to 110", ElementEq2, EqBand{1, 121, 30, 10}, eq(1, &EqBand::freq), 121,
         type(3), 110, {"045101 003110030010"}},
        {"a shelf spins up to 110", ElementEq2, EqBand{3, 109, 30, 10}, eq(1, &EqBand::freq), 109,
         spin(F::Frequency, 5), 110, {"046101 110"}},
        {"level spun past +12 dB stops there", ElementEq1, EqBand{1, 69, 46, 46},
         eq(0, &EqBand::level), 46, spin(F::Level, 5), 48, {"047100 048"}},
        {"Q typed sends the whole band", ElementEq1, EqBand{1, 69, 24, 46}, eq(0, &EqBand::q), 46,
         typed(F::Q, u"0.307"), 0, {"045100 001069024000"}},
        // clang-format on
    };
    for (const auto& [name, element, band, byte, before, act, after, edits] : cases) {
        for (int ch : {1, 2, 3}) {
            if (band)
                out(ch).eq[static_cast<std::size_t>(element - ElementEq1)] = *band;
            byte(out(ch)) = static_cast<std::uint8_t>(before);
        }
        session.savedBandSettings.clear();
        if (filtersB.selected() != element)
            filtersB.pressBandButton(element);
        sink.edits.clear();
        act();
        EXPECT_EQ(std::tuple(byte(out(1)), byte(out(2)), byte(out(3))),
                  std::tuple(after, after, after))
            << name;
        EXPECT_EQ(sink.edits, edits) << name;
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(OutputEditorTest, OnOffPutsTheSettingAsideForTheWholeGroupAndSelectingBringsItBack) {
    for (int ch : {1, 2, 3})
        out(ch).eq[1] = {2, 50, 24, 30};
    filtersB.setOn(ElementEq2, false);
    for (std::size_t ch : {1, 2, 3})
        EXPECT_EQ(
            std::tuple(out(int(ch)).eq[1].type, session.savedBandSettings.channel[ch].eq_type[1]),
            std::tuple(0, 2))
            << ch;
    EXPECT_TRUE(filtersB.showsOn(ElementEq2)) << "the button still reads on: it can restore";
    filtersB.setOn(ElementEq2, false); // already off: nothing to put aside again
    filtersB.pressBandButton(ElementEq2);
    for (std::size_t ch : {1, 2, 3}) {
        EXPECT_EQ(out(int(ch)).eq[1], (EqBand{2, 50, 24, 30})) << ch;
        EXPECT_FALSE(session.savedBandSettings.channel[ch].holdsAnything());
    }
    EXPECT_EQ(sink.edits, (Edits{"045101 000050024030", "045101 002050024030"}));

    // The LPF: off keeps its frequency, ON with nothing kept does nothing.
    sink.edits.clear();
    out(0).lpf_freq = 90;
    filtersA.setOn(ElementLpf, false);
    EXPECT_EQ(std::tuple(out(0).lpf_freq, session.savedBandSettings.channel[0].lpf_freq),
              std::tuple(122, 90));
    filtersA.setOn(ElementLpf, true);
    filtersA.setOn(ElementLpf, true);
    EXPECT_FALSE(filtersA.showsOn(ElementHpf));
    filtersA.setOn(ElementHpf, true);
    EXPECT_EQ(std::tuple(out(0).lpf_freq, out(0).hpf_freq), std::tuple(90, 0));
    EXPECT_EQ(sink.edits, (Edits{"0440 122", "0440 090"}));
}

TEST_F(OutputEditorTest, GraphDragsMoveWhatTheArrowsMoveWithinTheTypesRange) {
    const GraphScale& s = filtersB.graphScale();
    // A Hi-Shelf dragged far right stops at 110; its level follows the pointer, as a Lo-Shelf's
    // does, but a Bandpass has no level to follow.
    BandHandles h;
    filtersB.pressBandButton(ElementEq1);
    for (const EqBand& after : {EqBand{3, 110, 34, 46}, {4, 121, 34, 46}, {2, 121, 24, 46}}) {
        for (int ch : {1, 2, 3})
            out(ch).eq[0] = {after.type, 69, 24, 46};
        h = filtersB.handles(0.0);
        ASSERT_TRUE(filtersB.pressGraph(h.x, h.y, 0.0));
        filtersB.moveGraph(s.originX + 380, h.y - 10);
        filtersB.releaseGraph();
        EXPECT_EQ(out(3).eq[0], after);
    }

    // A crossover's handle moves its frequency only, and never to off; it drops what the
    // OFF button kept.
    sink.edits.clear();
    out(1).hpf_freq = 40;
    session.savedBandSettings.channel[1].hpf_freq = 0;
    filtersB.pressBandButton(ElementHpf);
    h = filtersB.handles(-3.0);
    EXPECT_FALSE(h.q);
    EXPECT_EQ(h.y, s.zeroY + 6);
    ASSERT_TRUE(filtersB.pressGraph(h.x + 2, h.y - 2, -3.0));
    filtersB.moveGraph(s.originX - 50, h.y + 60);
    filtersB.releaseGraph();
    EXPECT_EQ(out(2).hpf_freq, 1);
    EXPECT_EQ(sink.edits, (Edits{"0421 001"}));

    // An element that is off has no handles to take.
    out(1).hpf_freq = 0;
    EXPECT_FALSE(filtersB.handles(0.0).centre);
    EXPECT_FALSE(filtersB.pressGraph(s.originX, s.zeroY, 0.0));
}
