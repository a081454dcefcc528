#include "core/prompts.h"
#include "program/value_scales.h"
#include "scripted_prompts.h"

#include <gtest/gtest.h>

using namespace mqx;

TEST(ValueScales, EveryStepHasItsScaleWidthAndNoneBeyondTheLast) {
    const std::tuple<Scale, int, int> scales[] = {
        // scale, text width, last step
        {Scale::LevelDb, 5, 241},     {Scale::EqGainDb, 5, 48},     {Scale::ThresholdDbfs, 5, 96},
        {Scale::LimiterDbfs, 5, 53},  {Scale::FrequencyHz, 6, 122}, {Scale::QBandwidth, 12, 72},
        {Scale::AttackMs, 5, 60},     {Scale::ReleaseMs, 5, 48},    {Scale::Ratio, 6, 100},
        {Scale::XoverType, 20, 11},   {Scale::EqType, 9, 5},        {Scale::SourceName, 4, 2},
        {Scale::GeqBandFreq, -1, 30},
    };
    for (const auto& [scale, width, last] : scales) {
        EXPECT_EQ(LastStep(scale), last) << int(scale);
        for (int step = 0; step <= last && width > 0; ++step)
            EXPECT_EQ(StepText(scale, step).size(), width) << int(scale) << " step " << step;
        for (int beyond : {last + 1, 255, -1})
            EXPECT_EQ(StepText(scale, beyond), kUnknownStepText) << int(scale) << " " << beyond;
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

// Typed entries: which texts a box of each kind takes, and the step each one lands on.
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

// Preferred numbers within a few percent of 10^(n/40) (so rising), "k" for thousands.
TEST(ValueScales, FrequencyLabelsNameTheValuesOfTheirSteps) {
    for (int step = 1; step <= 121; ++step) {
        QString text = StepText(Scale::FrequencyHz, step).trimmed();
        const bool kilo = text.endsWith(u'k');
        const double label = (kilo ? text.chopped(1) : text).toDouble() * (kilo ? 1000 : 1);
        EXPECT_EQ(kilo, step >= 69) << step;
        EXPECT_NEAR(label / FrequencyHzValue(step), 1.0, 0.025)
            << step << " " << text.toStdString();
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
    EXPECT_EQ(std::pair(LevelDbValue(181), LevelDbValue(0)), std::pair(0.0, -1000.0));
    for (int n = 0; n <= 72; ++n)
        EXPECT_NEAR(StepText(Scale::QBandwidth, n).left(4).toDouble(), QBandwidthValue(n), 0.051)
            << n;
}

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

// Half-way takes the first; a typed number never lands on "Off" or "-Inf".
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
