#pragma once
// High-pass magnitude responses of the twelve crossover prototypes, in dB, sampled on the
// graph's own spacing (120 points a decade) over 745 entries with the cutoff at entry 373.
// The low-pass of a crossover reads the same rows mirrored about the cutoff, so one table
// serves both filters. Rows follow the XoverType steps:
//
//   0..4   Butterworth, orders 2..6            -3.0103 dB at the cutoff
//   5..9   Bessel, orders 2..6, scaled so that   -3 dB at the cutoff
//   10, 11 Linkwitz-Riley, orders 2 and 4        -6.0206 dB at the cutoff
//
// The rows are computed from the prototypes rather than stored; that takes well under a
// millisecond and happens once, on first use.

#include <array>

namespace mqx {

inline constexpr int kCrossoverTypes = 12;
inline constexpr int kCrossoverEntries = 745;
inline constexpr int kCrossoverCutoffEntry = 373;

class CrossoverTable {
public:
    CrossoverTable();

    // Entry j of row `type` is the response at f / fc = 10^((j - 373) / 120).
    // Both arguments must lie inside the table; callers check them (see crossover_response.h).
    double at(int type, int entry) const {
        return m_rows[static_cast<std::size_t>(type)][static_cast<std::size_t>(entry)];
    }

    // f / fc at entry j.
    static double normalisedFrequency(int entry);

private:
    std::array<std::array<double, kCrossoverEntries>, kCrossoverTypes> m_rows{};
};

// The table shared by every graph, built on first use.
const CrossoverTable& SharedCrossoverTable();

} // namespace mqx
