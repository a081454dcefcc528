#include "core/program_record.h"
#include "graphs/band_response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace mqx;

namespace {

constexpr int kOneKilohertz = 69; // FrequencyHz step

ResponseCurve response(int type, int freq, int level, int q = 46) {
    return BandResponse(EqBand{static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(freq),
                               static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(q)});
}

} // namespace

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
                // One grid point off the centre the bandpass falls and the notch comes up.
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

// First-order shelves are half way, in power, at their own frequency.
TEST(BandResponse, ShelvesTurnOverAtTheirFrequencyAndReachTheirLevel) {
    for (int type : {kEqHiShelf, kEqLoShelf}) {
        const ResponseCurve r = response(type, kOneKilohertz, 12); // -6 dB
        EXPECT_NEAR(r[213], 10.0 * std::log10((1.0 + std::pow(10.0, -0.6)) / 2.0), 1e-6) << type;
        EXPECT_NEAR(r[type == kEqHiShelf ? 381 : 9], -6.0, 0.05) << type;
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
