#include "core/session.h"
#include "pages/peq_editor.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace mqx;
using Edits = std::vector<std::string>;

namespace {

struct PeqEditorTest : ::testing::Test {
    void SetUp() override {
        ApplyDefaults(session);
        record().eq_mode = 1;
        record().peq_link = 0; // the factory program links the PEQs
        session.ConnectedUnitId = 1;
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    EqBand& bandOf(int b, int ch) { return record().peq_band[b][ch]; }

    Session session;
    test::RecordingEditSink sink;
    test::ScriptedPrompts prompts;
    test::VirtualClock clock;
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
        bandOf(0, 0) = c.before;
        session.peqBandOff.type[0][0] = 2;
        sink.edits.clear();
        ch1.pressBandButton(0);
        sink.edits.clear(); // selecting switched a remembered band back on
        bandOf(0, 0) = c.before;
        ch1.selectType(c.type);
        EXPECT_EQ(bandOf(0, 0), c.after) << c.type;
        EXPECT_EQ(sink.edits, c.edits) << c.type;
        if (!c.edits.empty()) {
            EXPECT_EQ(session.peqBandOff.type[0][0], 0) << "the memory is cleared";
        }
        ch1.pressBandButton(0); // deselect
    }
}

TEST_F(PeqEditorTest, TheBandOffMemoryGivesBackTheTypeAndOnWithNothingKeptGivesPeaking) {
    bandOf(3, 0) = {2, 40, 24, 60}; // Bandpass
    ch1.pressBandButton(3);
    ch1.setBandOn(3, false);
    EXPECT_EQ(bandOf(3, 0), (EqBand{0, 40, 24, 60}));
    EXPECT_EQ(session.peqBandOff.type[0][3], 2);
    EXPECT_EQ(ch1.selectedBand(), -1) << "switching the selected band off clears the selection";
    ch1.setBandOn(3, true);
    EXPECT_EQ(bandOf(3, 0), (EqBand{2, 40, 24, 60}));
    EXPECT_EQ(session.peqBandOff.type[0][3], 0);

    // Selecting a band whose type was put aside switches it on first.
    ch1.setBandOn(3, false);
    ch1.pressBandButton(3);
    EXPECT_EQ(bandOf(3, 0).type, 2);
    EXPECT_EQ(ch1.selectedBand(), 3);
    // A second press on the selected band clears the selection.
    ch1.pressBandButton(3);
    EXPECT_EQ(ch1.selectedBand(), -1);
    EXPECT_FALSE(ch1.enabling().type);

    // ON over an Off band with nothing kept: Peaking at its (flat) values.
    bandOf(4, 0) = {0, 69, 24, 46};
    ch1.setBandOn(4, true);
    EXPECT_EQ(bandOf(4, 0), (EqBand{1, 69, 24, 46}));
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
    EXPECT_EQ(bandOf(2, 1).level, 31);
    ch2.setBandOn(2, false);
    EXPECT_EQ(session.peqBandOff.type[0][2], 1);
    EXPECT_EQ(session.peqBandOff.type[1][2], 1);
    ch1.setBandOn(2, true);
    EXPECT_EQ(bandOf(2, 0), bandOf(2, 1));
    EXPECT_EQ(bandOf(2, 1).type, 1);
    ch1.setOn(false);
    EXPECT_EQ(record().peq_on[1], 0);
    ch1.stepLevel(-1);
    EXPECT_EQ(record().peq_gain[1], 180);
    EXPECT_EQ(sink.edits, (Edits{"023002 031", "021002 000050031020", "021002 001050031020",
                                 "0260 000", "0250 180"}));
}

TEST_F(PeqEditorTest, ArrowsClampToTheTypesLimitsAndSendOnlyChanges) {
    const struct {
        EqBand band;
        PeqBox box;
        int steps;
        int expected;
        Edits edits;
    } cases[] = {
        {{3, 110, 24, 46}, PeqBox::Frequency, 1, 110, {}},
        {{3, 109, 24, 46}, PeqBox::Frequency, 10, 110, {"022105 110"}},
        {{4, 12, 24, 46}, PeqBox::Frequency, -1, 12, {}},
        {{1, 121, 24, 46}, PeqBox::Frequency, 1, 121, {}},
        {{1, 69, 24, 72}, PeqBox::Q, 1, 72, {}},
        {{1, 69, 24, 1}, PeqBox::Q, -10, 0, {"024105 000"}},
        {{1, 69, 0, 46}, PeqBox::Level, -1, 0, {}},
        {{1, 69, 47, 46}, PeqBox::Level, 1, 48, {"023105 048"}},
        {{2, 69, 30, 46}, PeqBox::Level, 1, 30, {}}, // Bandpass has no level
        {{3, 69, 24, 40}, PeqBox::Q, 1, 40, {}},     // shelves have no Q
    };
    ch1.pressBandButton(5);
    for (const auto& c : cases) {
        bandOf(5, 0) = c.band;
        sink.edits.clear();
        ch1.stepBox(c.box, c.steps);
        EqBand b = bandOf(5, 0);
        const int got = c.box == PeqBox::Frequency ? b.freq : c.box == PeqBox::Q ? b.q : b.level;
        EXPECT_EQ(got, c.expected) << int(c.box) << " " << c.steps;
        EXPECT_EQ(sink.edits, c.edits) << int(c.box) << " " << c.steps;
    }
}

TEST_F(PeqEditorTest, TypedEntriesTakeTheNearestStepWithinTheTypesLimits) {
    const struct {
        EqBand band;
        PeqBox box;
        const char16_t* text;
        bool taken;
        int expected;
    } cases[] = {
        {{1, 69, 24, 46}, PeqBox::Frequency, u"2k", true, 81},
        {{3, 69, 24, 46}, PeqBox::Frequency, u"20000", true, 110},
        {{4, 69, 24, 46}, PeqBox::Frequency, u"20", true, 12},
        {{1, 69, 24, 46}, PeqBox::Level, u"1.2", true, 26},
        {{1, 69, 24, 46}, PeqBox::Q, u"100", true, 72},
        {{1, 69, 24, 46}, PeqBox::Level, u"loud", false, 24},
    };
    ch1.pressBandButton(1);
    for (const auto& c : cases) {
        bandOf(1, 0) = c.band;
        prompts.clear();
        EXPECT_EQ(ch1.commitBoxText(c.box, QStringView(c.text)), c.taken);
        EqBand b = bandOf(1, 0);
        const int got = c.box == PeqBox::Frequency ? b.freq : c.box == PeqBox::Q ? b.q : b.level;
        EXPECT_EQ(got, c.expected) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(prompts.shown().size(), c.taken ? 0u : 1u);
    }
    EXPECT_TRUE(ch1.commitLevelText(u"-inf"));
    EXPECT_EQ(record().peq_gain[0], 0);
}

TEST_F(PeqEditorTest, InGeqModeEveryActionIsRefusedWithTheModeWarning) {
    ch1.pressBandButton(0);
    bandOf(0, 0) = {1, 69, 30, 46};
    record().eq_mode = 0;
    const ProgramRecord before = record();
    const std::function<void()> actions[] = {
        [&] { ch1.pressBandButton(1); },
        [&] { ch1.setBandOn(0, false); },
        [&] { ch1.selectType(3); },
        [&] { ch1.stepBox(PeqBox::Level, 1); },
        [&] { ch1.commitBoxText(PeqBox::Level, u"3"); },
        [&] { ch1.setOn(false); },
        [&] { ch1.stepLevel(1); },
        [&] { ch1.pressLevel(PeqLayout::kLevelTrackLeft + 5, PeqLayout::kLevelTrackTop + 5); },
    };
    for (const auto& act : actions) {
        prompts.clear();
        act();
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].title, QStringLiteral("EQ Mode Warning"));
        EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Now GEQ mode."));
    }
    // The graph ignores the pointer without a word.
    prompts.clear();
    const BandHandles h = ch1.handles();
    EXPECT_FALSE(ch1.pressGraph(h.x, h.y));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(sink.edits.empty());
    EXPECT_EQ(std::memcmp(&before, &record(), sizeof before), 0);
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
        bandOf(6, 0) = c.band;
        ch1.pressBandButton(6);
        const BandHandles h = ch1.handles();
        const int x = c.handle == 0 ? h.x : c.handle < 0 ? h.leftX : h.rightX;
        ASSERT_TRUE(ch1.pressGraph(x + 2, h.y - 2)) << c.band.freq;
        ch1.moveGraph(x + 2 + c.dx, h.y - 2 + c.dy);
        ch1.releaseGraph();
        EXPECT_EQ(bandOf(6, 0), c.after) << int(c.band.type) << " " << c.dx << " " << c.dy;
        ch1.pressBandButton(6);
    }
    // Only the selected band's handles are taken, within their reach.
    bandOf(6, 0) = {1, 60, 24, 46};
    ch1.pressBandButton(6);
    const BandHandles h = ch1.handles();
    EXPECT_EQ(h.x, s.originX + 3 * 60 + 6);
    EXPECT_FALSE(ch1.pressGraph(h.x + kCentreHandleReach + 1, h.y));
    EXPECT_TRUE(ch1.pressGraph(h.leftX - kQHandleReach, h.y + kQHandleReach));
    ch1.releaseGraph();
    ch1.pressBandButton(6);
    EXPECT_FALSE(ch1.pressGraph(h.x, h.y));
}
