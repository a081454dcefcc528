#include "core/program_record.h"
#include "graphs/graph_geometry.h"
#include "program/value_scales.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

using namespace mqx;

TEST(GraphGeometry, CurveValuesBeyondTheScaleLieOnTheEdges) {
    const GraphScale peq = PeqGraphScale();
    const GraphScale out = OutputGraphScale();
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

TEST(GraphGeometry, HandlesSitWhereTheBandsTypeSaysAndQStepsComeBackFromThem) {
    const GraphScale s = PeqGraphScale();
    // {band, its value at the centre, handles}
    const std::tuple<EqBand, double, BandHandles> cases[] = {
        {{0, 69, 24, 46}, 0.0, {}},
        {{1, 69, 48, 46}, 12.0, {true, 251, 54, true, 251 - 62, 251 + 62}},
        {{2, 69, 48, 0}, 0.0, {true, 251, 102, true, 251 - 154, 251 + 154}},
        {{3, 69, 12, 0}, 0.0, {true, 251, 126, false, 0, 0}},
        {{4, 1, 30, 0}, 0.0, {true, 47, 90, false, 0, 0}},
    };
    const auto fields = [](const BandHandles& b) {
        return std::tuple(b.centre, b.x, b.y, b.q, b.leftX, b.rightX);
    };
    for (const auto& [band, atCentre, expected] : cases) {
        const BandHandles h = HandlesOf(s, band, atCentre);
        EXPECT_EQ(fields(h), fields(expected)) << int(band.type);
        EXPECT_TRUE(!h.q || QStepOfDistance(h.rightX - h.x) == band.q) << int(band.type);
    }
    for (const auto& [distance, q] : {std::pair{0, 72}, {-154, 0}, {400, 0}})
        EXPECT_EQ(QStepOfDistance(distance), q) << distance;
    for (const auto& [y, level] : {std::pair{102, 24}, {101, 24}, {100, 25}, {0, 48}, {300, 0}})
        EXPECT_EQ(LevelStepOfY(s, y), level) << y;
}
