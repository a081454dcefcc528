#include "core/prompts.h"
#include "program/value_scales.h"

#include <gtest/gtest.h>

#include <vector>

using namespace mqx;

namespace {

struct RecordingPrompts : Prompts {
    std::vector<QString> messages;
    void message(const QString& title, const QString& text, PromptIcon icon) override {
        EXPECT_EQ(title, QLatin1StringView("MQX-T410 Controller"));
        EXPECT_EQ(icon, PromptIcon::Exclamation);
        messages.push_back(text);
    }
    bool confirm(const QString&, const QString&, PromptIcon) override { return false; }
};

bool valid(const char* text, int kind) {
    return IsValidEntry(QString::fromLatin1(text), kind);
}
int step(const char* text, int scale, int lo, int hi) {
    return TextToStep(QString::fromLatin1(text), scale, lo, hi);
}

} // namespace

TEST(IsValidEntry, NumbersWithAndWithoutUnitWords) {
    EXPECT_TRUE(valid("-12.5", 2));
    EXPECT_TRUE(valid("-12.5 dB", 2));
    EXPECT_TRUE(valid("3 DB", 10));
    EXPECT_TRUE(valid("-3dBFS", 1));
    EXPECT_TRUE(valid("1 kHz", 3));
    EXPECT_TRUE(valid("100Hz", 8));
    EXPECT_TRUE(valid("2.2 msec", 4));
    EXPECT_TRUE(valid("4:1", 5));
    EXPECT_TRUE(valid("4.33 (0.23)", 6));
    EXPECT_TRUE(valid("1.5", 0));
    // the unit word is compared over its own length only
    EXPECT_TRUE(valid("3dbx", 2));
}

// A frequency box takes kilohertz written the way the scales print them; no other box
// takes a "k".
TEST(IsValidEntry, FrequenciesTakeAPlainK) {
    struct Row {
        const char* text;
        int step; // on FrequencyHz within 1..121
    };
    for (const Row& row : {Row{"1k", 69}, Row{"1.2k", 72}, Row{"2K", 81}, Row{"20.00k", 121},
                           Row{"1.5 k", 76}, Row{"1kHz", 69}}) {
        for (int kind : {3, 8})
            EXPECT_TRUE(valid(row.text, kind)) << row.text << " kind " << kind;
        EXPECT_EQ(step(row.text, 3, 1, 121), row.step) << row.text;
    }
    for (int kind : {0, 1, 2, 4, 5, 6, 7, 9, 10})
        EXPECT_FALSE(valid("1k", kind)) << kind;
    EXPECT_FALSE(valid("-1k", 3));
    EXPECT_FALSE(valid("1.2.3k", 8));
}

TEST(IsValidEntry, Refusals) {
    EXPECT_FALSE(valid("", 2));
    EXPECT_FALSE(valid("   ", 2));
    EXPECT_FALSE(valid("1.2.3", 2));
    EXPECT_FALSE(valid("1-2", 2));
    EXPECT_FALSE(valid("--1", 2));
    EXPECT_FALSE(valid("-5", 3)); // frequencies are never negative
    EXPECT_FALSE(valid("5 x", 2));
    EXPECT_FALSE(valid("5 dB", 0)); // the GEQ band box takes a bare number
    EXPECT_FALSE(valid("1 (2) x", 6));
    EXPECT_FALSE(valid("5 hz", 2));
    EXPECT_FALSE(valid("5", 11));
    EXPECT_FALSE(valid("5", -1));
}

TEST(IsValidEntry, WordsBelongToTheirKinds) {
    for (int kind = 0; kind <= 10; ++kind) {
        EXPECT_EQ(valid("off", kind), kind == 7 || kind == 8) << kind;
        EXPECT_EQ(valid("OFF", kind), kind == 7 || kind == 8) << kind;
        EXPECT_EQ(valid("-inf", kind), kind == 9 || kind == 10) << kind;
        EXPECT_EQ(valid("- Inf", kind), kind == 9 || kind == 10) << kind;
        EXPECT_EQ(valid("inf", kind), kind == 5) << kind;
    }
}

