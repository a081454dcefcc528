#include "level_generator.h"

#include <algorithm>
#include <cstdio>

namespace mqx::sim {
namespace {

// Meter scale: 90 is full scale (clip), one value a dB below it, 0 silence.
constexpr int kClip = 90;
// The EQ indicators of the pages light from 126: 40 above the input reading, so that
// they light for a signal within 4 dB of full scale.
constexpr int kEqIndicatorOffset = 40;
constexpr int kNoReduction = 90;
constexpr int kDeepestReduction = 51;

int meterFromDbfs(double dbfs) {
    return std::clamp(static_cast<int>(kClip + dbfs), 0, 99);
}

// LevelDb step to dB: 181 is 0 dB, half a dB a step; step 0 is silence.
double levelDb(int step) {
    return (step - 181) * 0.5;
}

// Ratio step r is 100 / (100 - r) : 1; step 100 is a limiter.
double ratioOf(int step) {
    return step >= 100 ? 1000.0 : 100.0 / (100 - step);
}

} // namespace

int LevelGenerator::randomStep(int spread) {
    // A small linear congruential generator: the same unit ID gives the same levels.
    m_random = m_random * 1664525u + 1013904223u;
    return static_cast<int>((m_random >> 16) % static_cast<std::uint32_t>(2 * spread + 1)) - spread;
}

MeterLevels LevelGenerator::next(const ProgramRecord& p) {
    MeterLevels m;
    std::array<double, kInputCount> inputDbfs{};
    for (std::size_t ch = 0; ch < kInputCount; ++ch) {
        // Programme material between about -40 and -3 dBFS, drifting a few dB a frame.
        m_inputDown[ch] = std::clamp(m_inputDown[ch] + randomStep(6), 6, 80);
        inputDbfs[ch] = -m_inputDown[ch] * 0.5;
        if (p.input_mode == 1) {
            // The generator replaces the inputs: steady, and silent while muted.
            const int step = p.sg_wave != 0 ? p.sine_level : p.pink_level;
            inputDbfs[ch] = (p.sg_mute != 1 || step == 0) ? -200.0 : levelDb(step) - 3.0;
        }
        m.inputMeter[ch] = static_cast<std::uint8_t>(meterFromDbfs(inputDbfs[ch]));
    }

    // Compressors: reduction in dB above threshold, shared in the linked modes.
    std::array<double, kInputCount> reduction{};
    const bool compressing = p.eq_mode == 1;
    for (std::size_t ch = 0; ch < kInputCount; ++ch) {
        const double over = inputDbfs[ch] + p.comp_threshold[ch] * 0.5;
        if (compressing && p.comp_on[ch] == 1 && over > 0)
            reduction[ch] = over * (1.0 - 1.0 / ratioOf(p.comp_ratio[ch]));
    }
    if (p.comp_link == 1)
        reduction[0] = reduction[1] = std::max(reduction[0], reduction[1]);
    else if (p.comp_link == 2)
        reduction[1] = reduction[0];
    else if (p.comp_link == 3)
        reduction[0] = reduction[1];
    std::array<double, kInputCount> afterEq{};
    for (std::size_t ch = 0; ch < kInputCount; ++ch) {
        const int r = static_cast<int>(reduction[ch] + 0.5);
        m.compReduction[ch] = static_cast<std::uint8_t>(
            r == 0 ? kNoReduction : std::max(kDeepestReduction, kNoReduction - 1 - r));
        const bool geqActive = !compressing && p.geq_on[ch] == 1;
        const bool peqActive = compressing && p.peq_on[ch] == 1;
        const int eqMeter = m.inputMeter[ch] == 0 ? 0 : m.inputMeter[ch] + kEqIndicatorOffset;
        m.geqMeter[ch] = static_cast<std::uint8_t>(geqActive ? eqMeter : 0);
        m.peqMeter[ch] = static_cast<std::uint8_t>(peqActive ? eqMeter : 0);
        const std::uint8_t gain = compressing ? p.peq_gain[ch] : p.geq_gain[ch];
        const std::uint8_t makeUp = compressing && p.comp_on[ch] == 1 ? p.comp_gain[ch] : 181;
        afterEq[ch] = gain == 0 ? -200.0
                                : inputDbfs[ch] + levelDb(gain) - reduction[ch] +
                                      (makeUp == 0 ? -200.0 : levelDb(makeUp));
    }

    for (std::size_t c = 0; c < kOutputCount; ++c) {
        const OutputChannel& o = p.out[c];
        if (o.on != 1 || o.level == 0) {
            m.outputMeter[c] = 0;
            m.outputState[c] = 0;
            continue;
        }
        const double source = o.source == 1   ? afterEq[0]
                              : o.source == 2 ? afterEq[1]
                                              : std::max(afterEq[0], afterEq[1]);
        double dbfs = source + levelDb(o.level);
        int limiting = 0;
        if (o.limiter != 0) {
            // LimiterDbfs: step 1 is +6 dBFS, half a dB lower each step.
            const double threshold = 6.0 - (o.limiter - 1) * 0.5;
            if (dbfs > threshold) {
                limiting = std::clamp(static_cast<int>(dbfs - threshold) + 1, 1, 9);
                dbfs = threshold;
            }
        }
        m.outputMeter[c] = static_cast<std::uint8_t>(meterFromDbfs(dbfs));
        m.outputState[c] = static_cast<std::uint8_t>(limiting);
    }
    return m;
}

QByteArray LevelGenerator::frameDigits(const MeterLevels& m) {
    QByteArray digits;
    char buffer[8];
    auto three = [&](std::uint8_t v) {
        std::snprintf(buffer, sizeof buffer, "%03u", static_cast<unsigned>(v));
        digits.append(buffer);
    };
    for (auto v : m.inputMeter)
        three(v);
    for (auto v : m.outputMeter)
        three(v);
    for (auto v : m.peqMeter)
        three(v);
    for (auto v : m.compReduction)
        three(v);
    for (auto v : m.geqMeter)
        three(v);
    for (auto v : m.outputState)
        digits.append(static_cast<char>('0' + std::min<int>(v, 9)));
    return digits;
}

} // namespace mqx::sim
