#pragma once
// The logarithmic frequency axis of every response graph: 382 points, 120 a decade,
// 100 Hz at index 93 (16.8 Hz to 25.1 kHz).

#include <array>

namespace mqx {

inline constexpr int kGridPoints = 382;
inline constexpr int kGridIndexOf100Hz = 93;

// Entry i = 100 * 10^((i - 93) / 120). Computed once; constant for the whole run.
const std::array<double, kGridPoints>& FrequencyGrid();

} // namespace mqx
