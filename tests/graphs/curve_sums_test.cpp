#include "graphs/output_response.h"
#include "graphs/peq_response.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

TEST(OutputResponse, OffElementsAddNothingAndTheLevelShiftsTheSum) {
    OutputChannel ch{};
    ch.hpf_freq = 0;
    ch.lpf_freq = 122;
    ch.eq.fill(kFlatEqBand);
    // Level 0 is -Inf; 250 is past the scale and held to +30.0 dB.
    for (const auto& [level, db] :
         {std::pair{181, 0.0}, {157, -12.0}, {0, kSilenceDb}, {250, 30.0}}) {
        ch.level = static_cast<std::uint8_t>(level);
        const ResponseCurve sum = OutputResponse(ch).sum;
        for (std::size_t i = 0; i < sum.size(); ++i)
            ASSERT_DOUBLE_EQ(sum[i], db) << level << " at grid point " << i;
    }
}

// Also when a band comes back to values it had before, or the channel changes.
TEST(PeqCurveCache, GivesWhatAFreshComputationGives) {
    ProgramRecord r{};
    for (auto& band : r.peq_band)
        band = {EqBand{1, 40, 30, 20}, EqBand{3, 90, 14, 0}};
    PeqCurveCache cache;
    // {band, its new value, channel}
    const std::tuple<int, EqBand, int> steps[] = {
        {0, {1, 40, 30, 20}, 0}, {4, {1, 41, 30, 20}, 0}, {4, {1, 40, 30, 20}, 0},
        {7, {5, 60, 24, 50}, 0}, {7, {5, 60, 24, 50}, 1}, {2, {0, 69, 24, 46}, 1},
        {2, {2, 69, 24, 46}, 0},
    };
    for (const auto& [band, value, channel] : steps) {
        r.peq_band[static_cast<std::size_t>(band)][static_cast<std::size_t>(channel)] = value;
        const PeqCurves fresh = PeqResponse(r, channel);
        const PeqCurves& cached = cache.update(r, channel);
        EXPECT_TRUE(cached.sum == fresh.sum && cached.band == fresh.band) << band << " " << channel;
    }
}
