#include "editor_test.h"
#include "pages/peq_editor.h"

#include <cstring>

using namespace mqx;
using test::Edits;

namespace {

struct PeqEditorTest : test::EditorTest {
    PeqEditorTest() { setUp(); }
    void setUp() {
        reset();
        record().eq_mode = 1;
        record().peq_link = 0; // the factory program links the PEQs
    }
    EqBand& bandOf(int b, int ch = 0) { return record().peq_band[b][ch]; }

    PeqEditor ch1{session, sink, prompts, clock, 0};
    PeqEditor ch2{session, sink, prompts, clock, 1};
};

} // namespace

// The type rules themselves are the shared equaliser band rules; here, what the page adds:
// all four values sent, the band-off memory cleared, nothing for the same type.
TEST_F(PeqEditorTest, ATypeChangeSendsAllFourValuesAndClearsTheMemory) {
    const struct {
        EqBand before;
        int type;
        EqBand after;
        Edits edits;
    } cases[] = {
        {{1, 121, 30, 10}, 3, {3, 110, 30, 10}, {"021100 003110030010"}}, // Hi-Shelf tops at 10 kHz
        {{2, 100, 40, 3}, 0, {0, 69, 24, 46}, {"021100 000069024046"}},   // Off resets
        {{5, 30, 24, 50}, 5, {5, 30, 24, 50}, {}}, // the same type changes nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        bandOf(0) = c.before;
        ch1.pressBandButton(0);
        session.peqBandOff.type[0][0] = 2;
        sink.edits.clear();
        ch1.selectType(c.type);
        EXPECT_EQ(bandOf(0), c.after);
        EXPECT_EQ(sink.edits, c.edits);
        EXPECT_EQ(session.peqBandOff.type[0][0], c.edits.empty() ? 2 : 0);
        ch1.pressBandButton(0); // deselect
    }
}

TEST_F(PeqEditorTest, TheBandOffMemoryGivesBackTheTypeAndOnWithNothingKeptGivesPeaking) {
    bandOf(3) = {2, 40, 24, 60}; // Bandpass
    ch1.pressBandButton(3);
    ch1.setBandOn(3, false);
    EXPECT_EQ(bandOf(3), (EqBand{0, 40, 24, 60}));
    EXPECT_EQ(session.peqBandOff.type[0][3], 2);
    EXPECT_EQ(ch1.selectedBand(), -1) << "switching the selected band off clears the selection";
    ch1.setBandOn(3, true);
    EXPECT_EQ(bandOf(3), (EqBand{2, 40, 24, 60}));
    EXPECT_EQ(session.peqBandOff.type[0][3], 0);
    // Selecting a band whose type was put aside switches it on first; a second press clears.
    ch1.setBandOn(3, false);
    ch1.pressBandButton(3);
    EXPECT_EQ(bandOf(3).type, 2);
    EXPECT_EQ(ch1.selectedBand(), 3);
    ch1.pressBandButton(3);
    EXPECT_EQ(ch1.selectedBand(), -1);
    EXPECT_FALSE(ch1.enabling().type);
    // ON over an Off band with nothing kept: Peaking at its (flat) values.
    bandOf(4) = {0, 69, 24, 46};
    ch1.setBandOn(4, true);
    EXPECT_EQ(bandOf(4), (EqBand{1, 69, 24, 46}));
    EXPECT_EQ(sink.edits,
              (Edits{"021103 000040024060", "021103 002040024060", "021103 000040024060",
                     "021103 002040024060", "021104 001069024046"}));
}

TEST_F(PeqEditorTest, LinkedBandsSwitchAndChangeTogetherUnderChannelZero) {
    record().peq_link = 1;
    bandOf(2, 0) = bandOf(2, 1) = {1, 50, 30, 20};
    ch2.pressBandButton(2);
    ch2.stepBox(PeqBox::Level, 1);
    EXPECT_EQ(bandOf(2, 0).level, 31);
    ch2.setBandOn(2, false);
    EXPECT_EQ(session.peqBandOff.type[0][2], 1);
    EXPECT_EQ(session.peqBandOff.type[1][2], 1);
    ch1.setBandOn(2, true);
    EXPECT_EQ(bandOf(2, 1), (EqBand{1, 50, 31, 20}));
    EXPECT_EQ(bandOf(2, 0), bandOf(2, 1));
    ch1.setOn(false);
    EXPECT_EQ(record().peq_on[1], 0);
    ch1.stepLevel(-1);
    EXPECT_EQ(record().peq_gain[1], 180);
    EXPECT_EQ(sink.edits, (Edits{"023002 031", "021002 000050031020", "021002 001050031020",
                                 "0260 000", "0250 180"}));
}

