#include "pages/delay_units.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

namespace {

DelayEntry read(DelayBox box, const char* text, std::uint32_t current = 0,
                DelayGroup group = DelayGroup::Channel) {
    return ReadDelayEntry(group, box, QString::fromLatin1(text), current);
}

} // namespace

TEST(DelayUnits, ShownTextsInEveryUnitAndInchesRollingOverIntoFeet) {
    // 1000 ms of sound at 344 m/s: 344 m, 1128 feet 7.307 inches; one step is 1/96 ms.
    // The longest delay: 131071 / 96 = 1365.32291.. ms, 469.671.. m.
    EXPECT_EQ(
        QStringList({DelayMsText(96000), DelayMetresText(96000), DelayMetresText(96000, 8),
                     DelayFeetText(96000), DelayInchesText(96000), DelayMsText(0), DelayFeetText(0),
                     DelayInchesText(0), DelayMsText(kMaxDelaySteps),
                     DelayMetresText(kMaxDelaySteps).left(7), DelayMsText(1), DelayInchesText(1)}),
        QStringList({"1000.0000", " 344.0000", "344.0000", "1128'", "07.30\"", "   0.0000", "0000'",
                     "00.00\"", "1365.3229", " 469.67", "   0.0104", "00.14\""}));
    // 12 inches are 85.06 steps: 85 steps 11.99 inches, 86 steps 1 foot 0.13 inch.
    EXPECT_EQ(DelayFeetInches(85), (FeetInches{0, 1199}));
    EXPECT_EQ(DelayFeetInches(86), (FeetInches{1, 13}));
}

TEST(DelayUnits, EveryShownValueReadsBackAsTheSameStep) {
    // Leaving a box without changing it must never move the delay, in any unit.
    for (std::uint32_t s = 0; s <= kMaxDelaySteps; s += (s < 2000 ? 1 : 37)) {
        for (auto [box, text] : {std::pair{DelayBox::Ms, DelayMsText(s)},
                                 std::pair{DelayBox::Metres, DelayMetresText(s)},
                                 std::pair{DelayBox::Metres, DelayMetresText(s, 8)},
                                 std::pair{DelayBox::Feet, DelayFeetText(s)},
                                 std::pair{DelayBox::Inches, DelayInchesText(s)}}) {
            const DelayEntry e = ReadDelayEntry(DelayGroup::Channel, box, text, s);
            ASSERT_TRUE(e.accepted) << s << " " << text.toStdString();
            ASSERT_EQ(e.steps, s) << text.toStdString();
        }
    }
}

// What each unit's box takes, and for what it refuses, the message. Feet keep the inches
// of the current delay and inches its feet.
TEST(DelayUnits, EntriesTakeNumbersInRangeAndRefuseTheRestSayingWhy) {
    const QString ms = QStringLiteral("Channel Delay can be\n0.0 - 1365.3 [msec]");
    const QString feet = QStringLiteral("Channel Delay can be\n0000' - 1540' [feet]");
    const QString inch = QStringLiteral("Master Delay can be\n00.00\" - 11.99\" [inch]");
    const auto feet1540 = static_cast<std::uint32_t>(StepsFromFeetInches(1540, 1.0));
    const auto twelveFeet = static_cast<std::uint32_t>(StepsFromFeetInches(12, 7.30));
    using B = DelayBox;
    constexpr DelayGroup M = DelayGroup::Master, C = DelayGroup::Channel;
    // The box, the text, the current delay, the group; the steps read or the message.
    const std::tuple<DelayBox, const char*, std::uint32_t, DelayGroup, std::uint32_t, QString>
        cases[] = {
            {B::Ms, " 12.5 ", 0, C, 1200, {}},
            {B::Ms, "1365.32", 0, C, 131071, {}},
            {B::Metres, "344", 0, C, 96000, {}},
            {B::Ms, "-0.001", 0, C, 0, {}},  // rounds to the first step
            {B::Ms, "0.0052", 0, C, 0, {}},  // 0.4992 steps
            {B::Ms, "0.0053", 0, C, 1, {}},  // 0.5088 steps
            {B::Ms, "1365.33", 0, C, 0, ms}, // 131072 steps
            {B::Ms, "-1", 0, C, 0, ms},
            {B::Ms, "1e300", 0, C, 0, ms}, // far outside stays outside, not wrapped into it
            {B::Metres, "469.7", 0, C, 0,
             QStringLiteral("Channel Delay can be\n0.0 - 469.6 [meter]")},
            {B::Metres, "469.7", 0, M, 0,
             QStringLiteral("Master Delay can be\n0.0 - 469.6 [meter]")},
            {B::Feet, "12'", 96000, C, twelveFeet, {}},
            {B::Feet, "0012", 96000, C, twelveFeet, {}},
            {B::Feet, "1540", 0, C, 130993, {}},
            {B::Feet, "1541", 0, C, 0, feet},
            {B::Feet, "99999999999999999999", 0, C, 0, feet},
            {B::Feet, "1540", 85, C, 0, feet}, // with the 11.99 inches shown: 131078 steps
            {B::Inches, "7.307\"", 96000, C, 96000, {}},
            {B::Inches, "11.99", 0, C, 85, {}},
            {B::Inches, "12", 0, M, 0, inch},
            {B::Inches, "11.991", 0, M, 0, inch},
            {B::Inches, "11.99", feet1540, M, 0, inch}, // 131078 steps
        };
    for (const auto& [box, text, current, group, steps, message] : cases) {
        const DelayEntry e = read(box, text, current, group);
        EXPECT_EQ(std::tuple(e.accepted, e.accepted ? e.steps : 0u, e.message),
                  std::tuple(message.isEmpty(), steps, message))
            << text;
    }
    const QString number = QStringLiteral("Please enter a number.");
    const std::tuple<DelayBox, std::vector<const char*>, QString> words[] = {
        {B::Ms, {"", "  ", "12ms", "abc", "1,5", "nan", "inf"}, number},
        {B::Metres, {"", "12ms", "abc", "1,5", "nan", "inf"}, number},
        {B::Feet, {"1'2", "''", "12.5", "-3", " 12"}, QStringLiteral("Please enter an integer.")},
        {B::Inches, {"7\"3", "1.2.3", "-1", "7 in", "\"\""}, number},
    };
    for (const auto& [box, texts, message] : words) {
        for (const char* text : texts) {
            const DelayEntry e = read(box, text);
            EXPECT_FALSE(e.accepted) << text;
            EXPECT_EQ(e.message, message) << text;
        }
    }
}
