#include "parameter_editor.h"

#include <cstdio>
#include <vector>

namespace mqx::sim {
namespace {

constexpr int kMaxDelay = 131071;
constexpr int kMaxLevel = 205;
// The make-up gain fader of the compressor reaches +30 dB, above the +12 dB of typed entry.
constexpr int kMaxMakeUpGain = 241;
constexpr std::uint8_t kOutputFBit = 0x01;

bool inRange(int value, int lowest, int highest) {
    return value >= lowest && value <= highest;
}

// Shelving bands are limited so that their corner stays inside the audio band.
bool frequencyFitsType(int type, int freq) {
    if (type == 3)
        return inRange(freq, 1, 110);
    if (type == 4)
        return inRange(freq, 12, 121);
    return inRange(freq, 1, 121);
}

bool bandFits(const std::vector<int>& v) {
    return inRange(v[0], 0, 5) && frequencyFitsType(v[0], v[1]) && inRange(v[2], 0, 48) &&
           inRange(v[3], 0, 72);
}

EqBand bandOf(const std::vector<int>& v) {
    return {static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
            static_cast<std::uint8_t>(v[2]), static_cast<std::uint8_t>(v[3])};
}

// "0" is both input channels, "1" and "2" one of them.
std::vector<std::size_t> inputTargets(int channel) {
    if (channel == 0)
        return {0, 1};
    return {static_cast<std::size_t>(channel - 1)};
}

// The edited output and every output its link group names.
std::vector<std::size_t> outputTargets(const ProgramRecord& r, int channel) {
    std::vector<std::size_t> targets;
    const std::uint8_t mask = r.out[static_cast<std::size_t>(channel)].link_mask;
    for (int c = 0; c < kOutputCount; ++c)
        if (c == channel || (mask & OutputBit(c)) != 0)
            targets.push_back(static_cast<std::size_t>(c));
    return targets;
}

std::uint8_t u8(int value) {
    return static_cast<std::uint8_t>(value);
}

// Sets one byte field in each target, after checking the value once.
template <typename FieldOf>
int setEach(const std::vector<std::size_t>& targets, int value, int lowest, int highest,
            FieldOf field) {
    if (!inRange(value, lowest, highest))
        return 21;
    for (std::size_t t : targets)
        field(t) = u8(value);
    return 0;
}

int linkInputs(ProgramRecord& r, int value, bool geq) {
    // 0000 releases the link; 1001 and 2001 link with channel 1's or channel 2's values.
    if (value != 0 && value != 1001 && value != 2001)
        return 21;
    std::uint8_t& link = geq ? r.geq_link : r.peq_link;
    link = value == 0 ? 0 : 1;
    if (value == 0)
        return 0;
    const std::size_t from = value == 1001 ? 0 : 1;
    const std::size_t to = 1 - from;
    if (geq) {
        for (auto& band : r.geq_level)
            band[to] = band[from];
        r.geq_gain[to] = r.geq_gain[from];
        r.geq_on[to] = r.geq_on[from];
    } else {
        r.peq_on[to] = r.peq_on[from];
        r.peq_gain[to] = r.peq_gain[from];
        for (auto& band : r.peq_band)
            band[to] = band[from];
    }
    return 0;
}

int regroupOutputs(ProgramRecord& r, const std::vector<int>& masks) {
    // Only outputs A..E travel; F belongs to whichever group names it, or stands alone.
    std::array<std::uint8_t, kOutputCount> mask{};
    for (std::size_t c = 0; c < 5; ++c) {
        if (!inRange(masks[c], 0, 63) || (masks[c] & OutputBit(static_cast<int>(c))) == 0)
            return 21;
        mask[c] = u8(masks[c]);
    }
    mask[5] = kOutputFBit;
    for (std::size_t c = 0; c < 5; ++c)
        if ((mask[c] & kOutputFBit) != 0) {
            if (mask[5] != kOutputFBit && mask[5] != mask[c])
                return 21;
            mask[5] = mask[c];
        }
    // Every member of a group must name the same group.
    for (std::size_t a = 0; a < kOutputCount; ++a)
        for (std::size_t b = 0; b < kOutputCount; ++b)
            if ((mask[a] & OutputBit(static_cast<int>(b))) != 0 && mask[b] != mask[a])
                return 21;
    for (std::size_t c = 0; c < kOutputCount; ++c)
        r.out[c].link_mask = mask[c];
    for (std::size_t c = 1; c < kOutputCount; ++c)
        for (std::size_t k = 0; k < c; ++k) {
            if ((mask[c] & OutputBit(static_cast<int>(k))) == 0)
                continue;
            const OutputChannel& from = r.out[k];
            OutputChannel& to = r.out[c];
            to.hpf_type = from.hpf_type;
            to.hpf_freq = from.hpf_freq;
            to.lpf_type = from.lpf_type;
            to.lpf_freq = from.lpf_freq;
            to.eq = from.eq;
            to.level = from.level;
            to.limiter = from.limiter;
            to.delay = from.delay;
            to.phase = from.phase;
        }
    return 0;
}

int applyInputEq(ProgramRecord& r, int code, const ParameterAddress& a, const std::vector<int>& v) {
    const std::vector<std::size_t> targets = inputTargets(a.channel);
    const auto band = static_cast<std::size_t>(a.band);
    switch (code) {
    case 12:
        if (!inRange(v[0], 0, 48))
            return 21;
        for (std::size_t t : targets) {
            if (a.band == kAllGeqBands) {
                for (auto& level : r.geq_level)
                    level[t] = u8(v[0]);
            } else {
                r.geq_level[band][t] = u8(v[0]);
            }
        }
        return 0;
    case 13:
        return setEach(targets, v[0], 0, kMaxLevel,
                       [&](std::size_t t) -> std::uint8_t& { return r.geq_gain[t]; });
    case 14:
        return setEach(targets, v[0], 0, 1,
                       [&](std::size_t t) -> std::uint8_t& { return r.geq_on[t]; });
    case 21:
        if (!bandFits(v))
            return 21;
        for (std::size_t t : targets)
            r.peq_band[band][t] = bandOf(v);
        return 0;
    case 22:
        for (std::size_t t : targets)
            if (!frequencyFitsType(r.peq_band[band][t].type, v[0]))
                return 21;
        for (std::size_t t : targets)
            r.peq_band[band][t].freq = u8(v[0]);
        return 0;
    case 23:
        return setEach(targets, v[0], 0, 48,
                       [&](std::size_t t) -> std::uint8_t& { return r.peq_band[band][t].level; });
    case 24:
        return setEach(targets, v[0], 0, 72,
                       [&](std::size_t t) -> std::uint8_t& { return r.peq_band[band][t].q; });
    case 25:
        return setEach(targets, v[0], 0, kMaxLevel,
                       [&](std::size_t t) -> std::uint8_t& { return r.peq_gain[t]; });
    case 26:
        return setEach(targets, v[0], 0, 1,
                       [&](std::size_t t) -> std::uint8_t& { return r.peq_on[t]; });
    }
    return 20;
}

int applyCompressor(ProgramRecord& r, int code, const ParameterAddress& a,
                    const std::vector<int>& v) {
    const auto ch = static_cast<std::size_t>(a.channel - 1);
    const std::vector<std::size_t> one{ch};
    EqBand& side = r.side_eq[ch];
    switch (code) {
    case 27:
        return setEach(one, v[0], 0, 1,
                       [&](std::size_t t) -> std::uint8_t& { return r.comp_on[t]; });
    case 28:
        if (!bandFits(v))
            return 21;
        side = bandOf(v);
        return 0;
    case 29:
        if (!frequencyFitsType(side.type, v[0]))
            return 21;
        side.freq = u8(v[0]);
        return 0;
    case 30:
        return setEach(one, v[0], 0, 48, [&](std::size_t) -> std::uint8_t& { return side.level; });
    case 31:
        return setEach(one, v[0], 0, 72, [&](std::size_t) -> std::uint8_t& { return side.q; });
    case 32:
        return setEach(one, v[0], 0, 60,
                       [&](std::size_t t) -> std::uint8_t& { return r.comp_attack[t]; });
    case 33:
        return setEach(one, v[0], 0, 48,
                       [&](std::size_t t) -> std::uint8_t& { return r.comp_release[t]; });
    case 34:
        return setEach(one, v[0], 0, 96,
                       [&](std::size_t t) -> std::uint8_t& { return r.comp_threshold[t]; });
    case 35:
        return setEach(one, v[0], 0, 100,
                       [&](std::size_t t) -> std::uint8_t& { return r.comp_ratio[t]; });
    case 36: {
        // In every linked mode the two channels share one make-up gain.
        const std::vector<std::size_t> targets =
            r.comp_link == 0 ? one : std::vector<std::size_t>{0, 1};
        return setEach(targets, v[0], 0, kMaxMakeUpGain,
                       [&](std::size_t t) -> std::uint8_t& { return r.comp_gain[t]; });
    }
    case 38:
        if (!inRange(v[0], 0, kMaxDelay))
            return 21;
        r.master_delay[ch] = static_cast<std::uint32_t>(v[0]);
        return 0;
    }
    return 20;
}

int applyOutput(ProgramRecord& r, int code, const ParameterAddress& a, const std::vector<int>& v) {
    const auto c = static_cast<std::size_t>(a.channel);
    const std::vector<std::size_t> linked = outputTargets(r, a.channel);
    const std::vector<std::size_t> alone{c};
    const auto k = static_cast<std::size_t>(a.band);
    auto out = [&](std::size_t t) -> OutputChannel& { return r.out[t]; };
    switch (code) {
    case 40: // each output picks its own source
        return setEach(
            alone, v[0], 0, 2, [&](std::size_t t) -> auto& { return out(t).source; });
    case 41:
        return setEach(
            linked, v[0], 0, 11, [&](std::size_t t) -> auto& { return out(t).hpf_type; });
    case 42:
        return setEach(
            linked, v[0], 0, 121, [&](std::size_t t) -> auto& { return out(t).hpf_freq; });
    case 43:
        return setEach(
            linked, v[0], 0, 11, [&](std::size_t t) -> auto& { return out(t).lpf_type; });
    case 44:
        return setEach(
            linked, v[0], 1, 122, [&](std::size_t t) -> auto& { return out(t).lpf_freq; });
    case 45:
        if (!bandFits(v))
            return 21;
        for (std::size_t t : linked)
            out(t).eq[k] = bandOf(v);
        return 0;
    case 46:
        if (!frequencyFitsType(out(c).eq[k].type, v[0]))
            return 21;
        for (std::size_t t : linked)
            out(t).eq[k].freq = u8(v[0]);
        return 0;
    case 47:
        return setEach(
            linked, v[0], 0, 48, [&](std::size_t t) -> auto& { return out(t).eq[k].level; });
    case 48:
        return setEach(
            linked, v[0], 0, 72, [&](std::size_t t) -> auto& { return out(t).eq[k].q; });
    case 49:
        return setEach(
            linked, v[0], 0, kMaxLevel, [&](std::size_t t) -> auto& { return out(t).level; });
    case 50:
        return setEach(
            linked, v[0], 0, 53, [&](std::size_t t) -> auto& { return out(t).limiter; });
    case 51:
        if (!inRange(v[0], 0, kMaxDelay))
            return 21;
        for (std::size_t t : linked)
            out(t).delay = static_cast<std::uint32_t>(v[0]);
        return 0;
    case 52:
        return setEach(
            linked, v[0], 0, 1, [&](std::size_t t) -> auto& { return out(t).phase; });
    case 53: // the mutes act on one output each
        return setEach(
            alone, v[0], 0, 1, [&](std::size_t t) -> auto& { return out(t).on; });
    }
    return 20;
}

QByteArray digits(long value, int width) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%0*ld", width, value);
    return QByteArray(buffer);
}

QByteArray bandDigits(const EqBand& b) {
    return digits(b.type, 3) + digits(b.freq, 3) + digits(b.level, 3) + digits(b.q, 3);
}

} // namespace

