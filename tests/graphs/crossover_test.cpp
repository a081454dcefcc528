#include "graphs/crossover_response.h"
#include "graphs/crossover_table.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

namespace {
const CrossoverTable& table = SharedCrossoverTable();
} // namespace

// Deep in the stop band, 20 dB a decade per order of the filter ("-18dB" = 3rd order).
TEST(CrossoverTable, EveryRowHasTheCutoffEndsAndSlopeItsTypeNames) {
    constexpr int kOrder[kCrossoverTypes] = {2, 3, 4, 5, 6, 2, 3, 4, 5, 6, 2, 4};
    for (int type = 0; type < kCrossoverTypes; ++type) {
        SCOPED_TRACE(type);
        const double atCutoff = type < 5 ? -3.0103 : type < 10 ? -3.0 : -6.0206;
        EXPECT_NEAR(table.at(type, kCrossoverCutoffEntry), atCutoff, 0.0001);
        EXPECT_NEAR(table.at(type, kCrossoverEntries - 1), 0.0, 0.001);
        EXPECT_NEAR(table.at(type, 120) - table.at(type, 0), 20.0 * kOrder[type], 0.05);
        for (int j = 1; j < kCrossoverEntries; ++j)
            ASSERT_GE(table.at(type, j), table.at(type, j - 1)) << "entry " << j;
    }
    for (const auto& [type, entry, db] : {std::tuple{0, 0, -124.3334},
                                          {4, 0, -373.0002},
                                          {5, 0, -120.1239},
                                          {9, 0, -344.4084},
                                          {10, 400, -2.6376}})
        EXPECT_NEAR(table.at(type, entry), db, 0.001) << type;
    EXPECT_NEAR(CrossoverTable::normalisedFrequency(kCrossoverCutoffEntry + 120), 10.0, 1e-12);
}

TEST(CrossoverResponse, LowPassMirrorsHighPassAboutTheStep) {
    for (int type = 0; type < kCrossoverTypes; ++type) {
        for (int step = kLowestCrossoverStep; step <= kHighestCrossoverStep; step += 10) {
            const ResponseCurve hp = HighPassResponse(type, step, table);
            const ResponseCurve lp = LowPassResponse(type, step, table);
            const std::size_t twice = 2 * (3 * step + 6); // grid point i mirrors twice - i
            for (std::size_t i = twice < kGridPoints ? 0 : twice - kGridPoints + 1;
                 i < kGridPoints && i <= twice; ++i)
                ASSERT_DOUBLE_EQ(hp[i], lp[twice - i]) << type << " " << step;
            EXPECT_GT(hp[kGridPoints - 1], lp[kGridPoints - 1]);
            EXPECT_LT(hp[0], lp[0]);
        }
    }
}

TEST(CrossoverResponse, OffAndUnknownBytesAreFlat) {
    const ResponseCurve flat{};
    // Whatever a file holds: a byte that names no filter stays flat.
    for (int type = 0; type < 256; ++type) {
        for (int step = 0; step < 256; ++step) {
            const bool filter = type < kCrossoverTypes && step >= 1 && step <= 121;
            const ResponseCurve hp = HighPassResponse(type, step, table);
            const ResponseCurve lp = LowPassResponse(type, step, table);
            ASSERT_TRUE(filter || (hp == flat && lp == flat)) << type << " " << step;
        }
    }
}
