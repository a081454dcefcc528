#include "program/value_scales.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mqx;

namespace {

std::string text(Scale s, int step) {
    return StepText(s, step).toStdString();
}

} // namespace

TEST(ValueScales, EveryEntryHasItsScaleWidth) {
    const std::vector<std::pair<Scale, int>> widths = {
        {Scale::LevelDb, 5},     {Scale::EqGainDb, 5},    {Scale::ThresholdDbfs, 5},
        {Scale::LimiterDbfs, 5}, {Scale::FrequencyHz, 6}, {Scale::QBandwidth, 12},
        {Scale::AttackMs, 5},    {Scale::ReleaseMs, 5},   {Scale::Ratio, 6},
        {Scale::XoverType, 20},  {Scale::EqType, 9},      {Scale::SourceName, 4}};
    for (const auto& [scale, width] : widths)
        for (int step = 0; step <= LastStep(scale); ++step)
            EXPECT_EQ(StepText(scale, step).size(), width) << int(scale) << " step " << step;
}

TEST(ValueScales, LastSteps) {
    EXPECT_EQ(LastStep(Scale::LevelDb), 241);
    EXPECT_EQ(LastStep(Scale::EqGainDb), 48);
    EXPECT_EQ(LastStep(Scale::ThresholdDbfs), 96);
    EXPECT_EQ(LastStep(Scale::LimiterDbfs), 53);
    EXPECT_EQ(LastStep(Scale::FrequencyHz), 122);
    EXPECT_EQ(LastStep(Scale::GeqBandFreq), 30);
    EXPECT_EQ(LastStep(Scale::QBandwidth), 72);
    EXPECT_EQ(LastStep(Scale::AttackMs), 60);
    EXPECT_EQ(LastStep(Scale::ReleaseMs), 48);
    EXPECT_EQ(LastStep(Scale::Ratio), 100);
    EXPECT_EQ(LastStep(Scale::XoverType), 11);
    EXPECT_EQ(LastStep(Scale::EqType), 5);
    EXPECT_EQ(LastStep(Scale::SourceName), 2);
}

TEST(ValueScales, LevelAndGainTexts) {
    EXPECT_EQ(text(Scale::LevelDb, 0), "-Inf ");
    EXPECT_EQ(text(Scale::LevelDb, 1), "-90.0");
    EXPECT_EQ(text(Scale::LevelDb, 180), " -0.5");
    EXPECT_EQ(text(Scale::LevelDb, 181), "  0.0");
    EXPECT_EQ(text(Scale::LevelDb, 141), "-20.0");
    EXPECT_EQ(text(Scale::LevelDb, 205), " 12.0");
    EXPECT_EQ(text(Scale::LevelDb, 241), " 30.0");

    EXPECT_EQ(text(Scale::EqGainDb, 0), "-12.0");
    EXPECT_EQ(text(Scale::EqGainDb, 4), "-10.0");
    EXPECT_EQ(text(Scale::EqGainDb, 5), "- 9.5");
    EXPECT_EQ(text(Scale::EqGainDb, 23), "- 0.5");
    EXPECT_EQ(text(Scale::EqGainDb, 24), "  0.0");
    EXPECT_EQ(text(Scale::EqGainDb, 25), "  0.5");
    EXPECT_EQ(text(Scale::EqGainDb, 48), " 12.0");

    EXPECT_EQ(text(Scale::ThresholdDbfs, 0), "  0.0");
    EXPECT_EQ(text(Scale::ThresholdDbfs, 1), " -0.5");
    EXPECT_EQ(text(Scale::ThresholdDbfs, 96), "-48.0");

    EXPECT_EQ(text(Scale::LimiterDbfs, 0), " Off ");
    EXPECT_EQ(text(Scale::LimiterDbfs, 1), "  6.0");
    EXPECT_EQ(text(Scale::LimiterDbfs, 13), "  0.0");
    EXPECT_EQ(text(Scale::LimiterDbfs, 14), " -0.5");
    EXPECT_EQ(text(Scale::LimiterDbfs, 53), "-20.0");
}

TEST(ValueScales, FrequencyTexts) {
    EXPECT_EQ(text(Scale::FrequencyHz, 0), " Off  ");
    EXPECT_EQ(text(Scale::FrequencyHz, 1), "  20.0");
    EXPECT_EQ(text(Scale::FrequencyHz, 8), "  29.5");
    EXPECT_EQ(text(Scale::FrequencyHz, 29), " 100.0");
    EXPECT_EQ(text(Scale::FrequencyHz, 68), " 950.0");
    EXPECT_EQ(text(Scale::FrequencyHz, 69), " 1.00k");
    EXPECT_EQ(text(Scale::FrequencyHz, 109), "10.00k");
    EXPECT_EQ(text(Scale::FrequencyHz, 121), "20.00k");
    EXPECT_EQ(text(Scale::FrequencyHz, 122), " Off  ");

    EXPECT_EQ(text(Scale::GeqBandFreq, 0), "   20");
    EXPECT_EQ(text(Scale::GeqBandFreq, 2), " 31.5");
    EXPECT_EQ(text(Scale::GeqBandFreq, 17), "   1k");
    EXPECT_EQ(text(Scale::GeqBandFreq, 18), " 1.25k");
    EXPECT_EQ(text(Scale::GeqBandFreq, 30), "  20k");
}