TEST(IsValidEntry, WarnsOnEveryRefusalButAnEmptyText) {
    RecordingPrompts prompts;
    EXPECT_FALSE(IsValidEntry(u"off", 2, &prompts));
    EXPECT_FALSE(IsValidEntry(u"", 2, &prompts));
    EXPECT_FALSE(IsValidEntry(u"abc", 4, &prompts));
    EXPECT_TRUE(IsValidEntry(u"12", 4, &prompts));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0], QLatin1StringView("Please enter a number."));
}

TEST(TextToStep, NearestEntryWithinTheRange) {
    EXPECT_EQ(step("1k", 3, 1, 121), 69);
    EXPECT_EQ(step("1000", 3, 1, 121), 69);
    EXPECT_EQ(step("1 kHz", 3, 1, 121), 69);
    EXPECT_EQ(step("101", 3, 1, 121), 29);
    EXPECT_EQ(step("104", 3, 1, 121), 30); // nearer to 106 than to 100
    EXPECT_EQ(step("0.25", 5, 0, 48), 24); // half-way takes the lower step
    EXPECT_EQ(step("0.3", 5, 0, 48), 25);
    EXPECT_EQ(step("- 9.5", 5, 0, 48), 5);
    EXPECT_EQ(step("-20 dB", 1, 0, 181), 141);
    EXPECT_EQ(step("4.33 (0.23)", 4, 0, 72), 46);
    EXPECT_EQ(step("2.2", 6, 0, 60), 28);
    EXPECT_EQ(step("1 kHz", 2, 0, 30), 17);
    EXPECT_EQ(step("12.5k", 2, 0, 30), 28);
}

TEST(TextToStep, EndsOfTheRange) {
    EXPECT_EQ(step("-inf", 1, 0, 181), 0);
    EXPECT_EQ(step("-inf", 1, -5, 181), 0);
    EXPECT_EQ(step("inf", 9, 0, 100), 100);
    EXPECT_EQ(step("-100", 1, 0, 181), 0); // below the entry after the lowest
    EXPECT_EQ(step("-95", 1, 1, 181), 1);
}

TEST(TextToStep, FallingScales) {
    EXPECT_EQ(step("-3", 8, 0, 96), 6);
    EXPECT_EQ(step("3", 8, 0, 96), 0); // above the top of a falling scale
    EXPECT_EQ(step("-60", 8, 0, 96), 96);
    EXPECT_EQ(step("-0.75", 8, 0, 96), 1); // equal distance takes the first
    EXPECT_EQ(step("off", 10, 0, 53), 0);
    EXPECT_EQ(step("0", 10, 0, 53), 13);
    EXPECT_EQ(step("-20", 10, 0, 53), 53);
    EXPECT_EQ(step("-30", 10, 0, 53), 53);
}

TEST(TextToStep, TypedNumbersNeverLandOnOffOrInf) {
    // "Off" and "-Inf" stand for no number; a typed value between them and the first
    // real entry goes to the real entry.
    EXPECT_EQ(step("2", 10, 0, 53), 9); // 2.0 dBFS, not Off
    EXPECT_EQ(step("1.7", 10, 0, 53), 10);
    EXPECT_EQ(step("-10", 1, 0, 181), 161); // -10 dB, not -Inf
    EXPECT_EQ(step("-0.2", 1, 0, 181), 181);
}

TEST(TextToStep, OffWordsAndTheTopOfTheFrequencyScale) {
    EXPECT_EQ(step("off", 11, 0, 121), 0);
    EXPECT_EQ(step("off", 12, 1, 122), 122);
    EXPECT_EQ(step("20k", 12, 1, 122), 121);
    EXPECT_EQ(step("25k", 12, 1, 122), 122); // beyond the last label: the low-pass goes off
    EXPECT_EQ(step("25k", 3, 1, 121), 121);
    EXPECT_EQ(step("19.6k", 12, 1, 122), 121);
    EXPECT_EQ(step("20.5k", 12, 1, 122), 122); // past the last label the scan gives the top
    EXPECT_EQ(step("10", 11, 0, 121), 0);
    EXPECT_EQ(step("20", 11, 0, 121), 1);
}

TEST(TextToStep, OutOfRangeArguments) {
    EXPECT_EQ(step("5", 1, 0, 999), 191);
    EXPECT_EQ(step("5", 0, 3, 10), 3);
    EXPECT_EQ(step("5", 13, 3, 10), 3);
    EXPECT_EQ(step("5", 5, 30, 30), 30);
}
