// Typed entries: which texts a box of each kind takes, and the step each one lands on.

#include "core/prompts.h"
#include "program/value_scales.h"
#include "scripted_prompts.h"

#include <gtest/gtest.h>

#include <vector>

using namespace mqx;

namespace {

void expectValid(bool valid, int kind, std::initializer_list<const char*> texts) {
    for (const char* text : texts)
        EXPECT_EQ(IsValidEntry(QString::fromLatin1(text), kind), valid) << text << " kind " << kind;
}

void expectSteps(int scale, int lowest, int highest, std::initializer_list<const char*> texts,
                 std::initializer_list<int> steps) {
    ASSERT_EQ(texts.size(), steps.size());
    auto step = steps.begin();
    for (const char* text : texts)
        EXPECT_EQ(TextToStep(QString::fromLatin1(text), scale, lowest, highest), *step++)
            << text << " on scale " << scale << " within " << lowest << ".." << highest;
}

} // namespace

TEST(IsValidEntry, NumbersWithTheirUnitWordsAndTheWordsOfEachKind) {
    expectValid(true, 2, {"-12.5", "-12.5 dB", "3dbx"}); // the unit word over its own length
    expectValid(true, 10, {"3 DB"});
    expectValid(true, 1, {"-3dBFS"});
    expectValid(true, 3, {"1 kHz", "1k", "1.2k", "2K", "20.00k", "1.5 k", "1kHz"});
    expectValid(true, 8, {"100Hz", "1k"});
    expectValid(true, 4, {"2.2 msec"});
    expectValid(true, 5, {"4:1"});
    expectValid(true, 6, {"4.33 (0.23)"});
    expectValid(true, 0, {"1.5"});
    expectValid(false, 2, {"", "   ", "1.2.3", "1-2", "--1", "5 x", "5 hz"});
    expectValid(false, 3, {"-5", "-1k"}); // frequencies are never negative
    expectValid(false, 8, {"1.2.3k"});
    expectValid(false, 0, {"5 dB", "1k"}); // the GEQ band box takes a bare number
    expectValid(false, 6, {"1 (2) x"});
    expectValid(false, 11, {"5"});
    expectValid(false, -1, {"5"});
    for (int kind = 0; kind <= 10; ++kind) {
        expectValid(kind == 3 || kind == 8, kind, {"1k"}); // only frequencies take a plain k
        expectValid(kind == 7 || kind == 8, kind, {"off", "OFF"});
        expectValid(kind == 9 || kind == 10, kind, {"-inf", "- Inf"});
        expectValid(kind == 5, kind, {"inf"});
    }
}

TEST(IsValidEntry, WarnsOnEveryRefusalButAnEmptyText) {
    test::ScriptedPrompts prompts;
    EXPECT_FALSE(IsValidEntry(u"off", 2, &prompts));
    EXPECT_FALSE(IsValidEntry(u"", 2, &prompts));
    EXPECT_FALSE(IsValidEntry(u"abc", 4, &prompts));
    EXPECT_TRUE(IsValidEntry(u"12", 4, &prompts));
    ASSERT_EQ(prompts.shown().size(), 2u);
    for (const auto& shown : prompts.shown())
        EXPECT_EQ(std::tuple(shown.title, shown.text, shown.icon, shown.question),
                  std::tuple(QStringLiteral("MQX-T410 Controller"),
                             QStringLiteral("Please enter a number."), PromptIcon::Exclamation,
                             false));
}

// The nearest entry within the range; half-way and equal distances take the first;
// "Off" and "-Inf" stand for no number, so a typed number never lands on them.
TEST(TextToStep, NearestEntryWithinTheRange) {
    expectSteps(
        3, 1, 121,
        {"1k", "1000", "1 kHz", "1kHz", "101", "104", "1.2k", "2K", "1.5 k", "20.00k", "25k"},
        {69, 69, 69, 69, 29, 30, 72, 81, 76, 121, 121});
    expectSteps(5, 0, 48, {"0.25", "0.3", "- 9.5"}, {24, 25, 5});
    expectSteps(1, 0, 181, {"-20 dB", "-inf", "-100", "-10", "-0.2"}, {141, 0, 0, 161, 181});
    expectSteps(1, -5, 181, {"-inf"}, {0});
    expectSteps(1, 1, 181, {"-95"}, {1});
    expectSteps(4, 0, 72, {"4.33 (0.23)"}, {46});
    expectSteps(6, 0, 60, {"2.2"}, {28});
    expectSteps(2, 0, 30, {"1 kHz", "12.5k"}, {17, 28});
    expectSteps(9, 0, 100, {"inf"}, {100});
    expectSteps(8, 0, 96, {"-3", "3", "-60", "-0.75"}, {6, 0, 96, 1}); // a falling scale
    expectSteps(10, 0, 53, {"off", "0", "-20", "-30", "2", "1.7"}, {0, 13, 53, 53, 9, 10});
    expectSteps(11, 0, 121, {"off", "10", "20"}, {0, 0, 1});
    // Past the last label the low-pass goes off.
    expectSteps(12, 1, 122, {"off", "20k", "19.6k", "25k", "20.5k"}, {122, 121, 121, 122, 122});
    // Arguments out of range.
    expectSteps(1, 0, 999, {"5"}, {191});
    expectSteps(0, 3, 10, {"5"}, {3});
    expectSteps(13, 3, 10, {"5"}, {3});
    expectSteps(5, 30, 30, {"5"}, {30});
}