int ParameterEditor::apply(ProgramRecord& record, const ParsedEdit& edit) {
    if (edit.error != 0)
        return edit.error;
    const ParameterAddress& a = edit.address;
    const std::vector<int>& v = edit.values;
    ProgramRecord changed = record;
    ProgramRecord& r = changed;
    const int code = a.layout.code;
    int result = 20;
    const std::vector<std::size_t> none{0};
    switch (code) {
    case 1:
        result = setEach(
            none, v[0], 0, 1, [&](std::size_t) -> auto& { return r.input_mode; });
        break;
    case 2:
        result = setEach(
            none, v[0], 0, 1, [&](std::size_t) -> auto& { return r.sg_wave; });
        break;
    case 3:
        result = setEach(
            none, v[0], 0, kMaxLevel, [&](std::size_t) -> auto& { return r.pink_level; });
        break;
    case 4:
        result = setEach(
            none, v[0], 1, 121, [&](std::size_t) -> auto& { return r.sine_freq; });
        break;
    case 5:
        result = setEach(
            none, v[0], 0, 181, [&](std::size_t) -> auto& { return r.sine_level; });
        break;
    case 6:
        result = setEach(
            none, v[0], 0, 1, [&](std::size_t) -> auto& { return r.sg_mute; });
        break;
    case 7:
        result = setEach(
            none, v[0], 0, 4, [&](std::size_t) -> auto& { return r.input_select; });
        break;
    case 10:
        result = setEach(
            none, v[0], 0, 1, [&](std::size_t) -> auto& { return r.eq_mode; });
        break;
    case 11:
        result = linkInputs(r, v[0], true);
        break;
    case 20:
        result = linkInputs(r, v[0], false);
        break;
    case 37:
        result = setEach(
            none, v[0], 0, 3, [&](std::size_t) -> auto& { return r.comp_link; });
        // The leading channel's make-up gain becomes the shared one.
        if (result == 0 && (v[0] == 1 || v[0] == 2))
            r.comp_gain[1] = r.comp_gain[0];
        else if (result == 0 && v[0] == 3)
            r.comp_gain[0] = r.comp_gain[1];
        break;
    case 54:
        result = regroupOutputs(r, v);
        break;
    default:
        if (code >= 12 && code <= 26)
            result = applyInputEq(r, code, a, v);
        else if (code >= 27 && code <= 38)
            result = applyCompressor(r, code, a, v);
        else if (code >= 40 && code <= 53)
            result = applyOutput(r, code, a, v);
        break;
    }
    if (result == 0)
        record = changed;
    return result;
}

