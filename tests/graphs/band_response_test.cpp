#include "core/program_record.h"
#include "graphs/band_response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

using namespace mqx;

namespace {

constexpr int kOneKilohertz = 69; // FrequencyHz step

ResponseCurve response(int type, int freq, int level, int q = 46) {
    return BandResponse(EqBand{static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(freq),
                               static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(q)});
}

// Frequency where a curve first crosses `db` going from index `from` towards `to`,
// interpolated between grid points.
double crossing(const ResponseCurve& r, double db, int from, int to) {
    const int dir = to > from ? 1 : -1;
    const auto& grid = FrequencyGrid();
    for (int i = from; i != to; i += dir) {
        const auto a = static_cast<std::size_t>(i);
        const auto b = static_cast<std::size_t>(i + dir);
        if ((r[a] - db) * (r[b] - db) <= 0.0)
            return grid[a] + (grid[b] - grid[a]) * (db - r[a]) / (r[b] - r[a]);
    }
    return NAN;
}

} // namespace

TEST(BandResponse, PeakAndShelvesReachTheirLevels) {
    const int lowest = GridIndexOfFrequencyStep(1);
    // {type, level, grid point, dB, tolerance}: a +12 dB peak at 1 kHz and -6 dB shelves.
    const std::tuple<int, int, int, double, double> cases[] = {
        {kEqPeaking, 48, 213, 12.0, 0.0},     {kEqPeaking, 48, 0, 0.0, 0.01},  // 1.8 decades below
        {kEqPeaking, 48, 93, 0.0, 0.05},      {kEqPeaking, 48, 381, 0.0, 0.1}, // the 96 kHz filter
        {kEqHiShelf, 12, 381, -6.0, 0.05},    {kEqHiShelf, 12, lowest, 0.0, 0.05},
        {kEqLoShelf, 12, lowest, -6.0, 0.05}, {kEqLoShelf, 12, 381, 0.0, 0.05},
    };
    for (const auto& [type, level, at, db, tolerance] : cases)
        EXPECT_NEAR(response(type, kOneKilohertz, level)[static_cast<std::size_t>(at)], db,
                    tolerance)
            << type << " at " << at;
}

// Across the scales: nothing on a curve goes past its centre, nothing is lost to the division
// by zero there, and the flat level is flat.
TEST(BandResponse, EverySettingHoldsItsCentreAndCutMirrorsBoost) {
    const auto at = [](const ResponseCurve& r, int i) { return r[static_cast<std::size_t>(i)]; };
    for (int freq = 1; freq <= 121; freq += 4) {
        for (int q = 0; q <= 72; q += 8) {
            for (int level = 0; level <= 48; level += 6) {
                SCOPED_TRACE(testing::Message() << freq << " " << q << " " << level);
                const int c = GridIndexOfFrequencyStep(freq);
                const ResponseCurve peak = response(kEqPeaking, freq, level, q);
                const ResponseCurve bp = response(kEqBandpass, freq, level, q);
                const ResponseCurve notch = response(kEqNotch, freq, level, q);
                ASSERT_DOUBLE_EQ(at(peak, c), -12.0 + 0.5 * level);
                ASSERT_EQ(at(bp, c), 0.0);
                ASSERT_LT(at(notch, c), -24.0);
                for (std::size_t i = 0; i < peak.size(); ++i) {
                    ASSERT_LE(std::abs(peak[i]), std::abs(at(peak, c)) + 1e-12);
                    ASSERT_TRUE(std::isfinite(bp[i]) && std::isfinite(notch[i]));
                    ASSERT_LE(std::max(bp[i], notch[i]), 0.0);
                }
                // One grid point off the centre the bandpass already falls and the notch
                // comes back up.
                ASSERT_LT(at(bp, c + 1), 0.0);
                ASSERT_GT(at(notch, c + 1), at(notch, c));
                for (int type : {kEqPeaking, kEqHiShelf, kEqLoShelf}) {
                    const ResponseCurve boost = response(type, freq, level, q);
                    const ResponseCurve cut = response(type, freq, 48 - level, q);
                    for (std::size_t i = 0; i < boost.size(); ++i)
                        ASSERT_NEAR(boost[i], -cut[i], 1e-9) << type << " " << i;
                    ASSERT_TRUE(level != 24 || boost == ResponseCurve{}) << type;
                    ASSERT_TRUE(level <= 24 || *std::ranges::max_element(boost) > 0.25) << type;
                }
            }
        }
    }
}

TEST(BandResponse, QSetsTheBandwidth) {
    // The -3 dB edges of the bandpass lie f0 / Q apart, as in the analog prototype.
    for (int q : {10, 26, 46, 60}) {
        const ResponseCurve r = response(kEqBandpass, kOneKilohertz, 0, q);
        const double below = crossing(r, -10.0 * std::log10(2.0), 213, 0);
        const double above = crossing(r, -10.0 * std::log10(2.0), 213, kGridPoints - 1);
        const double quality = 0.3067787 * std::pow(10.0, q / 40.0);
        EXPECT_NEAR((above - below) * quality / 1000.0, 1.0, 0.02) << q;
    }
}

// Settings a band type does not read, and bytes outside the scales, change nothing.
TEST(BandResponse, WhatABandDoesNotReadChangesNothing) {
    for (int type = 6; type < 256; ++type)
        ASSERT_EQ(response(type, kOneKilohertz, 48), ResponseCurve{}) << type;
    std::vector<std::pair<ResponseCurve, ResponseCurve>> same = {
        {response(kEqOff, kOneKilohertz, 48), {}},
        {response(kEqHiShelf, 40, 40, 0), response(kEqHiShelf, 40, 40, 72)}, // first order
        {response(kEqLoShelf, 40, 40, 0), response(kEqLoShelf, 40, 40, 72)},
        {response(kEqBandpass, 30, 0), response(kEqBandpass, 30, 48)}, // no level
        {response(kEqNotch, 30, 0), response(kEqNotch, 30, 48)}};
    for (int type = kEqPeaking; type <= kEqNotch; ++type)
        same.insert(same.end(), {{response(type, 0, 40, 30), response(type, 1, 40, 30)},
                                 {response(type, 200, 40, 30), response(type, 121, 40, 30)},
                                 {response(type, 50, 255, 30), response(type, 50, 48, 30)},
                                 {response(type, 50, 40, 255), response(type, 50, 40, 72)}});
    for (std::size_t i = 0; i < same.size(); ++i)
        EXPECT_EQ(same[i].first, same[i].second) << "pair " << i;
}
