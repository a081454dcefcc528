#pragma once
// One response curve of a graph: the magnitude in dB at each point of FrequencyGrid().
// The graphs add curves pointwise, so every routine that fills one writes all points.

#include "graphs/frequency_grid.h"

#include <array>

namespace mqx {

using ResponseCurve = std::array<double, kGridPoints>;

// Stands for minus infinity (a level of -Inf, the null of a notch) so that sums of curves
// stay finite; it lies far below the bottom edge of every graph.
inline constexpr double kSilenceDb = -1000.0;

} // namespace mqx