TEST(ValueScales, QTexts) {
    EXPECT_EQ(text(Scale::QBandwidth, 0), "0.31 (3.26) ");
    EXPECT_EQ(text(Scale::QBandwidth, 46), "4.33 (0.23) ");
    EXPECT_EQ(text(Scale::QBandwidth, 54), "6.86 (0.145)");
    EXPECT_EQ(text(Scale::QBandwidth, 72), "19.4 (0.052)");
}

TEST(ValueScales, TimeTextsFollowTheE12Series) {
    EXPECT_EQ(text(Scale::AttackMs, 0), "0.010");
    EXPECT_EQ(text(Scale::AttackMs, 1), "0.012");
    EXPECT_EQ(text(Scale::AttackMs, 11), "0.082");
    EXPECT_EQ(text(Scale::AttackMs, 12), " 0.10");
    EXPECT_EQ(text(Scale::AttackMs, 24), "  1.0");
    EXPECT_EQ(text(Scale::AttackMs, 28), "  2.2");
    EXPECT_EQ(text(Scale::AttackMs, 36), "   10");
    EXPECT_EQ(text(Scale::AttackMs, 59), "  820");
    EXPECT_EQ(text(Scale::AttackMs, 60), " 1000");

    EXPECT_EQ(text(Scale::ReleaseMs, 0), "  1.0");
    EXPECT_EQ(text(Scale::ReleaseMs, 12), "   10");
    EXPECT_EQ(text(Scale::ReleaseMs, 24), "  100");
    EXPECT_EQ(text(Scale::ReleaseMs, 28), "  220");
    EXPECT_EQ(text(Scale::ReleaseMs, 36), " 1000");
    EXPECT_EQ(text(Scale::ReleaseMs, 47), " 8200");
    EXPECT_EQ(text(Scale::ReleaseMs, 48), "10000");
}

TEST(ValueScales, RatioTextsWithTheUnitsOwnTwoOddOnes) {
    EXPECT_EQ(text(Scale::Ratio, 0), "1.00:1");
    EXPECT_EQ(text(Scale::Ratio, 7), "1.08:1");
    EXPECT_EQ(text(Scale::Ratio, 8), "1.09:1");
    EXPECT_EQ(text(Scale::Ratio, 50), "2.00:1");
    EXPECT_EQ(text(Scale::Ratio, 89), "9.09:1");
    EXPECT_EQ(text(Scale::Ratio, 90), "10.0:1");
    EXPECT_EQ(text(Scale::Ratio, 91), "11.1:1");
    EXPECT_EQ(text(Scale::Ratio, 93), "14.2:1");
    EXPECT_EQ(text(Scale::Ratio, 94), "16.6:1");
    EXPECT_EQ(text(Scale::Ratio, 97), "33.3:1");
    EXPECT_EQ(text(Scale::Ratio, 98), "50.0:1");
    EXPECT_EQ(text(Scale::Ratio, 99), " 100:1");
    EXPECT_EQ(text(Scale::Ratio, 100), " Inf:1");
}

TEST(ValueScales, NamedTexts) {
    EXPECT_EQ(text(Scale::XoverType, 0), "-12dB Butterworth   ");
    EXPECT_EQ(text(Scale::XoverType, 7), "-24dB Bessel        ");
    EXPECT_EQ(text(Scale::XoverType, 11), "-24dB Linkwitz-Riley");
    EXPECT_EQ(text(Scale::EqType, 0), " Off     ");
    EXPECT_EQ(text(Scale::EqType, 2), " Bandpass");
    EXPECT_EQ(text(Scale::EqType, 5), " Notch   ");
    EXPECT_EQ(text(Scale::SourceName, 0), "MIX ");
    EXPECT_EQ(text(Scale::SourceName, 2), "IN-2");
}

TEST(ValueScales, StepsBeyondAScaleShowAPlaceholder) {
    for (Scale s : {Scale::LevelDb, Scale::FrequencyHz, Scale::XoverType, Scale::EqType,
                    Scale::SourceName, Scale::Ratio}) {
        EXPECT_EQ(text(s, LastStep(s) + 1), kUnknownStepText);
        EXPECT_EQ(text(s, 255), kUnknownStepText);
        EXPECT_EQ(text(s, -1), kUnknownStepText);
    }
}

TEST(ValueScales, NumericCompanions) {
    EXPECT_NEAR(FrequencyHzValue(1), 19.95, 0.005);
    EXPECT_NEAR(FrequencyHzValue(29), 100.0, 1e-9);
    EXPECT_NEAR(FrequencyHzValue(69), 1000.0, 1e-9);
    EXPECT_NEAR(FrequencyHzValue(121), 19952.6, 0.05);
    EXPECT_DOUBLE_EQ(EqGainDbValue(5), -9.5);
    EXPECT_NEAR(QBandwidthValue(0), 0.3067787, 1e-12);
    EXPECT_NEAR(QBandwidthValue(72), 19.36, 0.005);
    EXPECT_DOUBLE_EQ(LevelDbValue(181), 0.0);
    EXPECT_DOUBLE_EQ(LevelDbValue(0), -1000.0);
    // the Q labels are the rounded exact values
    for (int n = 0; n <= 72; ++n)
        EXPECT_NEAR(StepText(Scale::QBandwidth, n).left(4).toDouble(), QBandwidthValue(n), 0.051)
            << n;
}
