#include "core/program_record.h"

#include <algorithm>

namespace mqx {

void ApplyRecordDefaults(ProgramRecord& r) {
    r.program_number = 0;
    r.empty_flag = 0;
    r.recall_lock = 0;
    r.write_enable = 255;
    r.panel_indicator.fill(0);
    r.name.fill('.');
    r.comment.fill('.');

    r.input_mode = 0;
    r.sg_wave = 1;
    r.pink_level = 181;
    r.sine_freq = 69;
    r.sine_level = 141;
    r.sg_mute = 0;
    r.input_select = 4;

    r.eq_mode = 0;
    r.geq_link = 1;
    r.geq_on = {1, 1};
    for (auto& band : r.geq_level)
        band = {24, 24};
    r.geq_gain = {181, 181};
    r.peq_link = 1;
    r.peq_on = {1, 1};
    for (auto& band : r.peq_band)
        band = {kFlatEqBand, kFlatEqBand};
    r.peq_gain = {181, 181};
    r.comp_link = 1;
    r.comp_on = {0, 0};
    r.side_eq = {kFlatEqBand, kFlatEqBand};
    r.comp_attack = {24, 24};
    r.comp_release = {28, 28};
    r.comp_threshold = {0, 0};
    r.comp_ratio = {0, 0};
    r.comp_gain = {181, 181};
    r.master_delay = {0, 0};

    // Two three-way splits at 100 Hz and 1 kHz: outputs 1-3 from input 1, 4-6 from input 2.
    constexpr std::array<std::uint8_t, kOutputCount> source = {1, 1, 1, 2, 2, 2};
    constexpr std::array<std::uint8_t, kOutputCount> hpf = {0, 29, 69, 0, 29, 69};
    constexpr std::array<std::uint8_t, kOutputCount> lpf = {29, 69, 122, 29, 69, 122};
    for (int c = 0; c < kOutputCount; ++c) {
        OutputChannel& o = r.out[static_cast<std::size_t>(c)];
        const auto i = static_cast<std::size_t>(c);
        o.link_mask = OutputBit(c);
        o.source = source[i];
        o.hpf_type = 1;
        o.hpf_freq = hpf[i];
        o.lpf_type = 1;
        o.lpf_freq = lpf[i];
        o.eq.fill(kFlatEqBand);
        o.level = 181;
        o.limiter = 0;
        o.delay = 0;
        o.phase = 0;
        o.on = 1;
        o.display_mask = OutputBit(c);
    }
}

} // namespace mqx
