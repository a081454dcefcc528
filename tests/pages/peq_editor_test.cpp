#include "editor_test.h"
#include "pages/peq_editor.h"

using namespace mqx;
using test::Edits;

namespace {

struct PeqEditorTest : test::EditorTest {
    PeqEditorTest() {
        record().eq_mode = 1;
        record().peq_link = 0; // the factory program links the PEQs
    }
    EqBand& bandOf(int b, int ch = 0) { return record().peq_band[b][ch]; }

    PeqEditor ch1{session, sink, prompts, clock, 0};
    PeqEditor ch2{session, sink, prompts, clock, 1};
};

} // namespace

// Arrows, typed entries and types of band 5 keep to the type's limits and send only a change;
// a new type sends the whole band and drops the band-off memory.
TEST_F(PeqEditorTest, BandEditsKeepToTheTypesLimits) {
    using B = PeqBox;
    using Act = std::function<void(PeqEditor&)>;
    const auto step = [](B box, int n) -> Act { return [=](auto& e) { e.stepBox(box, n); }; };
    const auto typed = [](B box, const char16_t* text) -> Act {
        return [=](auto& e) { EXPECT_TRUE(e.commitBoxText(box, text)); };
    };
    const auto type = [](int t) -> Act { return [=](auto& e) { e.selectType(t); }; };
    const std::tuple<EqBand, Act, EqBand, Edits> cases[] = {
        // clang-format off
        {{3, 110, 24, 46}, step(B::Frequency, 1), {3, 110, 24, 46}, {}},
        {{3, 109, 24, 46}, step(B::Frequency, 10), {3, 110, 24, 46}, {"022105 110"}},
        {{4, 12, 24, 46}, step(B::Frequency, -1), {4, 12, 24, 46}, {}},
        {{1, 121, 24, 46}, step(B::Frequency, 1), {1, 121, 24, 46}, {}},
        {{1, 69, 24, 72}, step(B::Q, 1), {1, 69, 24, 72}, {}},
        {{1, 69, 24, 1}, step(B::Q, -10), {1, 69, 24, 0}, {"024105 000"}},
        {{1, 69, 0, 46}, step(B::Level, -1), {1, 69, 0, 46}, {}},
        {{1, 69, 47, 46}, step(B::Level, 1), {1, 69, 48, 46}, {"023105 048"}},
        {{2, 69, 30, 46}, step(B::Level, 1), {2, 69, 30, 46}, {}}, // Bandpass has no level
        {{3, 69, 24, 40}, step(B::Q, 1), {3, 69, 24, 40}, {}},     // shelves have no Q
        {{1, 69, 24, 46}, typed(B::Frequency, u"2k"), {1, 81, 24, 46}, {"022105 081"}},
        {{3, 69, 24, 46}, typed(B::Frequency, u"20000"), {3, 110, 24, 46}, {"022105 110"}},
        {{4, 69, 24, 46}, typed(B::Frequency, u"20"), {4, 12, 24, 46}, {"022105 012"}},
        {{1, 69, 24, 46}, typed(B::Level, u"1.2"), {1, 69, 26, 46}, {"023105 026"}},
        {{1, 69, 24, 46}, typed(B::Q, u"100"), {1, 69, 24, 72}, {"024105 072"}},
        {{1, 121, 30, 10}, type(3), {3, 110, 30, 10}, {"021105 003110030010"}},
        {{5, 30, 24, 50}, type(5), {5, 30, 24, 50}, {}},
        // clang-format on
    };
    ch1.pressBandButton(5);
    for (const auto& [band, act, after, edits] : cases) {
        SCOPED_TRACE(testing::Message()
                     << band.type << " " << int(band.freq) << " " << int(band.q));
        bandOf(5) = band;
        session.peqBandOff.type[0][5] = 2;
        sink.edits.clear();
        act(ch1);
        EXPECT_EQ(bandOf(5), after);
        EXPECT_EQ(sink.edits, edits);
        const bool wholeBand = !edits.empty() && edits[0].starts_with("021");
        EXPECT_EQ(session.peqBandOff.type[0][5], wholeBand ? 0 : 2);
    }
    EXPECT_TRUE(ch1.commitLevelText(u"-inf"));
    EXPECT_EQ(record().peq_gain[0], 0);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PeqEditorTest, TheBandOffMemoryGivesBackTheTypeAndOnWithNothingKeptGivesPeaking) {
    bandOf(3) = {2, 40, 24, 60}; // Bandpass
    ch1.pressBandButton(3);
    ch1.setBandOn(3, false);
    EXPECT_EQ(session.peqBandOff.type[0][3], 2);
    EXPECT_EQ(ch1.selectedBand(), -1) << "switching the selected band off clears the selection";
    ch1.setBandOn(3, true);
    EXPECT_EQ(session.peqBandOff.type[0][3], 0);
    // Selecting a band whose type was put aside switches it on first; a second press clears.
    ch1.setBandOn(3, false);
    ch1.pressBandButton(3);
    EXPECT_EQ(ch1.selectedBand(), 3);
    ch1.pressBandButton(3);
    EXPECT_EQ(ch1.selectedBand(), -1);
    EXPECT_FALSE(ch1.enabling().type);
    bandOf(4) = {0, 69, 24, 46};
    ch1.setBandOn(4, true);
    EXPECT_EQ(std::tuple(bandOf(3), bandOf(4)),
              std::tuple(EqBand{2, 40, 24, 60}, EqBand{1, 69, 24, 46}));
    EXPECT_EQ(sink.edits,
              (Edits{"021103 000040024060", "021103 002040024060", "021103 000040024060",
                     "021103 002040024060", "021104 001069024046"}));
}

