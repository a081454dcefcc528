#include "editor_test.h"
#include "pages/delay_editor.h"

#include <cstring>

using namespace mqx;
using test::Edits;

namespace {

constexpr DelayTarget kIn1{DelayGroup::Master, 0};
constexpr DelayTarget kIn2{DelayGroup::Master, 1};
DelayTarget channel(int c) {
    return {DelayGroup::Channel, c};
}

struct DelayEditorTest : test::EditorTest {
    std::uint32_t& delayOf(DelayTarget t) {
        const auto i = static_cast<std::size_t>(t.index);
        return t.group == DelayGroup::Master ? record().master_delay[i] : record().out[i].delay;
    }

    DelayEditor editor{session, sink, prompts, clock};
};

} // namespace

TEST_F(DelayEditorTest, TypedDelaysAreSentWithSixDigitsOnlyWhenTheyChange) {
    const std::tuple<DelayTarget, DelayBox, std::uint32_t, const char16_t*, std::uint32_t, Edits>
        cases[] = {
            // clang-format off
        {kIn1, DelayBox::Ms, 0, u"5", 480, {"0381 000480"}},
        {channel(0), DelayBox::Feet, 0, u"1'", 85, {"0510 000085"}}, // 12 inches: 85.06 steps
        {kIn1, DelayBox::Ms, 480, u"   5.0000", 480, {}},
        {channel(0), DelayBox::Inches, 85, u"11.99\"", 85, {}},
            // clang-format on
        };
    for (const auto& [target, box, before, text, after, edits] : cases) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        delayOf(target) = before;
        sink.edits.clear();
        EXPECT_TRUE(editor.commitEntry(target, box, text));
        EXPECT_EQ(delayOf(target), after);
        EXPECT_EQ(sink.edits, edits);
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(DelayEditorTest, TotalsAddTheMasterDelayOfTheSourceInput) {
    record().master_delay = {1000, 20000};
    // Sources MIX (no master delay), IN-1, IN-2 and one the unit does not have.
    const std::pair<int, std::uint32_t> cases[] = {{0, 5}, {1, 1005}, {2, 20005}, {7, 5}};
    for (std::size_t c = 0; c < 4; ++c) {
        std::tie(record().out[c].delay, record().out[c].source) = std::tuple(5, cases[c].first);
        EXPECT_EQ(editor.totalDelay(int(c)), cases[c].second) << c;
    }
    // No such output: nothing is read, not even the bytes just before or after the outputs.
    std::memset(session.Record(1).bytes(), 0xFF, sizeof(ProgramRecord));
    EXPECT_EQ(editor.totalDelay(6), 0u);
    EXPECT_EQ(editor.totalDelay(-1), 0u);
}

// One step at once, a second's wait, 29 steps of 1 every 100 ms, 30 of 10, then steps of 100.
TEST_F(DelayEditorTest, HeldArrowRepeatsFasterTheLongerItIsHeld) {
    const std::pair<int, std::uint32_t> timeline[] = {
        {0, 1}, {999, 1}, {2901, 30}, {100, 40}, {2900, 330}, {100, 430}, {500, 930}};
    editor.pressArrow(kIn1, true);
    for (auto [ms, steps] : timeline) {
        clock.advance(ms);
        EXPECT_EQ(record().master_delay[0], steps) << ms;
    }
    EXPECT_TRUE(sink.edits.empty()) << "nothing is sent while the arrow is held";
    editor.releaseArrow();
    EXPECT_EQ(sink.edits, (Edits{"0381 000930"}));
    EXPECT_EQ(clock.activeTimerCount(), 0);
}

TEST_F(DelayEditorTest, ArrowsStopAtTheEndsAndStillSendOnRelease) {
    delayOf(channel(3)) = kMaxDelaySteps - 1;
    editor.pressArrow(channel(3), true);
    EXPECT_EQ(clock.activeTimerCount(), 1);
    clock.advance(1100); // the first repeat finds the limit and ends the repeating
    EXPECT_EQ(clock.activeTimerCount(), 0);
    EXPECT_EQ(delayOf(channel(3)), kMaxDelaySteps);
    editor.releaseArrow();
    editor.pressArrow(channel(3), true); // already at the end: no step, no timer
    EXPECT_EQ(clock.activeTimerCount(), 0);
    editor.releaseArrow();
    editor.pressArrow(kIn2, false); // at 0
    EXPECT_EQ(clock.activeTimerCount(), 0);
    editor.releaseArrow();
    record().master_delay[0] = 0xFFFFFFFFu; // from a damaged file: must not wrap around to 0
    editor.pressArrow(kIn1, true);
    editor.releaseArrow();
    EXPECT_EQ(record().master_delay[0], kMaxDelaySteps);
    EXPECT_EQ(sink.edits, (Edits{"0513 131071", "0513 131071", "0382 000000", "0381 131071"}));

    // Going down, a step larger than what is left gives 0.
    record().master_delay[1] = 45;
    editor.pressArrow(kIn2, false);
    clock.advance(1000 + 30 * 100);
    EXPECT_EQ(record().master_delay[1], 5u);
    clock.advance(100);
    EXPECT_EQ(record().master_delay[1], 0u);
    clock.advance(100);
    EXPECT_EQ(clock.activeTimerCount(), 0);
    editor.releaseArrow();
}

TEST_F(DelayEditorTest, StepsPauseWhileThePointerIsOffThePressedArrow) {
    editor.pressArrow(channel(0), true);
    clock.advance(1000 + 500);
    EXPECT_EQ(delayOf(channel(0)), 6u);
    editor.setPointerInside(false);
    EXPECT_FALSE(editor.showsPressed());
    clock.advance(3000);
    EXPECT_EQ(delayOf(channel(0)), 6u);
    editor.setPointerInside(true);
    EXPECT_TRUE(editor.showsPressed());
    clock.advance(300 + 2100);
    EXPECT_EQ(delayOf(channel(0)), 30u);
    clock.advance(100);
    EXPECT_EQ(delayOf(channel(0)), 40u) << "the paused ticks did not count toward the larger steps";
    editor.releaseArrow();
    EXPECT_FALSE(editor.isPressed());
    EXPECT_EQ(sink.edits, (Edits{"0510 000040"}));
}
