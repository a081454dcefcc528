#include "program/value_scales.h"

#include "core/prompts.h"

#include <QByteArray>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace mqx {
namespace {

// Q and its reciprocal as the unit's panel shows them; not derivable by one rounding rule.
constexpr std::array<const char*, 73> kQTexts = {
    "0.31 (3.26) ", "0.32 (3.08) ", "0.34 (2.91) ", "0.36 (2.74) ", "0.39 (2.59) ", "0.41 (2.44) ",
    "0.43 (2.31) ", "0.46 (2.18) ", "0.49 (2.06) ", "0.52 (1.94) ", "0.55 (1.83) ", "0.58 (1.73) ",
    "0.61 (1.63) ", "0.65 (1.54) ", "0.69 (1.46) ", "0.72 (1.37) ", "0.77 (1.30) ", "0.82 (1.22) ",
    "0.86 (1.16) ", "0.92 (1.09) ", "0.97 (1.03) ", "1.03 (0.97) ", "1.09 (0.92) ", "1.15 (0.87) ",
    "1.22 (0.82) ", "1.29 (0.77) ", "1.37 (0.73) ", "1.45 (0.69) ", "1.54 (0.65) ", "1.63 (0.61) ",
    "1.73 (0.58) ", "1.83 (0.55) ", "1.94 (0.52) ", "2.05 (0.49) ", "2.17 (0.46) ", "2.30 (0.43) ",
    "2.44 (0.41) ", "2.58 (0.39) ", "2.73 (0.37) ", "2.90 (0.35) ", "3.07 (0.33) ", "3.25 (0.31) ",
    "3.44 (0.29) ", "3.65 (0.27) ", "3.86 (0.26) ", "4.09 (0.24) ", "4.33 (0.23) ", "4.59 (0.22) ",
    "4.86 (0.21) ", "5.15 (0.19) ", "5.46 (0.18) ", "5.77 (0.17) ", "6.12 (0.16) ", "6.48 (0.15) ",
    "6.86 (0.145)", "7.27 (0.137)", "7.71 (0.130)", "8.16 (0.123)", "8.64 (0.116)", "9.17 (0.109)",
    "9.72 (0.103)", "10.3 (0.097)", "10.9 (0.092)", "11.5 (0.087)", "12.2 (0.082)", "12.9 (0.077)",
    "13.7 (0.073)", "14.5 (0.069)", "15.4 (0.065)", "16.3 (0.061)", "17.3 (0.058)", "18.3 (0.055)",
    "19.4 (0.052)",
};

// Nominal frequency labels of steps 1..121, in tenths of a hertz (the preferred
// numbers the unit prints, not the exact 10^(n/40) values).
constexpr std::array<int, 121> kFrequencyTenthsHz = {
    200,    212,    224,    237,    250,    265,    280,    295,    315,    335,    355,
    375,    400,    425,    450,    475,    500,    530,    560,    595,    630,    670,
    710,    750,    800,    850,    900,    950,    1000,   1060,   1120,   1180,   1250,
    1320,   1400,   1500,   1600,   1700,   1800,   1900,   2000,   2120,   2240,   2370,
    2500,   2650,   2800,   2950,   3150,   3350,   3550,   3750,   4000,   4250,   4500,
    4750,   5000,   5300,   5600,   5950,   6300,   6700,   7100,   7500,   8000,   8500,
    9000,   9500,   10000,  10600,  11200,  11800,  12500,  13200,  14000,  15000,  16000,
    17000,  18000,  19000,  20000,  21200,  22400,  23700,  25000,  26500,  28000,  29500,
    31500,  33500,  35500,  37500,  40000,  42500,  45000,  47500,  50000,  53000,  56000,
    59500,  63000,  67000,  71000,  75000,  80000,  85000,  90000,  95000,  100000, 106000,
    112000, 118000, 125000, 132000, 140000, 150000, 160000, 170000, 180000, 190000, 200000,
};

constexpr std::array<const char*, 31> kGeqBandTexts = {
    "   20", "   25",  " 31.5",  "   40", "   50",  "   63",  "   80",  "  100",
    "  125", "  160",  "  200",  "  250", "  315",  "  400",  "  500",  "  630",
    "  800", "   1k",  " 1.25k", " 1.6k", "   2k",  "  2.5k", " 3.15k", "   4k",
    "   5k", "  6.3k", "   8k",  "  10k", " 12.5k", "  16k",  "  20k",
};

constexpr std::array<const char*, 12> kXoverTexts = {
    "-12dB Butterworth   ", "-18dB Butterworth   ", "-24dB Butterworth   ", "-30dB Butterworth   ",
    "-36dB Butterworth   ", "-12dB Bessel        ", "-18dB Bessel        ", "-24dB Bessel        ",
    "-30dB Bessel        ", "-36dB Bessel        ", "-12dB Linkwitz-Riley", "-24dB Linkwitz-Riley",
};

constexpr std::array<const char*, 6> kEqTypeTexts = {" Off     ", " Peaking ", " Bandpass",
                                                     " Hi-Shelf", " Lo-Shelf", " Notch   "};

constexpr std::array<const char*, 3> kSourceTexts = {"MIX ", "IN-1", "IN-2"};

constexpr std::array<int, 12> kE12 = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};

std::string format(const char* fmt, double value, int precision = -1) {
    char buffer[32];
    if (precision < 0)
        std::snprintf(buffer, sizeof buffer, fmt, value);
    else
        std::snprintf(buffer, sizeof buffer, fmt, precision, value);
    return buffer;
}