// Linked, switching a band off and on moves both channels and both memories as one.
TEST_F(PeqEditorTest, LinkedBandsSwitchTogether) {
    record().peq_link = 1;
    std::tie(bandOf(2, 0), bandOf(2, 1)) = std::tuple(EqBand{3, 50, 31, 20}, EqBand{1, 6, 0, 0});
    ch2.setBandOn(2, false);
    ch1.setBandOn(2, true);
    EXPECT_EQ(std::tuple(bandOf(2, 0), bandOf(2, 1)),
              std::tuple(EqBand{3, 6, 0, 0}, EqBand{3, 6, 0, 0}));
}

TEST_F(PeqEditorTest, HandleDragsStopAtTheTypesLimits) {
    const GraphScale s = PeqGraphScale();
    // The band, its values, the handle (0 centre, -1 left Q, 1 right Q), the drag, the result.
    const std::tuple<int, EqBand, int, int, int, EqBand> cases[] = {
        {6, {3, 100, 30, 46}, 0, 200, 0, {3, 110, 30, 46}}, // Hi-Shelf right of 10 kHz
        {6, {4, 20, 30, 46}, 0, -300, 0, {4, 12, 30, 46}},  // Lo-Shelf left of its floor
        {6, {1, 60, 24, 46}, 0, 1000, -1000, {1, 121, 48, 46}},
        {6, {1, 60, 24, 46}, 0, -1000, 1000, {1, 1, 0, 46}},
        {6, {1, 60, 24, 46}, 0, 3, 2, {1, 61, 23, 46}},
        {0, {1, 60, 24, 46}, 0, 3, 0, {1, 61, 24, 46}},
        {6, {2, 60, 30, 46}, 0, 0, -40, {2, 60, 30, 46}}, // Bandpass: no level
        {6, {1, 60, 24, 46}, -1, 62, 0, {1, 60, 24, 72}}, // onto the centre: narrowest
        {6, {1, 60, 24, 72}, 1, 144, 0, {1, 60, 24, 0}},  // 154 px out: widest
        {6, {5, 60, 24, 30}, 1, -94, 0, {5, 60, 24, 72}}, // back onto the centre
        {6, {5, 60, 24, 30}, 1, -500, 0, {5, 60, 24, 0}}, // far past it: widest
    };
    for (const auto& [b, band, handle, dx, dy, after] : cases) {
        SCOPED_TRACE(testing::Message() << b << " " << band.type << " " << dx << "," << dy);
        bandOf(b) = band;
        ch1.pressBandButton(b);
        const BandHandles h = ch1.handles();
        const int x = handle == 0 ? h.x : handle < 0 ? h.leftX : h.rightX;
        ASSERT_TRUE(ch1.pressGraph(x + 2, h.y - 2));
        ch1.moveGraph(x + 2 + dx, h.y - 2 + dy);
        ch1.releaseGraph();
        EXPECT_EQ(bandOf(b), after);
        ch1.pressBandButton(b);
    }
    // Only the selected band's handles are taken, within their reach.
    bandOf(6) = {1, 60, 24, 46};
    ch1.pressBandButton(6);
    const BandHandles h = ch1.handles();
    EXPECT_EQ(h.x, s.originX + 3 * 60 + 6);
    bandOf(6).level = 36; // a +6 dB peak: its centre handle sits on its curve
    EXPECT_NEAR(ch1.handles().y, s.zeroY - 6 * s.pxPerDb, 1);
    bandOf(6).level = 24;
    EXPECT_FALSE(ch1.pressGraph(h.x + kCentreHandleReach + 1, h.y));
    EXPECT_TRUE(ch1.pressGraph(h.leftX - kQHandleReach, h.y + kQHandleReach));
    ch1.releaseGraph();
    ch1.pressBandButton(6);
    EXPECT_FALSE(ch1.pressGraph(h.x, h.y));
    // In GEQ mode the graph ignores the pointer without a word.
    ch1.pressBandButton(6);
    record().eq_mode = 0;
    EXPECT_FALSE(ch1.pressGraph(h.x, h.y));
    EXPECT_TRUE(prompts.shown().empty());
}

// An editor made for a channel past the last works on the last: no write past the record.
TEST_F(PeqEditorTest, AChannelPastTheLastIsTheLast) {
    record().peq_on = {1, 1};
    PeqEditor{session, sink, prompts, clock, kInputCount}.setOn(false);
    EXPECT_EQ(record().peq_on, (std::array<std::uint8_t, kInputCount>{1, 0}));
}
