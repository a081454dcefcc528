#pragma once
// The unit's 20 latest level values, decoded from its level frames.

#include <array>
#include <cstdint>

namespace mqx {

struct MeterLevels {
    std::array<std::uint8_t, 2> inputMeter{};
    std::array<std::uint8_t, 6> outputMeter{};
    std::array<std::uint8_t, 2> peqMeter{};
    std::array<std::uint8_t, 2> compReduction{90, 90};
    std::array<std::uint8_t, 2> geqMeter{};
    std::array<std::uint8_t, 6> outputState{};

    // Silence everywhere; a compressor reduction of 90 is no reduction at all.
    void setAtRest() { *this = MeterLevels{}; }
    friend bool operator==(const MeterLevels&, const MeterLevels&) = default;
};

} // namespace mqx
