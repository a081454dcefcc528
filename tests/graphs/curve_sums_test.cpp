#include "graphs/band_response.h"
#include "graphs/crossover_response.h"
#include "graphs/crossover_table.h"
#include "graphs/output_response.h"
#include "graphs/peq_response.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

namespace {

constexpr int kZeroDbLevel = 181;

// Everything off: no crossover, no EQ, 0.0 dB.
OutputChannel quietChannel() {
    OutputChannel ch{};
    ch.hpf_freq = 0;
    ch.lpf_freq = 122;
    ch.eq.fill(kFlatEqBand);
    ch.level = static_cast<std::uint8_t>(kZeroDbLevel);
    return ch;
}

void expectEverywhere(const ResponseCurve& r, double db) {
    for (std::size_t i = 0; i < r.size(); ++i)
        ASSERT_DOUBLE_EQ(r[i], db) << "grid point " << i;
}

} // namespace

TEST(OutputResponse, OffElementsAddNothingAndTheLevelShiftsTheSum) {
    OutputChannel ch = quietChannel();
    // Level 0 is -Inf; 250 is past the scale and held to +30.0 dB.
    for (const auto& [level, db] :
         {std::pair{kZeroDbLevel, 0.0}, {157, -12.0}, {0, kSilenceDb}, {250, 30.0}}) {
        ch.level = static_cast<std::uint8_t>(level);
        expectEverywhere(OutputResponse(ch).sum, db);
    }
}

TEST(OutputResponse, SumOfABandSplitOutput) {
    OutputChannel ch = quietChannel();
    ch.hpf_type = 2; // -24dB Butterworth at 100 Hz
    ch.hpf_freq = 29;
    ch.lpf_type = 11; // -24dB Linkwitz-Riley at 1 kHz
    ch.lpf_freq = 69;
    ch.eq[0] = EqBand{kEqPeaking, 49, 36, 30}; // +6 dB at 315 Hz
    ch.eq[2] = EqBand{kEqPeaking, 49, 12, 30}; // and -6 dB there: they cancel
    ch.level = 177;                            // -2.0 dB
    const OutputCurves c = OutputResponse(ch);
    EXPECT_EQ(c.highPass, HighPassResponse(2, 29, SharedCrossoverTable()));
    EXPECT_EQ(c.lowPass, LowPassResponse(11, 69, SharedCrossoverTable()));
    EXPECT_EQ(c.eq[1], ResponseCurve{});
    EXPECT_NEAR(c.eq[0][153], 6.0, 1e-12);
    for (std::size_t i = 0; i < c.sum.size(); ++i)
        ASSERT_NEAR(c.sum[i], c.highPass[i] + c.lowPass[i] - 2.0, 1e-9) << i;
}

TEST(PeqResponse, SumsTheElevenBandsOfOneChannel) {
    ProgramRecord record{};
    ApplyRecordDefaults(record);
    for (const PeqCurves& flat : {PeqResponse(record, 0), PeqResponse(record, 1)})
        expectEverywhere(flat.sum, 0.0);                      // factory bands are all Off
    record.peq_band[0][1] = EqBand{kEqLoShelf, 29, 36, 46};   // +6 dB below 100 Hz
    record.peq_band[10][1] = EqBand{kEqHiShelf, 109, 36, 46}; // +6 dB above 10 kHz
    record.peq_band[5][1] = EqBand{kEqNotch, 69, 24, 60};
    record.peq_band[5][0] = EqBand{kEqPeaking, 69, 48, 46}; // channel 1 only
    record.peq_gain[1] = 0;                                 // the output level never enters the sum

    const PeqCurves right = PeqResponse(record, 1);
    EXPECT_EQ(right.band[0], BandResponse(record.peq_band[0][1]));
    EXPECT_EQ(right.band[3], ResponseCurve{});
    for (std::size_t i = 0; i < right.sum.size(); ++i) {
        const double bands = BandResponse(record.peq_band[0][1])[i] +
                             BandResponse(record.peq_band[5][1])[i] +
                             BandResponse(record.peq_band[10][1])[i];
        ASSERT_NEAR(right.sum[i], bands, 1e-9) << i;
    }
    EXPECT_LT(right.sum[213], -24.0); // the notch's null survives the sum
    expectEverywhere(PeqResponse(record, 0).band[0], 0.0);
    EXPECT_DOUBLE_EQ(PeqResponse(record, 0).sum[213], 12.0);
}

// The cache must give what a fresh computation gives after any run of changes, also when
// the band that changes comes back to values it had before, or the channel changes.
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