// A signed value in tenths, right-aligned in 5 characters with one decimal. Works on
// integers so that no step ever prints as "-0.0".
std::string tenths(int value) {
    char buffer[16];
    const int magnitude = std::abs(value);
    std::snprintf(buffer, sizeof buffer, "%s%d.%d", value < 0 ? "-" : "", magnitude / 10,
                  magnitude % 10);
    char padded[16];
    std::snprintf(padded, sizeof padded, "%5s", buffer);
    return padded;
}

// The E12 series over `decades` decades from 10^firstExponent, then the closing value.
// A decade's entries carry as many decimals as it takes to show two significant digits.
std::vector<std::string> e12Texts(int firstExponent, int decades) {
    std::vector<std::string> texts;
    for (int d = 0; d <= decades; ++d) {
        const int exponent = firstExponent + d;
        const int decimals = exponent < 1 ? 1 - exponent : 0;
        const int count = d == decades ? 1 : 12;
        for (int i = 0; i < count; ++i) {
            const double value =
                kE12[static_cast<std::size_t>(i)] / 10.0 * std::pow(10.0, exponent);
            texts.push_back(format("%5.*f", value, decimals));
        }
    }
    return texts;
}

std::vector<std::string> ratioTexts() {
    std::vector<std::string> texts;
    for (int k = 0; k < 100; ++k) {
        const int denominator = 100 - k;
        char buffer[16];
        if (100 / denominator < 10) {
            // hundredths, rounded half up
            const int hundredths = (2 * 10000 / denominator + 1) / 2;
            std::snprintf(buffer, sizeof buffer, "%d.%02d:1", hundredths / 100, hundredths % 100);
        } else if (k == 99) {
            std::snprintf(buffer, sizeof buffer, " 100:1");
        } else {
            const int tenthsValue = (2 * 1000 / denominator + 1) / 2;
            std::snprintf(buffer, sizeof buffer, "%d.%d:1", tenthsValue / 10, tenthsValue % 10);
        }
        texts.emplace_back(buffer);
    }
    // The unit prints these two cut off rather than rounded.
    texts[93] = "14.2:1";
    texts[94] = "16.6:1";
    texts.emplace_back(" Inf:1");
    return texts;
}

struct Tables {
    std::array<std::vector<std::string>, 13> texts;
    Tables() {
        auto& level = texts[static_cast<int>(Scale::LevelDb)];
        level.push_back("-Inf ");
        for (int n = 1; n <= 241; ++n)
            level.push_back(tenths(-900 + 5 * (n - 1)));

        auto& eqGain = texts[static_cast<int>(Scale::EqGainDb)];
        for (int n = 0; n <= 48; ++n) {
            const int value = -120 + 5 * n;
            // The unit prints -9.5 .. -0.5 with a space after the minus sign.
            eqGain.push_back(value < 0 && value > -100 ? "-" + tenths(-value).substr(1)
                                                       : tenths(value));
        }

        auto& threshold = texts[static_cast<int>(Scale::ThresholdDbfs)];
        for (int n = 0; n <= 96; ++n)
            threshold.push_back(tenths(-5 * n));

        auto& limiter = texts[static_cast<int>(Scale::LimiterDbfs)];
        limiter.push_back(" Off ");
        for (int n = 1; n <= 53; ++n)
            limiter.push_back(tenths(65 - 5 * n));

        auto& frequency = texts[static_cast<int>(Scale::FrequencyHz)];
        frequency.push_back(" Off  ");
        for (int tenthsHz : kFrequencyTenthsHz) {
            char buffer[16];
            if (tenthsHz < 10000)
                std::snprintf(buffer, sizeof buffer, "%6.1f", tenthsHz / 10.0);
            else
                std::snprintf(buffer, sizeof buffer, "%5.2fk", tenthsHz / 10000.0);
            char padded[16];
            std::snprintf(padded, sizeof padded, "%6s", buffer);
            frequency.emplace_back(padded);
        }
        frequency.push_back(" Off  ");

        texts[static_cast<int>(Scale::GeqBandFreq)].assign(kGeqBandTexts.begin(),
                                                           kGeqBandTexts.end());
        texts[static_cast<int>(Scale::QBandwidth)].assign(kQTexts.begin(), kQTexts.end());
        texts[static_cast<int>(Scale::AttackMs)] = e12Texts(-2, 5);
        texts[static_cast<int>(Scale::ReleaseMs)] = e12Texts(0, 4);
        texts[static_cast<int>(Scale::Ratio)] = ratioTexts();
        texts[static_cast<int>(Scale::XoverType)].assign(kXoverTexts.begin(), kXoverTexts.end());
        texts[static_cast<int>(Scale::EqType)].assign(kEqTypeTexts.begin(), kEqTypeTexts.end());
        texts[static_cast<int>(Scale::SourceName)].assign(kSourceTexts.begin(), kSourceTexts.end());
    }
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

const std::vector<std::string>& entries(Scale scale) {
    return tables().texts[static_cast<std::size_t>(scale)];
}

} // namespace

int LastStep(Scale scale) {
    return static_cast<int>(entries(scale).size()) - 1;
}

QString StepText(Scale scale, int step) {
    const auto& list = entries(scale);
    if (step < 0 || step >= static_cast<int>(list.size()))
        return QString::fromLatin1(kUnknownStepText);
    return QString::fromLatin1(list[static_cast<std::size_t>(step)]);
}

double FrequencyHzValue(int step) {
    return std::pow(10.0, 1.275 + step / 40.0);
}
double EqGainDbValue(int step) {
    return -12.0 + 0.5 * step;
}
double QBandwidthValue(int step) {
    return 0.3067787 * std::pow(10.0, step / 40.0);
}
double LevelDbValue(int step) {
    return step <= 0 ? -1000.0 : -90.0 + 0.5 * (step - 1);
}

} // namespace mqx
