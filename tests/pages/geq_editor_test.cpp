#include "core/session.h"
#include "pages/geq_editor.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mqx;
using Edits = std::vector<std::string>;

namespace {

struct GeqEditorTest : ::testing::Test {
    void SetUp() override {
        ApplyDefaults(session);
        record().geq_link = 0; // the factory program links the GEQs
        session.ConnectedUnitId = 1;
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    int gain(int band, int ch) { return record().geq_level[band][ch]; }
    // The middle of band b's track horizontally.
    static int x(int band) { return GeqLayout::bandTrackLeft(band) + 10; }
    static int levelX() { return GeqLayout::kLevelTrackLeft + 10; }
    // The page y of a band knob's centre.
    int knobCentre(GeqEditor& e, int band) { return e.bandKnobTop(band) + 10; }

    Session session;
    test::RecordingEditSink sink;
    test::ScriptedPrompts prompts;
    test::VirtualClock clock;
    GeqEditor ch1{session, sink, prompts, clock, 0};
    GeqEditor ch2{session, sink, prompts, clock, 1};
};

} // namespace

TEST_F(GeqEditorTest, CodesCarryTheChannelOrZeroWhenLinkedAndTheLinkCopiesTheByte) {
    // Which record byte the action changes, for channel 1 and channel 2.
    using Bytes = std::function<std::array<int, 2>(const ProgramRecord&)>;
    const Bytes band5 = [](const ProgramRecord& r) {
        return std::array<int, 2>{r.geq_level[5][0], r.geq_level[5][1]};
    };
    const Bytes level = [](const ProgramRecord& r) {
        return std::array<int, 2>{r.geq_gain[0], r.geq_gain[1]};
    };
    const Bytes on = [](const ProgramRecord& r) {
        return std::array<int, 2>{r.geq_on[0], r.geq_on[1]};
    };
    struct Case {
        const char* name;
        bool linked;
        int channel;
        std::function<void(GeqEditor&)> act;
        Edits sent;
        Bytes bytes;
        std::array<int, 2> expected;
    };
    const Case cases[] = {
        // clang-format off
        {"band 5 of channel 2 at +1.0 dB", false, 1,
         [](GeqEditor& e) { e.commitBandText(5, u"1.0"); }, {"012205 026"}, band5, {24, 26}},
        {"typed 1.2 takes the nearest step", false, 0,
         [](GeqEditor& e) { e.commitBandText(5, u"1.2"); }, {"012105 026"}, band5, {26, 24}},
        {"linked band of channel 1", true, 0, [](GeqEditor& e) { e.stepBand(5, 2); },
         {"012005 026"}, band5, {26, 26}},
        {"stepping past the top sends once", false, 0, [](GeqEditor& e) { e.stepBand(5, 30); },
         {"012105 048"}, band5, {48, 24}},
        {"linked level at 0.0 dB", true, 1, [](GeqEditor& e) { e.commitLevelText(u"0"); },
         {"0130 181"}, level, {181, 181}},
        {"unlinked level to -Inf", false, 1, [](GeqEditor& e) { e.commitLevelText(u"-inf"); },
         {"0132 000"}, level, {100, 0}},
        {"channel 1 switched on", false, 0, [](GeqEditor& e) { e.setOn(true); }, {"0141 001"}, on,
         {1, 0}},
        {"linked channel 2 switched on", true, 1, [](GeqEditor& e) { e.setOn(true); }, {"0140 001"},
         on, {1, 1}},
        // The level stops at +12.0 dB however far it is stepped and whatever is typed.
        {"level stepped past the top", false, 0, [](GeqEditor& e) { e.stepLevel(200); },
         {"0131 205"}, level, {205, 100}},
        {"level typed above the top", true, 0, [](GeqEditor& e) { e.commitLevelText(u"20"); },
         {"0130 205"}, level, {205, 205}},
        {"level stepped below -Inf", false, 1, [](GeqEditor& e) { e.stepLevel(-200); },
         {"0132 000"}, level, {100, 0}},
        {"band typed below the bottom", false, 1, [](GeqEditor& e) { e.commitBandText(5, u"-20"); },
         {"012205 000"}, band5, {24, 0}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ApplyDefaults(session);
        record().geq_link = c.linked ? 1 : 0;
        record().geq_gain = {100, 100};
        record().geq_on = {0, 0};
        sink.edits.clear();
        c.act(c.channel == 0 ? ch1 : ch2);
        EXPECT_EQ(sink.edits, c.sent);
        EXPECT_EQ(c.bytes(record()), c.expected);
    }
    // Offline the record changes and nothing is sent.
    session.ConnectedUnitId = 0;
    sink.edits.clear();
    ch1.stepBand(30, -1);
    EXPECT_EQ(gain(30, 0), 23);
    EXPECT_TRUE(sink.edits.empty());
}

TEST_F(GeqEditorTest, AKnobFollowsThePointerWithoutJumping) {
    const int centre = knobCentre(ch1, 4);
    ASSERT_TRUE(ch1.press(x(4), centre + 7, false)); // below the centre, still on the knob
    EXPECT_EQ(ch1.selectedBand(), 4);
    ch1.move(x(4) + 30, centre + 7); // sideways: no jump, no edit
    EXPECT_EQ(gain(4, 0), 24);
    EXPECT_TRUE(sink.edits.empty());
    ch1.move(x(4), centre + 7 - 10); // five steps up
    EXPECT_EQ(gain(4, 0), 29);
    ch1.move(x(4), -500); // clamped at the top
    EXPECT_EQ(gain(4, 0), 48);
    ch1.release();
    ch1.move(x(4), 500); // released: the pointer no longer moves it
    EXPECT_EQ(gain(4, 0), 48);
    EXPECT_EQ(sink.edits, (Edits{"012104 029", "012104 048"}));
}

TEST_F(GeqEditorTest, TrackPagingWaitsThenRepeatsAndPausesOffTheTrack) {
    const int below = GeqLayout::kBandTrackTop + 125;
    ASSERT_TRUE(ch1.press(x(2), below, false));
    EXPECT_EQ(gain(2, 0), 23); // one move at once
    clock.advance(GeqEditor::kDelayMs - 1);
    EXPECT_EQ(gain(2, 0), 23);
    clock.advance(1 + 3 * GeqEditor::kRepeatMs);
    EXPECT_EQ(gain(2, 0), 20);
    ch1.move(x(2) + 40, below); // off the track: paused
    clock.advance(10 * GeqEditor::kRepeatMs);
    EXPECT_EQ(gain(2, 0), 20);
    ch1.move(x(2), below); // back: resumes
    clock.advance(2 * GeqEditor::kRepeatMs);
    EXPECT_EQ(gain(2, 0), 18);
    // A release anywhere (over another window too) ends it.
    ch1.move(5000, 5000);
    ch1.release();
    clock.advance(1000);
    EXPECT_EQ(gain(2, 0), 18);
}

TEST_F(GeqEditorTest, LevelPagingCrossesBetweenMinusNinetyAndMinusInf) {
    record().geq_gain[0] = 1; // -90.0 dB
    ASSERT_TRUE(ch1.press(levelX(), ch1.levelKnobTop() + 20, false));
    EXPECT_EQ(record().geq_gain[0], 0);
    ch1.release();
    ASSERT_TRUE(ch1.press(levelX(), ch1.levelKnobTop() - 40, false));
    EXPECT_EQ(record().geq_gain[0], 1);
    clock.advance(GeqEditor::kDelayMs + 2 * GeqEditor::kRepeatMs);
    EXPECT_EQ(record().geq_gain[0], 3);
    ch1.release();
    EXPECT_EQ(sink.edits, (Edits{"0131 000", "0131 001", "0131 002", "0131 003"}));
}

TEST_F(GeqEditorTest, ACtrlDragToTheRightDrawsAStraightLineAndToTheLeftOnlySelects) {
    // From the +12.0 dB knob centre of band 3 to the -12.0 dB centre in band 10.
    const int top = GeqLayout::kBandTrackTop + 18;
    const int bottom = top + 7 * 16;
    ASSERT_TRUE(ch1.press(x(3), top, true));
    ch1.move(x(10), bottom);
    EXPECT_EQ(ch1.selectedBand(), 10);
    std::vector<int> line;
    for (int b = 3; b <= 10; ++b)
        line.push_back(gain(b, 0));
    // Band 10, under the pointer, is not set yet; band 6 was at 0 dB already.
    EXPECT_EQ(line, (std::vector<int>{48, 40, 32, 24, 16, 8, 0, 24}));
    EXPECT_EQ(sink.edits.size(), 6u);

    // The next stretch starts where the last one ended: band 10 from -12.0 dB, band 11 on
    // the way back up.
    ch1.move(x(12), bottom - 64);
    EXPECT_EQ(gain(10, 0), 0);
    EXPECT_EQ(gain(11, 0), 8);
    EXPECT_EQ(sink.edits.size(), 8u);

    const auto before = record().geq_level;
    ch1.move(x(1), top);
    EXPECT_EQ(ch1.selectedBand(), 1);
    EXPECT_EQ(record().geq_level, before);
    EXPECT_EQ(sink.edits.size(), 8u);
    ch1.release();
}

TEST_F(GeqEditorTest, InPeqModeEveryActionIsRefusedWithTheModeWarning) {
    record().eq_mode = 1;
    const ProgramRecord before = record();
    const std::function<void()> actions[] = {
        [&] { ch1.press(x(0), knobCentre(ch1, 0), false); },
        [&] { EXPECT_FALSE(ch1.doubleClick(x(0), GeqLayout::kBandTrackTop + 120, false)); },
        [&] { ch1.press(levelX(), ch1.levelKnobTop() + 3, false); },
        [&] { ch1.stepBand(0, 1); },
        [&] { ch1.stepLevel(-10); },
        [&] { ch1.commitBandText(0, u"3"); },
        [&] { ch1.commitLevelText(u"-3"); },
        [&] { ch1.setOn(true); },
    };
    int n = 0;
    for (const auto& act : actions) {
        SCOPED_TRACE(n++);
        prompts.clear();
        act();
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].title, QStringLiteral("EQ Mode Warning"));
        EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Now PEQ+Compressor mode."));
        EXPECT_FALSE(ch1.isTracking());
    }
    EXPECT_EQ(record(), before);
    EXPECT_TRUE(sink.edits.empty());
}

