#include "editor_test.h"
#include "pages/geq_editor.h"

using namespace mqx;
using test::Edits;
using R = ProgramRecord;

namespace {

struct GeqEditorTest : test::EditorTest {
    GeqEditorTest() { record().geq_link = 0; } // the factory program links the GEQs
    int gain(int band) { return record().geq_level[band][0]; }
    static int x(int band) { return GeqLayout::bandTrackLeft(band) + 10; }
    static int levelX() { return GeqLayout::kLevelTrackLeft + 10; }
    int knobCentre(int band) { return ch1.bandKnobTop(band) + 10; }

    GeqEditor ch1{session, sink, prompts, clock, 0};
    GeqEditor ch2{session, sink, prompts, clock, 1};
};

} // namespace

TEST_F(GeqEditorTest, CodesCarryTheChannelOrZeroWhenLinkedAndTheLinkCopiesTheByte) {
    // Name, linked, channel, action, sent, the record's change.
    using Act = std::function<void(GeqEditor&)>;
    const std::tuple<const char*, bool, int, Act, Edits, std::function<void(R&)>> cases[] = {
        // clang-format off
        {"band 5 of channel 2 at +1.0 dB", false, 1, [](auto& e) { e.commitBandText(5, u"1.0"); },
         {"012205 026"}, [](R& r) { r.geq_level[5][1] = 26; }},
        {"stepping past the top sends once", false, 0, [](auto& e) { e.stepBand(5, 30); },
         {"012105 048"}, [](R& r) { r.geq_level[5][0] = 48; }},
        {"band typed below the bottom", false, 1, [](auto& e) { e.commitBandText(5, u"-20"); },
         {"012205 000"}, [](R& r) { r.geq_level[5][1] = 0; }},
        {"unlinked level to -Inf", false, 1, [](auto& e) { e.commitLevelText(u"-inf"); },
         {"0132 000"}, [](R& r) { r.geq_gain[1] = 0; }},
        {"level stepped past the top", false, 0, [](auto& e) { e.stepLevel(200); }, {"0131 205"},
         [](R& r) { r.geq_gain[0] = 205; }},
        {"level typed above the top", true, 0, [](auto& e) { e.commitLevelText(u"20"); },
         {"0130 205"}, [](R& r) { r.geq_gain = {205, 205}; }},
        {"level stepped below -Inf", false, 1, [](auto& e) { e.stepLevel(-200); }, {"0132 000"},
         [](R& r) { r.geq_gain[1] = 0; }},
        // clang-format on
    };
    for (const auto& [name, linked, channel, act, sent, after] : cases) {
        SCOPED_TRACE(name);
        reset();
        record().geq_link = linked ? 1 : 0;
        record().geq_gain = {100, 100};
        record().geq_on = {0, 0};
        R expected = record();
        after(expected);
        act(channel == 0 ? ch1 : ch2);
        EXPECT_EQ(sink.edits, sent);
        EXPECT_EQ(record(), expected);
        EXPECT_TRUE(prompts.shown().empty());
    }
}

TEST_F(GeqEditorTest, AKnobFollowsThePointerWithoutJumping) {
    const int y = knobCentre(4) + 7; // below the centre, still on the knob
    ASSERT_TRUE(ch1.press(x(4), y, false));
    EXPECT_EQ(ch1.selectedBand(), 4);
    // Sideways: no jump, no edit; then up 10 pixels, far above, and after the release.
    const std::tuple<int, int, int> moves[] = {
        {30, y, 24}, {0, y - 10, 29}, {0, -500, 48}, {0, 500, 48}};
    for (auto [dx, my, g] : moves) {
        ch1.move(x(4) + dx, my);
        EXPECT_EQ(gain(4), g) << my;
        if (my == -500)
            ch1.release();
    }
    EXPECT_EQ(sink.edits, (Edits{"012104 029", "012104 048"}));
}

