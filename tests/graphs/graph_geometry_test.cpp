#include "core/program_record.h"
#include "graphs/graph_geometry.h"
#include "program/value_scales.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

using namespace mqx;

TEST(GraphGeometry, CurveValuesBeyondTheScaleLieOnTheEdges) {
    const GraphScale peq = PeqGraphScale(), out = OutputGraphScale();
    // {scale, dB, row}
    const std::tuple<const GraphScale&, double, int> cases[] = {
        {peq, 0.0, 102},    {peq, 24.0, 6},     {peq, 24.01, 6},     {peq, 300.0, 6},
        {peq, -24.0, 198},  {peq, -24.01, 198}, {peq, -1000.0, 198}, {peq, 0.125, 101},
        {peq, -0.125, 103}, {peq, 0.12, 102},   {out, -60.0, 174},   {out, -61.0, 175},
        {out, 24.5, 5},     {peq, 24.9, 6},
    };
    for (const auto& [scale, db, y] : cases)
        EXPECT_EQ(CurveY(scale, db), y) << db;
}

TEST(GraphGeometry, FrequencyStepsAndGridPointsMeet) {
    for (int n = 1; n <= 121; ++n)
        EXPECT_EQ(NearestGridIndex(FrequencyHzValue(n)), 3 * n + 6) << n;
    // {grid point, lowest step, highest step, step}
    const std::array<int, 4> cases[] = {
        {213, 1, 121, 69}, {214, 1, 121, 69},  {215, 1, 121, 70}, // nearer the step above
        {1, 1, 121, 1},    {381, 1, 121, 121}, {381, 1, 110, 110}, {40, 12, 121, 12},
        {-7, 1, 121, 1},   {900, 1, 121, 121}, // pointers beyond the plot's ends
    };
    for (const auto& [grid, lowest, highest, step] : cases)
        EXPECT_EQ(FrequencyStepNearGrid(grid, lowest, highest), step) << grid;
}

TEST(GraphGeometry, OffAndUnknownBandsHaveNoHandles) {
    for (std::uint8_t type : {0, 6, 255})
        EXPECT_FALSE(HandlesOf(PeqGraphScale(), EqBand{type, 69, 24, 46}, 0.0).centre) << +type;
}
