#pragma once
// What the equaliser OFF buttons put aside beside the record: neither saved in files
// nor sent to a unit, emptied whenever a whole program replaces the current one.

#include "core/program_record.h"

#include <array>
#include <cstdint>

namespace mqx {

// For each input channel and PEQ band, the type the band had when its on/off button
// switched it off (0 = nothing remembered).
struct PeqBandOffMemory {
    std::array<std::array<std::uint8_t, kPeqBandCount>, kInputCount> type{};

    bool holdsAnything() const {
        for (const auto& channel : type)
            for (std::uint8_t t : channel)
                if (t != 0)
                    return true;
        return false;
    }
    void clear() { *this = {}; }
};

// What an output channel's OFF buttons saved: 0, 122 and 0 mean nothing saved.
struct SavedBandSetting {
    std::uint8_t hpf_freq = 0;
    std::uint8_t lpf_freq = 122;
    std::array<std::uint8_t, kOutputEqCount> eq_type{};

    bool holdsAnything() const {
        return hpf_freq != 0 || lpf_freq != 122 || eq_type != std::array<std::uint8_t, 3>{};
    }
    friend bool operator==(const SavedBandSetting&, const SavedBandSetting&) = default;
};

struct SavedBandSettings {
    std::array<SavedBandSetting, kOutputCount> channel{};

    bool holdsAnything() const {
        for (const auto& c : channel)
            if (c.holdsAnything())
                return true;
        return false;
    }
    void clear() { *this = {}; }
};

} // namespace mqx