TEST_F(GeqEditorTest, TrackPagingWaitsThenRepeatsAndPausesOffTheTrack) {
    const int below = GeqLayout::kBandTrackTop + 125;
    ASSERT_TRUE(ch1.press(x(2), below, false));
    EXPECT_EQ(gain(2), 23); // one move at once
    clock.advance(GeqEditor::kDelayMs - 1);
    EXPECT_EQ(gain(2), 23);
    clock.advance(1 + 3 * GeqEditor::kRepeatMs);
    EXPECT_EQ(gain(2), 20);
    ch1.move(x(2) + 40, below); // off the track: paused
    clock.advance(10 * GeqEditor::kRepeatMs);
    EXPECT_EQ(gain(2), 20);
    ch1.move(x(2), below);
    clock.advance(2 * GeqEditor::kRepeatMs);
    EXPECT_EQ(gain(2), 18);
    ch1.move(5000, 5000); // a release over another window ends it too
    ch1.release();
    clock.advance(1000);
    EXPECT_EQ(gain(2), 18);

    // The level fader pages between -90.0 dB and -Inf.
    sink.edits.clear();
    record().geq_gain[0] = 1;
    ASSERT_TRUE(ch1.press(levelX(), ch1.levelKnobTop() + 20, false));
    EXPECT_EQ(record().geq_gain[0], 0);
    ch1.release();
    ASSERT_TRUE(ch1.press(levelX(), ch1.levelKnobTop() - 40, false));
    clock.advance(GeqEditor::kDelayMs + 2 * GeqEditor::kRepeatMs);
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
    for (int b = 3; b <= 12; ++b)
        line.push_back(gain(b));
    // Band 10, under the pointer, is not set yet; band 6 was at 0 dB already.
    EXPECT_EQ(line, (std::vector<int>{48, 40, 32, 24, 16, 8, 0, 24, 24, 24}));
    EXPECT_EQ(sink.edits.size(), 6u);
    // The next stretch starts where the last one ended.
    ch1.move(x(12), bottom - 64);
    EXPECT_EQ(std::vector<int>({gain(10), gain(11)}), (std::vector<int>{0, 8}));
    EXPECT_EQ(sink.edits.size(), 8u);
    const auto before = record().geq_level;
    ch1.move(x(1), top);
    EXPECT_EQ(ch1.selectedBand(), 1);
    EXPECT_EQ(record().geq_level, before);
    EXPECT_EQ(sink.edits.size(), 8u);
    ch1.release();
}

// The last pixel of a track or a knob is its own; band tracks overlap by three pixels. A double
// click acts as a press, except with Ctrl on a knob (a curve of one point).
TEST_F(GeqEditorTest, TheEdgesOfTracksAndKnobsBelongToThem) {
    const int edge4 = GeqLayout::bandTrackLeft(4) + GeqBandFader().trackWidth;
    record().geq_gain[0] = 100;
    const int level = ch1.levelKnobTop(), knob4 = ch1.bandKnobTop(4);
    const int below4 = knob4 + GeqBandFader().knobHeight,
              levelBottom = level + LevelFader().knobHeight;
    // x, y, Ctrl, a double click; whether it is taken, the band selected after, the level after.
    const std::tuple<int, int, bool, bool, bool, int, int> cases[] = {
        {edge4 - 1, knob4 + 10, false, false, true, 4, 100}, // band 4's right edge
        {edge4, knob4 + 10, false, false, true, 5, 100},     // one pixel past it
        {levelX(), level, false, false, true, 2, 100},
        {levelX(), level - 1, false, false, true, 2, 101}, // above the knob: one step
        {levelX(), levelBottom - 1, false, false, true, 2, 100},
        {levelX(), levelBottom, false, false, true, 2, 99}, // below it: one step down
        {x(4), knobCentre(4), true, true, false, 2, 100},
        {x(6), knobCentre(6), false, true, true, 6, 100},
        {x(7), GeqLayout::kBandTrackTop + 125, true, true, true, 7, 100},
        {x(4), below4, true, true, true, 4, 100}, // the track: Ctrl starts a curve
        {x(kGeqBandCount), GeqLayout::kBandTrackTop + 125, false, false, false, 2, 100}, // no band
        {GeqLayout::bandTrackLeft(0), knobCentre(0), false, true, true, 0, 100},
    };
    for (const auto& [px, py, ctrl, twice, taken, selected, after] : cases) {
        SCOPED_TRACE(testing::Message() << px << "," << py << " " << ctrl << twice);
        ch1.selectBand(2);
        record().geq_gain[0] = 100;
        EXPECT_EQ(twice ? ch1.doubleClick(px, py, ctrl) : ch1.press(px, py, ctrl), taken);
        ch1.release();
        EXPECT_EQ(std::tuple(ch1.selectedBand(), record().geq_gain[0], gain(4), gain(5)),
                  std::tuple(selected, after, 24, 24));
    }
    ch1.selectBand(kGeqBandCount); // no such band: the selection stays
    ch1.selectBand(-1);
    EXPECT_EQ(ch1.selectedBand(), 0);
    EXPECT_EQ(sink.edits, (Edits{"0131 101", "0131 099"}));
}
