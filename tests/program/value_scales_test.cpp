#include "program/value_scales.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mqx;

TEST(ValueScales, EveryStepHasItsScaleWidthAndNoneBeyondTheLast) {
    const struct {
        Scale scale;
        int width;
        int last;
    } scales[] = {
        {Scale::LevelDb, 5, 241},     {Scale::EqGainDb, 5, 48},     {Scale::ThresholdDbfs, 5, 96},
        {Scale::LimiterDbfs, 5, 53},  {Scale::FrequencyHz, 6, 122}, {Scale::QBandwidth, 12, 72},
        {Scale::AttackMs, 5, 60},     {Scale::ReleaseMs, 5, 48},    {Scale::Ratio, 6, 100},
        {Scale::XoverType, 20, 11},   {Scale::EqType, 9, 5},        {Scale::SourceName, 4, 2},
        {Scale::GeqBandFreq, -1, 30},
    };
    for (const auto& s : scales) {
        EXPECT_EQ(LastStep(s.scale), s.last) << int(s.scale);
        for (int step = 0; step <= s.last && s.width > 0; ++step)
            EXPECT_EQ(StepText(s.scale, step).size(), s.width) << int(s.scale) << " step " << step;
        for (int beyond : {s.last + 1, 255, -1})
            EXPECT_EQ(StepText(s.scale, beyond), kUnknownStepText) << int(s.scale) << " " << beyond;
    }
}

namespace {

void expectTexts(Scale scale, std::initializer_list<int> steps,
                 std::initializer_list<const char*> texts) {
    ASSERT_EQ(steps.size(), texts.size());
    auto text = texts.begin();
    for (int step : steps)
        EXPECT_EQ(StepText(scale, step).toStdString(), *text++) << int(scale) << " step " << step;
}

} // namespace

// Times follow the E12 series; ratios 93 and 94 are the unit's own, cut off, not rounded.
TEST(ValueScales, StepTexts) {
    expectTexts(Scale::LevelDb, {0, 1, 141, 180, 181, 205, 241},
                {"-Inf ", "-90.0", "-20.0", " -0.5", "  0.0", " 12.0", " 30.0"});
    expectTexts(Scale::EqGainDb, {0, 4, 5, 23, 24, 25, 48},
                {"-12.0", "-10.0", "- 9.5", "- 0.5", "  0.0", "  0.5", " 12.0"});
    expectTexts(Scale::ThresholdDbfs, {0, 1, 96}, {"  0.0", " -0.5", "-48.0"});
    expectTexts(Scale::LimiterDbfs, {0, 1, 13, 14, 53},
                {" Off ", "  6.0", "  0.0", " -0.5", "-20.0"});
    expectTexts(
        Scale::FrequencyHz, {0, 1, 8, 29, 68, 69, 109, 121, 122},
        {" Off  ", "  20.0", "  29.5", " 100.0", " 950.0", " 1.00k", "10.00k", "20.00k", " Off  "});
    expectTexts(Scale::QBandwidth, {0, 46, 54, 72},
                {"0.31 (3.26) ", "4.33 (0.23) ", "6.86 (0.145)", "19.4 (0.052)"});
    expectTexts(Scale::AttackMs, {0, 1, 11, 12, 24, 28, 36, 59, 60},
                {"0.010", "0.012", "0.082", " 0.10", "  1.0", "  2.2", "   10", "  820", " 1000"});
    expectTexts(Scale::ReleaseMs, {0, 12, 24, 28, 36, 47, 48},
                {"  1.0", "   10", "  100", "  220", " 1000", " 8200", "10000"});
    expectTexts(Scale::Ratio, {0, 7, 8, 50, 89, 90, 91, 92, 93, 94, 95, 97, 98, 99, 100},
                {"1.00:1", "1.08:1", "1.09:1", "2.00:1", "9.09:1", "10.0:1", "11.1:1", "12.5:1",
                 "14.2:1", "16.6:1", "20.0:1", "33.3:1", "50.0:1", " 100:1", " Inf:1"});
    expectTexts(Scale::XoverType, {0, 4, 7, 10, 11},
                {"-12dB Butterworth   ", "-36dB Butterworth   ", "-24dB Bessel        ",
                 "-12dB Linkwitz-Riley", "-24dB Linkwitz-Riley"});
    expectTexts(Scale::EqType, {0, 2, 5}, {" Off     ", " Bandpass", " Notch   "});
    expectTexts(Scale::SourceName, {0, 2}, {"MIX ", "IN-2"});
}

// The labels are the preferred numbers nearest the exact 10^(n/40) steps: each within a
// few percent of its value, rising from step to step, "k" for thousands.
TEST(ValueScales, FrequencyLabelsNameTheValuesOfTheirSteps) {
    double previous = 0;
    for (int step = 1; step <= 121; ++step) {
        QString text = StepText(Scale::FrequencyHz, step).trimmed();
        const bool kilo = text.endsWith(u'k');
        const double label = (kilo ? text.chopped(1) : text).toDouble() * (kilo ? 1000 : 1);
        EXPECT_EQ(kilo, step >= 69) << step;
        EXPECT_NEAR(label / FrequencyHzValue(step), 1.0, 0.025)
            << step << " " << text.toStdString();
        EXPECT_GT(label, previous) << step;
        previous = label;
    }
    const char* geq[] = {"20",  "25",   "31.5",  "40",   "50",    "63",   "80",    "100",
                         "125", "160",  "200",   "250",  "315",   "400",  "500",   "630",
                         "800", "1k",   "1.25k", "1.6k", "2k",    "2.5k", "3.15k", "4k",
                         "5k",  "6.3k", "8k",    "10k",  "12.5k", "16k",  "20k"};
    for (int band = 0; band <= 30; ++band)
        EXPECT_EQ(StepText(Scale::GeqBandFreq, band).trimmed(), QLatin1StringView(geq[band]));
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
