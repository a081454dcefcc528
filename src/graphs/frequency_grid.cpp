#include "graphs/frequency_grid.h"

#include <cmath>

namespace mqx {

const std::array<double, kGridPoints>& FrequencyGrid() {
    static const auto grid = [] {
        std::array<double, kGridPoints> g{};
        for (int i = 0; i < kGridPoints; ++i)
            g[static_cast<std::size_t>(i)] =
                100.0 * std::pow(10.0, (i - kGridIndexOf100Hz) / 120.0);
        return g;
    }();
    return grid;
}

} // namespace mqx
