#pragma once
// The meter values a unit reports in its level frames, moving like programme material
// through the current program: each input wanders on its own, outputs follow their source
// and level, muted outputs read 0, limiters and compressors act only above threshold, and
// a compressor at rest reports 90 (no reduction).

#include "core/program_record.h"

#include "core/meter_levels.h"

#include <QByteArray>

#include <cstdint>

namespace mqx::sim {

class LevelGenerator {
public:
    explicit LevelGenerator(std::uint32_t seed = 1) : m_random(seed == 0 ? 1 : seed) {}

    // The levels of the next frame, 100 ms after the previous one.
    MeterLevels next(const ProgramRecord& program);

    // The 48 digits of a level frame for these levels.
    static QByteArray frameDigits(const MeterLevels& levels);

private:
    int randomStep(int spread);

    std::uint32_t m_random = 1;
    // Programme level of each input in half-dB below full scale; moves a little each frame.
    std::array<int, kInputCount> m_inputDown{40, 52};
};

} // namespace mqx::sim
