#include "graphs/output_response.h"

#include "graphs/band_response.h"
#include "graphs/crossover_response.h"
#include "graphs/crossover_table.h"
#include "program/value_scales.h"

#include <algorithm>

namespace mqx {

OutputCurves OutputResponse(const OutputChannel& channel, const CrossoverTable& table) {
    OutputCurves c;
    c.highPass = HighPassResponse(channel.hpf_type, channel.hpf_freq, table);
    c.lowPass = LowPassResponse(channel.lpf_type, channel.lpf_freq, table);
    for (std::size_t b = 0; b < c.eq.size(); ++b)
        c.eq[b] = BandResponse(channel.eq[b]);

    // A level byte past the scale is held to its top (+30 dB) like every other step.
    const double level = LevelDbValue(std::min<int>(channel.level, LastStep(Scale::LevelDb)));
    for (std::size_t i = 0; i < c.sum.size(); ++i) {
        double s = c.highPass[i] + c.lowPass[i] + level;
        for (const ResponseCurve& eq : c.eq)
            s += eq[i];
        c.sum[i] = s;
    }
    return c;
}

OutputCurves OutputResponse(const OutputChannel& channel) {
    return OutputResponse(channel, SharedCrossoverTable());
}

} // namespace mqx
