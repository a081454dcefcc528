#pragma once
// Responses of an output's crossover filters, read from the CrossoverTable. A filter at
// FrequencyHz step n reads a 382-entry window of its type's row: the high-pass forwards,
// the low-pass backwards, so that the low-pass is the high-pass mirrored about the cutoff.
//
// The windows are placed so that they fit the 745 entries for every step 1..121; this puts
// the high-pass cutoff one grid point above the step's frequency and the low-pass cutoff
// one grid point below it, symmetrically, so a high-pass and a low-pass of the same type
// at the same step still cross at the step's own grid point.

#include "graphs/response_curve.h"

namespace mqx {

class CrossoverTable;

// The steps that place a crossover filter. FrequencyHz steps 0 and 122 both read "Off";
// the high-pass is switched off with 0 and the low-pass with 122, and a file may hold any
// other byte as well.
inline constexpr int kLowestCrossoverStep = 1;
inline constexpr int kHighestCrossoverStep = 121;

constexpr bool IsCrossoverStep(int step) {
    return step >= kLowestCrossoverStep && step <= kHighestCrossoverStep;
}

// Table entries behind grid point i for a filter at a crossover step.
constexpr int HighPassTableEntry(int step, int gridIndex) {
    return 363 - 3 * (step - 1) + gridIndex;
}
constexpr int LowPassTableEntry(int step, int gridIndex) {
    return 3 * (step - 1) + 381 - gridIndex;
}

// Flat (0 dB) when the step is not a crossover step or the type is not an XoverType step.
ResponseCurve HighPassResponse(int type, int step, const CrossoverTable& table);
ResponseCurve LowPassResponse(int type, int step, const CrossoverTable& table);

} // namespace mqx
