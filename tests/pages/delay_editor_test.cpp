#include "core/session.h"
#include "pages/delay_editor.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mqx;
using Edits = std::vector<std::string>;

namespace {

constexpr DelayTarget kIn1{DelayGroup::Master, 0};
constexpr DelayTarget kIn2{DelayGroup::Master, 1};
DelayTarget channel(int c) {
    return {DelayGroup::Channel, c};
}

struct DelayEditorTest : ::testing::Test {
    void SetUp() override {
        ApplyDefaults(session);
        session.ConnectedUnitId = 1;
        editor.setChangedCallback([this] { ++repeatsShown; });
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    std::uint32_t& delayOf(int c) { return record().out[static_cast<std::size_t>(c)].delay; }
    // Groups outputs the way the CH Link dialog does: every member names the whole group.
    void link(std::initializer_list<int> group) {
        std::uint8_t mask = 0;
        for (int c : group)
            mask |= OutputBit(c);
        for (int c : group)
            record().out[static_cast<std::size_t>(c)].link_mask = mask;
    }

    Session session;
    test::RecordingEditSink sink;
    test::ScriptedPrompts prompts;
    test::VirtualClock clock;
    DelayEditor editor{session, sink, prompts, clock};
    int repeatsShown = 0;
};

} // namespace

TEST_F(DelayEditorTest, TypedDelaysAreStoredAndSentWithSixDigits) {
    EXPECT_TRUE(editor.commitEntry(kIn1, DelayBox::Ms, u"5"));
    EXPECT_TRUE(editor.commitEntry(kIn2, DelayBox::Metres, u"344"));
    EXPECT_TRUE(editor.commitEntry(channel(5), DelayBox::Ms, u"1365.32"));
    EXPECT_TRUE(editor.commitEntry(channel(0), DelayBox::Feet, u"1'"));
    EXPECT_EQ(record().master_delay[0], 480u);
    EXPECT_EQ(record().master_delay[1], 96000u);
    EXPECT_EQ(delayOf(5), 131071u);
    EXPECT_EQ(delayOf(0), 85u); // 12 inches = 85.06 steps
    EXPECT_EQ(sink.edits, (Edits{"0381 000480", "0382 096000", "0515 131071", "0510 000085"}));

    // The same value again changes nothing and sends nothing.
    EXPECT_TRUE(editor.commitEntry(kIn1, DelayBox::Ms, u"   5.0000"));
    EXPECT_TRUE(editor.commitEntry(channel(0), DelayBox::Inches, u"11.99\""));
    EXPECT_EQ(sink.edits.size(), 4u);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(DelayEditorTest, RefusedEntriesChangeNothingAndSayWhyUnderTheirGroup) {
    delayOf(2) = 1234;
    const ProgramRecord before = record();
    EXPECT_FALSE(editor.commitEntry(channel(2), DelayBox::Ms, u"1365.33"));
    EXPECT_FALSE(editor.commitEntry(kIn2, DelayBox::Feet, u"1'2"));
    EXPECT_FALSE(editor.commitEntry(kIn1, DelayBox::Metres, u"x"));
    EXPECT_EQ(record(), before);
    EXPECT_TRUE(sink.edits.empty());

    ASSERT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(prompts.shown()[0].title, QStringLiteral("Channel Delay"));
    EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Channel Delay can be\n0.0 - 1365.3 [msec]"));
    EXPECT_EQ(prompts.shown()[1].title, QStringLiteral("Master Delay"));
    EXPECT_EQ(prompts.shown()[1].text, QStringLiteral("Please enter an integer."));
    EXPECT_EQ(prompts.shown()[2].text, QStringLiteral("Please enter a number."));
    for (const auto& shown : prompts.shown())
        EXPECT_EQ(shown.icon, PromptIcon::Exclamation);
}

TEST_F(DelayEditorTest, ChannelDelaysReachTheWholeLinkGroupButAreSentOnce) {
    link({1, 2, 4});
    EXPECT_TRUE(editor.commitEntry(channel(2), DelayBox::Ms, u"10"));
    EXPECT_EQ(delayOf(1), 960u);
    EXPECT_EQ(delayOf(2), 960u);
    EXPECT_EQ(delayOf(4), 960u);
    EXPECT_EQ(delayOf(0), 0u);
    EXPECT_EQ(delayOf(3), 0u);
    EXPECT_EQ(sink.edits, (Edits{"0512 000960"}));

    editor.pressArrow(channel(4), false);
    editor.releaseArrow();
    EXPECT_EQ(delayOf(1), 959u);
    EXPECT_EQ(delayOf(2), 959u);
    EXPECT_EQ(sink.edits.back(), "0514 000959");

    // Master delays have no links.
    EXPECT_TRUE(editor.commitEntry(kIn1, DelayBox::Ms, u"1"));
    EXPECT_EQ(record().master_delay[1], 0u);
}

TEST_F(DelayEditorTest, TotalsAddTheMasterDelayOfTheSourceInput) {
    record().master_delay = {1000, 20000};
    for (int c = 0; c < 6; ++c)
        delayOf(c) = 5;
    record().out[0].source = 0; // MIX: no master delay applies
    record().out[1].source = 1;
    record().out[2].source = 2;
    record().out[3].source = 7; // a source the unit does not have
    EXPECT_EQ(editor.totalDelay(0), 5u);
    EXPECT_EQ(editor.totalDelay(1), 1005u);
    EXPECT_EQ(editor.totalDelay(2), 20005u);
    EXPECT_EQ(editor.totalDelay(3), 5u);
    // No such output: nothing is read, not even the bytes just before or after the outputs.
    std::memset(session.Record(1).bytes(), 0xFF, sizeof(ProgramRecord));
    EXPECT_EQ(editor.totalDelay(6), 0u);
    EXPECT_EQ(editor.totalDelay(-1), 0u);
}

TEST_F(DelayEditorTest, HeldArrowRepeatsFasterTheLongerItIsHeld) {
    editor.pressArrow(kIn1, true);
    EXPECT_EQ(record().master_delay[0], 1u) << "one step at once";
    clock.advance(999);
    EXPECT_EQ(record().master_delay[0], 1u) << "then a second's wait";
    clock.advance(1);
    clock.advance(29 * 100);
    EXPECT_EQ(record().master_delay[0], 30u) << "29 steps of 1 every 100 ms";
    clock.advance(100);
    EXPECT_EQ(record().master_delay[0], 40u) << "the 30th tick steps 10";
    clock.advance(29 * 100);
    EXPECT_EQ(record().master_delay[0], 330u);
    clock.advance(100);
    EXPECT_EQ(record().master_delay[0], 430u) << "the 60th tick steps 100";
    clock.advance(500);
    EXPECT_EQ(record().master_delay[0], 930u) << "and every tick after it";
    EXPECT_EQ(repeatsShown, 65);
    EXPECT_TRUE(sink.edits.empty()) << "nothing is sent while the arrow is held";

    editor.releaseArrow();
    EXPECT_EQ(sink.edits, (Edits{"0381 000930"}));
    EXPECT_EQ(clock.activeTimerCount(), 0);
    clock.advance(1000);
    EXPECT_EQ(record().master_delay[0], 930u);
}

TEST_F(DelayEditorTest, ArrowsStopAtTheEndsAndStillSendOnRelease) {
    delayOf(3) = kMaxDelaySteps - 1;
    editor.pressArrow(channel(3), true);
    EXPECT_EQ(delayOf(3), kMaxDelaySteps);
    EXPECT_EQ(clock.activeTimerCount(), 1);
    clock.advance(1100); // the first repeat finds the limit and ends the repeating
    EXPECT_EQ(clock.activeTimerCount(), 0);
    EXPECT_EQ(delayOf(3), kMaxDelaySteps);
    editor.releaseArrow();

    editor.pressArrow(channel(3), true); // already at the end: no step, no timer
    EXPECT_EQ(clock.activeTimerCount(), 0);
    editor.releaseArrow();

    editor.pressArrow(kIn2, false); // at 0
    EXPECT_EQ(clock.activeTimerCount(), 0);
    editor.releaseArrow();
    EXPECT_EQ(sink.edits, (Edits{"0513 131071", "0513 131071", "0382 000000"}));

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
    EXPECT_EQ(delayOf(0), 6u);
    editor.setPointerInside(false);
    EXPECT_FALSE(editor.showsPressed());
    clock.advance(3000);
    EXPECT_EQ(delayOf(0), 6u);
    editor.setPointerInside(true);
    EXPECT_TRUE(editor.showsPressed());
    clock.advance(300);
    EXPECT_EQ(delayOf(0), 9u);
    clock.advance(2100);
    EXPECT_EQ(delayOf(0), 30u);
    clock.advance(100);
    EXPECT_EQ(delayOf(0), 40u) << "the paused ticks did not count toward the larger steps";
    editor.releaseArrow();
    EXPECT_FALSE(editor.isPressed());
    EXPECT_EQ(sink.edits, (Edits{"0510 000040"}));
}

TEST_F(DelayEditorTest, ADelayFromADamagedFileIsPulledBackIntoRange) {
    record().master_delay[0] = 0xFFFFFFFFu;
    editor.pressArrow(kIn1, true); // must not wrap around to 0
    editor.releaseArrow();
    EXPECT_EQ(record().master_delay[0], kMaxDelaySteps);
    EXPECT_EQ(sink.edits, (Edits{"0381 131071"}));
}