QByteArray ParameterEditor::read(const ProgramRecord& r, const ParameterAddress& a) {
    const auto in = static_cast<std::size_t>(a.channel <= 0 ? 0 : a.channel - 1);
    const auto out = static_cast<std::size_t>(a.channel < 0 ? 0 : a.channel);
    const auto band = static_cast<std::size_t>(a.band < 0 ? 0 : a.band);
    const OutputChannel& o = r.out[out < kOutputCount ? out : 0];
    switch (a.layout.code) {
    case 1:
        return digits(r.input_mode, 3);
    case 2:
        return digits(r.sg_wave, 3);
    case 3:
        return digits(r.pink_level, 3);
    case 4:
        return digits(r.sine_freq, 3);
    case 5:
        return digits(r.sine_level, 3);
    case 6:
        return digits(r.sg_mute, 3);
    case 7:
        return digits(r.input_select, 3);
    case 10:
        return digits(r.eq_mode, 3);
    case 11:
        return digits(r.geq_link != 0 ? 1001 : 0, 4);
    case 12:
        return a.band == kAllGeqBands ? QByteArray() : digits(r.geq_level[band][in], 3);
    case 13:
        return digits(r.geq_gain[in], 3);
    case 14:
        return digits(r.geq_on[in], 3);
    case 20:
        return digits(r.peq_link != 0 ? 1001 : 0, 4);
    case 21:
        return bandDigits(r.peq_band[band][in]);
    case 22:
        return digits(r.peq_band[band][in].freq, 3);
    case 23:
        return digits(r.peq_band[band][in].level, 3);
    case 24:
        return digits(r.peq_band[band][in].q, 3);
    case 25:
        return digits(r.peq_gain[in], 3);
    case 26:
        return digits(r.peq_on[in], 3);
    case 27:
        return digits(r.comp_on[in], 3);
    case 28:
        return bandDigits(r.side_eq[in]);
    case 29:
        return digits(r.side_eq[in].freq, 3);
    case 30:
        return digits(r.side_eq[in].level, 3);
    case 31:
        return digits(r.side_eq[in].q, 3);
    case 32:
        return digits(r.comp_attack[in], 3);
    case 33:
        return digits(r.comp_release[in], 3);
    case 34:
        return digits(r.comp_threshold[in], 3);
    case 35:
        return digits(r.comp_ratio[in], 3);
    case 36:
        return digits(r.comp_gain[in], 3);
    case 37:
        return digits(r.comp_link, 3);
    case 38:
        return digits(r.master_delay[in], 6);
    case 40:
        return digits(o.source, 3);
    case 41:
        return digits(o.hpf_type, 3);
    case 42:
        return digits(o.hpf_freq, 3);
    case 43:
        return digits(o.lpf_type, 3);
    case 44:
        return digits(o.lpf_freq, 3);
    case 45:
        return bandDigits(o.eq[band]);
    case 46:
        return digits(o.eq[band].freq, 3);
    case 47:
        return digits(o.eq[band].level, 3);
    case 48:
        return digits(o.eq[band].q, 3);
    case 49:
        return digits(o.level, 3);
    case 50:
        return digits(o.limiter, 3);
    case 51:
        return digits(o.delay, 6);
    case 52:
        return digits(o.phase, 3);
    case 53:
        return digits(o.on, 3);
    case 54: {
        QByteArray masks;
        for (std::size_t c = 0; c < 5; ++c)
            masks += digits(r.out[c].link_mask, 3);
        return masks;
    }
    }
    return {};
}

} // namespace mqx::sim
