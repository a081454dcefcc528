#include "graphs/crossover_table.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

// Deep in the stop band, 20 dB a decade per order of the filter ("-18dB" = 3rd order).
TEST(CrossoverTable, EveryRowHasTheCutoffEndsAndSlopeItsTypeNames) {
    const CrossoverTable& table = SharedCrossoverTable();
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