// Arrows and typed entries stay within the type's limits, and only a change is sent.
TEST_F(PeqEditorTest, BoxesKeepToTheTypesLimits) {
    using B = PeqBox;
    const struct {
        EqBand band;
        PeqBox box;
        int steps;            // arrow steps, or
        const char16_t* text; // a typed entry
        EqBand after;
        Edits edits;
    } cases[] = {
        {{3, 110, 24, 46}, B::Frequency, 1, nullptr, {3, 110, 24, 46}, {}},
        {{3, 109, 24, 46}, B::Frequency, 10, nullptr, {3, 110, 24, 46}, {"022105 110"}},
        {{4, 12, 24, 46}, B::Frequency, -1, nullptr, {4, 12, 24, 46}, {}},
        {{1, 121, 24, 46}, B::Frequency, 1, nullptr, {1, 121, 24, 46}, {}},
        {{1, 69, 24, 72}, B::Q, 1, nullptr, {1, 69, 24, 72}, {}},
        {{1, 69, 24, 1}, B::Q, -10, nullptr, {1, 69, 24, 0}, {"024105 000"}},
        {{1, 69, 0, 46}, B::Level, -1, nullptr, {1, 69, 0, 46}, {}},
        {{1, 69, 47, 46}, B::Level, 1, nullptr, {1, 69, 48, 46}, {"023105 048"}},
        {{2, 69, 30, 46}, B::Level, 1, nullptr, {2, 69, 30, 46}, {}}, // Bandpass has no level
        {{3, 69, 24, 40}, B::Q, 1, nullptr, {3, 69, 24, 40}, {}},     // shelves have no Q
        {{1, 69, 24, 46}, B::Frequency, 0, u"2k", {1, 81, 24, 46}, {"022105 081"}},
        {{3, 69, 24, 46}, B::Frequency, 0, u"20000", {3, 110, 24, 46}, {"022105 110"}},
        {{4, 69, 24, 46}, B::Frequency, 0, u"20", {4, 12, 24, 46}, {"022105 012"}},
        {{1, 69, 24, 46}, B::Level, 0, u"1.2", {1, 69, 26, 46}, {"023105 026"}},
        {{1, 69, 24, 46}, B::Q, 0, u"100", {1, 69, 24, 72}, {"024105 072"}},
    };
    ch1.pressBandButton(5);
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        bandOf(5) = c.band;
        sink.edits.clear();
        if (c.text)
            EXPECT_TRUE(ch1.commitBoxText(c.box, QStringView(c.text)));
        else
            ch1.stepBox(c.box, c.steps);
        EXPECT_EQ(bandOf(5), c.after);
        EXPECT_EQ(sink.edits, c.edits);
    }
    EXPECT_TRUE(ch1.commitLevelText(u"-inf"));
    EXPECT_EQ(record().peq_gain[0], 0);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PeqEditorTest, RefusedActionsSayWhyAndChangeNothing) {
    // In GEQ mode every action; the last, in PEQ mode, a word typed for a number.
    const std::function<void(PeqEditor&)> actions[] = {
        [](auto& e) { e.pressBandButton(1); },
        [](auto& e) { e.setBandOn(0, false); },
        [](auto& e) { e.selectType(3); },
        [](auto& e) { e.stepBox(PeqBox::Level, 1); },
        [](auto& e) { EXPECT_FALSE(e.commitBoxText(PeqBox::Level, u"3")); },
        [](auto& e) { e.setOn(false); },
        [](auto& e) { e.stepLevel(1); },
        [](auto& e) {
            e.pressLevel(PeqLayout::kLevelTrackLeft + 5, PeqLayout::kLevelTrackTop + 5);
        },
        [](auto& e) { EXPECT_FALSE(e.commitBoxText(PeqBox::Level, u"loud")); },
    };
    for (const auto& act : actions) {
        SCOPED_TRACE(&act - actions);
        const bool word = &act == std::end(actions) - 1;
        setUp();
        ch1.pressBandButton(0);
        bandOf(0) = {1, 69, 30, 46};
        record().eq_mode = word ? 1 : 0;
        const ProgramRecord before = record();
        sink.edits.clear();
        act(ch1);
        expectOneMessage(word ? "MQX-T410 Controller" : "EQ Mode Warning",
                         word ? "Please enter a number." : "Now GEQ mode.");
        EXPECT_TRUE(sink.edits.empty());
        EXPECT_EQ(std::memcmp(&before, &record(), sizeof before), 0);
    }
    // In GEQ mode the graph ignores the pointer without a word.
    record().eq_mode = 0;
    prompts.clear();
    const BandHandles h = ch1.handles();
    EXPECT_FALSE(ch1.pressGraph(h.x, h.y));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PeqEditorTest, HandleDragsStopAtTheTypesLimits) {
    const GraphScale s = PeqGraphScale();
    const struct {
        EqBand band;
        int handle; // 0 centre, -1 left Q, 1 right Q
        int dx;
        int dy;
        EqBand after;
    } cases[] = {
        {{3, 100, 30, 46}, 0, 200, 0, {3, 110, 30, 46}}, // Hi-Shelf right of 10 kHz
        {{4, 20, 30, 46}, 0, -300, 0, {4, 12, 30, 46}},  // Lo-Shelf left of its floor
        {{1, 60, 24, 46}, 0, 1000, -1000, {1, 121, 48, 46}},
        {{1, 60, 24, 46}, 0, -1000, 1000, {1, 1, 0, 46}},
        {{1, 60, 24, 46}, 0, 3, 2, {1, 61, 23, 46}},
        {{2, 60, 30, 46}, 0, 0, -40, {2, 60, 30, 46}}, // Bandpass: no level
        {{1, 60, 24, 46}, -1, 62, 0, {1, 60, 24, 72}}, // onto the centre: narrowest
        {{1, 60, 24, 72}, 1, 144, 0, {1, 60, 24, 0}},  // 154 px out: widest
        {{5, 60, 24, 30}, 1, -94, 0, {5, 60, 24, 72}}, // back onto the centre
        {{5, 60, 24, 30}, 1, -500, 0, {5, 60, 24, 0}}, // far past it: widest
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        bandOf(6) = c.band;
        ch1.pressBandButton(6);
        const BandHandles h = ch1.handles();
        const int x = c.handle == 0 ? h.x : c.handle < 0 ? h.leftX : h.rightX;
        ASSERT_TRUE(ch1.pressGraph(x + 2, h.y - 2));
        ch1.moveGraph(x + 2 + c.dx, h.y - 2 + c.dy);
        ch1.releaseGraph();
        EXPECT_EQ(bandOf(6), c.after);
        ch1.pressBandButton(6);
    }
    // The first band drags like any other.
    bandOf(0) = {1, 60, 24, 46};
    ch1.pressBandButton(0);
    const BandHandles first = ch1.handles();
    ASSERT_TRUE(ch1.pressGraph(first.x + 2, first.y - 2));
    ch1.moveGraph(first.x + 5, first.y - 2);
    ch1.releaseGraph();
    EXPECT_EQ(bandOf(0), (EqBand{1, 61, 24, 46}));
    // Only the selected band's handles are taken, within their reach.
    bandOf(6) = {1, 60, 24, 46};
    ch1.pressBandButton(6);
    const BandHandles h = ch1.handles();
    EXPECT_EQ(h.x, s.originX + 3 * 60 + 6);
    EXPECT_FALSE(ch1.pressGraph(h.x + kCentreHandleReach + 1, h.y));
    EXPECT_TRUE(ch1.pressGraph(h.leftX - kQHandleReach, h.y + kQHandleReach));
    ch1.releaseGraph();
    ch1.pressBandButton(6);
    EXPECT_FALSE(ch1.pressGraph(h.x, h.y));
}
