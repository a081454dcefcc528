#include "core/program_record.h"
#include "graphs/band_response.h"
#include "program/value_scales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace mqx;

namespace {

constexpr int kFlatLevel = 24;                                     // 0.0 dB
constexpr int kOneKilohertz = 69;                                  // FrequencyHz step
constexpr int kGainTypes[] = {kEqPeaking, kEqHiShelf, kEqLoShelf}; // the types with a level

EqBand band(int type, int freq, int level, int q = 46) {
    return EqBand{static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(freq),
                  static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(q)};
}

// Frequency where a curve first crosses `db` going up from index `from` towards `to`,
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

TEST(BandResponse, PeakingAtOneKilohertz) {
    const ResponseCurve r = BandResponse(band(kEqPeaking, kOneKilohertz, 48, 46));
    EXPECT_DOUBLE_EQ(r[213], 12.0);
    EXPECT_NEAR(r[0], 0.0, 0.01);  // 1.8 decades below
    EXPECT_NEAR(r[381], 0.0, 0.1); // 1.4 decades above, where the 96 kHz filter is
    EXPECT_NEAR(r[93], 0.0, 0.05); // one decade below
}

TEST(BandResponse, EveryCentreHoldsTheBandsOwnValue) {
    const auto at = [](const ResponseCurve& r, int i) { return r[static_cast<std::size_t>(i)]; };
    for (int freq = 1; freq <= 121; freq += 4) {
        for (int q = 0; q <= 72; q += 8) {
            for (int level = 0; level <= 48; level += 6) {
                const int c = GridIndexOfFrequencyStep(freq);
                const ResponseCurve peak = BandResponse(band(kEqPeaking, freq, level, q));
                const ResponseCurve bp = BandResponse(band(kEqBandpass, freq, level, q));
                const ResponseCurve notch = BandResponse(band(kEqNotch, freq, level, q));
                ASSERT_DOUBLE_EQ(at(peak, c), -12.0 + 0.5 * level);
                ASSERT_EQ(at(bp, c), 0.0);
                ASSERT_LT(at(notch, c), -24.0);
                for (std::size_t i = 0; i < peak.size(); ++i) {
                    // Nothing on the curve goes past the centre, and nothing is lost to
                    // the division by zero there.
                    ASSERT_LE(std::abs(peak[i]), std::abs(at(peak, c)) + 1e-12);
                    ASSERT_TRUE(std::isfinite(bp[i]) && std::isfinite(notch[i]));
                    ASSERT_LE(bp[i], 0.0);
                    ASSERT_LE(notch[i], 0.0);
                }
                // One grid point off the centre the bandpass already falls and the notch
                // comes back up.
                ASSERT_LT(at(bp, c + 1), 0.0);
                ASSERT_GT(at(notch, c + 1), at(notch, c));
            }
        }
    }
}

TEST(BandResponse, FlatLevelIsFlatAndOffIsNothing) {
    for (int type : kGainTypes)
        for (int freq = 1; freq <= 121; freq += 5)
            for (int q = 0; q <= 72; q += 9)
                EXPECT_EQ(BandResponse(band(type, freq, kFlatLevel, q)), ResponseCurve{})
                    << type << " " << freq << " " << q;
    EXPECT_EQ(BandResponse(band(kEqOff, kOneKilohertz, 48, 46)), ResponseCurve{});
}

TEST(BandResponse, ShelvesReachTheirLevelAtOneEnd) {
    const ResponseCurve hi = BandResponse(band(kEqHiShelf, kOneKilohertz, 12)); // -6 dB
    EXPECT_NEAR(hi[381], -6.0, 0.05);
    EXPECT_NEAR(hi[GridIndexOfFrequencyStep(1)], 0.0, 0.05);
    const ResponseCurve lo = BandResponse(band(kEqLoShelf, kOneKilohertz, 12));
    EXPECT_NEAR(lo[GridIndexOfFrequencyStep(1)], -6.0, 0.05);
    EXPECT_NEAR(lo[381], 0.0, 0.05);
    // First-order shelves have no Q.
    EXPECT_EQ(BandResponse(band(kEqHiShelf, 40, 40, 0)),
              BandResponse(band(kEqHiShelf, 40, 40, 72)));
    EXPECT_EQ(BandResponse(band(kEqLoShelf, 40, 40, 0)),
              BandResponse(band(kEqLoShelf, 40, 40, 72)));
}

TEST(BandResponse, CutMirrorsBoost) {
    for (int type : kGainTypes) {
        for (int freq = 1; freq <= 121; freq += 6) {
            for (int level : {30, 48}) {
                const ResponseCurve boost = BandResponse(band(type, freq, level, 30));
                const ResponseCurve cut = BandResponse(band(type, freq, 48 - level, 30));
                for (std::size_t i = 0; i < boost.size(); ++i)
                    ASSERT_NEAR(boost[i], -cut[i], 1e-9) << type << " " << freq << " " << i;
                ASSERT_GT(*std::max_element(boost.begin(), boost.end()), 0.25);
            }
        }
    }
}

TEST(BandResponse, QSetsTheBandwidth) {
    // The -3 dB edges of the bandpass lie f0 / Q apart, as in the analog prototype.
    for (int q : {10, 26, 46, 60}) {
        const ResponseCurve r = BandResponse(band(kEqBandpass, kOneKilohertz, 0, q));
        const double below = crossing(r, -10.0 * std::log10(2.0), 213, 0);
        const double above = crossing(r, -10.0 * std::log10(2.0), 213, kGridPoints - 1);
        const double quality = 0.3067787 * std::pow(10.0, q / 40.0);
        EXPECT_NEAR((above - below) * quality / 1000.0, 1.0, 0.02) << q;
    }
    // Bandpass and notch take no level.
    EXPECT_EQ(BandResponse(band(kEqBandpass, 30, 0)), BandResponse(band(kEqBandpass, 30, 48)));
    EXPECT_EQ(BandResponse(band(kEqNotch, 30, 0)), BandResponse(band(kEqNotch, 30, 48)));
}

TEST(BandResponse, BytesOutsideTheScalesAreHeldToThem) {
    for (int type = 6; type < 256; ++type)
        ASSERT_EQ(BandResponse(band(type, kOneKilohertz, 48)), ResponseCurve{}) << type;
    for (int type = kEqPeaking; type <= kEqNotch; ++type) {
        EXPECT_EQ(BandResponse(band(type, 0, 40, 30)), BandResponse(band(type, 1, 40, 30)));
        EXPECT_EQ(BandResponse(band(type, 200, 40, 30)), BandResponse(band(type, 121, 40, 30)));
        EXPECT_EQ(BandResponse(band(type, 50, 255, 30)), BandResponse(band(type, 50, 48, 30)));
        EXPECT_EQ(BandResponse(band(type, 50, 40, 255)), BandResponse(band(type, 50, 40, 72)));
    }
}
