#include "pages/delay_units.h"

#include <gtest/gtest.h>

using namespace mqx;

namespace {

DelayEntry read(DelayBox box, const char* text, std::uint32_t current = 0,
                DelayGroup group = DelayGroup::Channel) {
    return ReadDelayEntry(group, box, QString::fromLatin1(text), current);
}

} // namespace

TEST(DelayUnits, OneSecondShowsAsThreeHundredFortyFourMetresOrElevenHundredFeet) {
    // 1000 ms of sound at 344 m/s: 344 m, 13543.307 inches = 1128 feet 7.307 inches.
    EXPECT_EQ(DelayMsText(96000), QStringLiteral("1000.0000"));
    EXPECT_EQ(DelayMetresText(96000), QStringLiteral(" 344.0000"));
    EXPECT_EQ(DelayMetresText(96000, 8), QStringLiteral("344.0000"));
    EXPECT_EQ(DelayFeetText(96000), QStringLiteral("1128'"));
    EXPECT_EQ(DelayInchesText(96000), QStringLiteral("07.30\""));

    EXPECT_EQ(DelayMsText(0), QStringLiteral("   0.0000"));
    EXPECT_EQ(DelayFeetText(0), QStringLiteral("0000'"));
    EXPECT_EQ(DelayInchesText(0), QStringLiteral("00.00\""));
    // The longest delay: 131071 / 96 = 1365.32291.. ms, 469.671.. m.
    EXPECT_EQ(DelayMsText(kMaxDelaySteps), QStringLiteral("1365.3229"));
    EXPECT_EQ(DelayMetresText(kMaxDelaySteps).left(7), QStringLiteral(" 469.67"));
    // One step is 1/96 ms: 0.0104 ms, 0.14 inch.
    EXPECT_EQ(DelayMsText(1), QStringLiteral("   0.0104"));
    EXPECT_EQ(DelayInchesText(1), QStringLiteral("00.14\""));
}

TEST(DelayUnits, InchesRollOverIntoFeetAtTwelve) {
    // 12 inches = 12 / 13.543307 ms = 85.06 steps: 85 steps are 11.99 inches, 86 steps
    // (12.13 inches) are 1 foot 0.13 inches.
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

TEST(DelayUnits, MillisecondAndMetreEntriesTakePlainNumbersInRange) {
    EXPECT_EQ(read(DelayBox::Ms, " 12.5 ").steps, 1200u);
    EXPECT_EQ(read(DelayBox::Ms, "1365.32").steps, 131071u);
    EXPECT_EQ(read(DelayBox::Metres, "344").steps, 96000u);
    EXPECT_EQ(read(DelayBox::Ms, "-0.001").steps, 0u); // rounds to the first step
    EXPECT_EQ(read(DelayBox::Ms, "0.0052").steps, 0u); // 0.4992 steps
    EXPECT_EQ(read(DelayBox::Ms, "0.0053").steps, 1u); // 0.5088 steps

    const DelayEntry over = read(DelayBox::Ms, "1365.33"); // 131072 steps
    EXPECT_FALSE(over.accepted);
    EXPECT_EQ(over.message, QStringLiteral("Channel Delay can be\n0.0 - 1365.3 [msec]"));
    EXPECT_EQ(read(DelayBox::Ms, "-1").message, over.message);
    // Far outside the range must stay outside it, not wrap into it.
    EXPECT_EQ(read(DelayBox::Ms, "1e300").message, over.message);
    EXPECT_EQ(read(DelayBox::Metres, "469.7").message,
              QStringLiteral("Channel Delay can be\n0.0 - 469.6 [meter]"));
    EXPECT_EQ(read(DelayBox::Metres, "469.7", 0, DelayGroup::Master).message,
              QStringLiteral("Master Delay can be\n0.0 - 469.6 [meter]"));

    for (const char* junk : {"", "  ", "12ms", "abc", "1,5", "nan", "inf"}) {
        const DelayEntry e = read(DelayBox::Ms, junk);
        EXPECT_FALSE(e.accepted) << junk;
        EXPECT_EQ(e.message, QStringLiteral("Please enter a number.")) << junk;
        EXPECT_EQ(read(DelayBox::Metres, junk).message, e.message) << junk;
    }
}

TEST(DelayUnits, FeetEntriesAreWholeNumbersWithAnOptionalFootMark) {
    // 12 feet and the 7.30 inches of the current delay.
    const DelayEntry twelve = read(DelayBox::Feet, "12'", 96000);
    ASSERT_TRUE(twelve.accepted);
    EXPECT_EQ(twelve.steps, static_cast<std::uint32_t>(StepsFromFeetInches(12, 7.30)));
    EXPECT_EQ(read(DelayBox::Feet, "0012", 96000).steps, twelve.steps);

    for (const char* text : {"1'2", "''", "12.5", "-3", " 12"}) {
        const DelayEntry e = read(DelayBox::Feet, text);
        EXPECT_FALSE(e.accepted) << text;
        EXPECT_EQ(e.message, QStringLiteral("Please enter an integer.")) << text;
    }
    const QString feetRange = QStringLiteral("Channel Delay can be\n0000' - 1540' [feet]");
    EXPECT_EQ(read(DelayBox::Feet, "1541").message, feetRange);
    EXPECT_EQ(read(DelayBox::Feet, "99999999999999999999").message, feetRange);
    EXPECT_TRUE(read(DelayBox::Feet, "1540").accepted); // with 0 inches: 130993 steps
    // 1540 feet with the 11.99 inches already shown: 131078 steps, past the end.
    EXPECT_EQ(read(DelayBox::Feet, "1540", 85).message, feetRange);
}

TEST(DelayUnits, InchEntriesAreNumbersBelowTwelveWithAnOptionalInchMark) {
    // 1128 feet are kept from the current delay.
    EXPECT_EQ(read(DelayBox::Inches, "7.307\"", 96000).steps, 96000u);
    EXPECT_EQ(read(DelayBox::Inches, "11.99", 0).steps, 85u);

    for (const char* text : {"7\"3", "1.2.3", "-1", "7 in", "\"\""}) {
        const DelayEntry e = read(DelayBox::Inches, text);
        EXPECT_FALSE(e.accepted) << text;
        EXPECT_EQ(e.message, QStringLiteral("Please enter a number.")) << text;
    }
    const QString inchRange = QStringLiteral("Master Delay can be\n00.00\" - 11.99\" [inch]");
    EXPECT_EQ(read(DelayBox::Inches, "12", 0, DelayGroup::Master).message, inchRange);
    EXPECT_EQ(read(DelayBox::Inches, "11.991", 0, DelayGroup::Master).message, inchRange);
    // 1540 feet already shown, then 11.99 inches: 131078 steps.
    const auto feet1540 = static_cast<std::uint32_t>(StepsFromFeetInches(1540, 1.0));
    ASSERT_EQ(DelayFeetInches(feet1540).feet, 1540);
    EXPECT_EQ(read(DelayBox::Inches, "11.99", feet1540, DelayGroup::Master).message, inchRange);
}