TEST_F(GeqEditorTest, ATextThatIsNoNumberChangesNothing) {
    EXPECT_FALSE(ch1.commitBandText(6, u"loud"));
    EXPECT_FALSE(ch1.commitLevelText(u"1.2.3"));
    EXPECT_EQ(gain(6, 0), 24);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Please enter a number."));
    EXPECT_TRUE(sink.edits.empty());
}

// The last pixel of a track or a knob belongs to it, the next one does not. Band tracks
// overlap by three pixels, so the pixel past band 4's right edge is band 5's; a press one
// pixel above a knob pages by one step, a press on its top row grabs it without a step.
TEST_F(GeqEditorTest, TheEdgesOfTracksAndKnobsBelongToThem) {
    const FaderGeometry band = GeqBandFader();
    const FaderGeometry level = LevelFader();
    struct Case {
        const char* name;
        std::function<int()> x, y;
        int selected; // the band selected by the press
        int levelStep;
    };
    const int levelStart = 100;
    const Case cases[] = {
        {"band 4's right edge", [&] { return GeqLayout::bandTrackLeft(4) + band.trackWidth - 1; },
         [&] { return knobCentre(ch1, 4); }, 4, levelStart},
        {"one pixel past it", [&] { return GeqLayout::bandTrackLeft(4) + band.trackWidth; },
         [&] { return knobCentre(ch1, 5); }, 5, levelStart},
        {"the level knob's top row", [&] { return levelX(); }, [&] { return ch1.levelKnobTop(); },
         0, levelStart},
        {"one pixel above the level knob", [&] { return levelX(); },
         [&] { return ch1.levelKnobTop() - 1; }, 0, levelStart + 1},
        {"the level knob's bottom row", [&] { return levelX(); },
         [&] { return ch1.levelKnobTop() + level.knobHeight - 1; }, 0, levelStart},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ch1.selectBand(0);
        record().geq_gain[0] = levelStart;
        sink.edits.clear();
        ASSERT_TRUE(ch1.press(c.x(), c.y(), false));
        ch1.release();
        EXPECT_EQ(ch1.selectedBand(), c.selected);
        EXPECT_EQ(record().geq_gain[0], c.levelStep);
        EXPECT_EQ(int(gain(4, 0)), 24);
        EXPECT_EQ(int(gain(5, 0)), 24);
    }
}

// A double click acts as a press, except with Ctrl on a knob, where it would start a curve
// of one point.
TEST_F(GeqEditorTest, ADoubleClickIsAPressButACtrlDoubleClickOnAKnobIsNothing) {
    ch1.selectBand(2);
    EXPECT_FALSE(ch1.doubleClick(x(4), knobCentre(ch1, 4), true));
    EXPECT_EQ(ch1.selectedBand(), 2);
    EXPECT_TRUE(ch1.doubleClick(x(6), knobCentre(ch1, 6), false));
    ch1.release();
    EXPECT_EQ(ch1.selectedBand(), 6);
    EXPECT_TRUE(ch1.doubleClick(x(7), GeqLayout::kBandTrackTop + 125, true));
    ch1.release();
    EXPECT_EQ(ch1.selectedBand(), 7);
    EXPECT_TRUE(sink.edits.empty());
}
