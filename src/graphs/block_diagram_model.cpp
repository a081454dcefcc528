#include "graphs/block_diagram_model.h"

#include <cstddef>

namespace mqx {

namespace {

constexpr int kChannelPitch = 101;
constexpr int kOutputTop = 1;
constexpr int kOutputPitch = 38;
constexpr int kBlockHeight = 32;

struct PartSpan {
    int x;
    int width;
};

constexpr std::array<PartSpan, kOutputPartCount> kPartSpans = {{
    {284, 32}, // high-pass
    {320, 32}, // low-pass
    {356, 43}, // equalisers
    {403, 45}, // level
    {453, 42}, // limiter
    {499, 35}, // delay
    {538, 38}, // phase
    {580, 40}, // mute
}};

constexpr std::uint8_t kGainZeroDb = 181;
constexpr std::uint8_t kLowPassOff = 122;

enum CompLink : std::uint8_t { kIndividual = 0, kLinkStereo = 1, kLinkIn1 = 2, kLinkIn2 = 3 };

bool compressorCountsAsOn(const ProgramRecord& r, std::size_t ch) {
    switch (r.comp_link) {
    case kIndividual:
        return r.comp_on[ch] == 1;
    case kLinkIn2:
        return r.comp_on[1] == 1;
    default:
        // Stereo and IN-1 links both run on the first channel's settings.
        return r.comp_on[0] == 1;
    }
}

std::array<bool, kOutputPartCount> outputLighting(const OutputChannel& o) {
    std::array<bool, kOutputPartCount> lit{};
    auto set = [&lit](OutputPart part, bool on) { lit[static_cast<std::size_t>(part)] = on; };
    bool anyEq = false;
    for (const EqBand& band : o.eq)
        anyEq = anyEq || band.type != 0;
    set(OutputPart::HighPass, o.hpf_freq != 0);
    set(OutputPart::LowPass, o.lpf_freq < kLowPassOff);
    set(OutputPart::Equaliser, anyEq);
    set(OutputPart::Level, o.level != kGainZeroDb);
    set(OutputPart::Limiter, o.limiter != 0);
    set(OutputPart::Delay, o.delay != 0);
    set(OutputPart::Phase, o.phase == 1);
    set(OutputPart::Mute, o.on == 0);
    return lit;
}

} // namespace

QRect InputBlockRect() {
    return {1, 11, 20, 179};
}

QRect SignalGeneratorRect() {
    return {1, 200, 58, 32};
}

QRect GeqRect(int ch) {
    return {78, 15 + kChannelPitch * ch, 105, kBlockHeight};
}

QRect PeqRect(int ch) {
    return {78, 56 + kChannelPitch * ch, 54, kBlockHeight};
}

QRect CompressorRect(int ch) {
    return {137, 56 + kChannelPitch * ch, 46, kBlockHeight};
}

QRect InputDelayRect(int ch) {
    return {210, 36 + kChannelPitch * ch, 35, kBlockHeight};
}

QRect OutputRowRect(int c) {
    return {284, kOutputTop + kOutputPitch * c, 292, kBlockHeight};
}

QRect OutputPartRect(int c, OutputPart part) {
    const PartSpan span = kPartSpans[static_cast<std::size_t>(part)];
    return {span.x, kOutputTop + kOutputPitch * c, span.width, kBlockHeight};
}

QRect InputRoutingRect() {
    return {31, 11, 20, 179};
}

QRect OutputRoutingRect() {
    return {249, 1, 25, 222};
}

std::array<QRect, 2> PeqCompRoutingRects() {
    return {QRect(54, 26, 22, 152), QRect(185, 26, 22, 152)};
}

const std::array<DiagramTarget, 16>& DiagramTargets() {
    static const std::array<DiagramTarget, 16> targets = {{
        {InputBlockRect(), 0},
        {SignalGeneratorRect(), 0},
        {GeqRect(0), 1},
        {GeqRect(1), 2},
        {PeqRect(0), 3},
        {PeqRect(1), 4},
        {CompressorRect(0), 5},
        {CompressorRect(1), 5},
        {InputDelayRect(0), 6},
        {InputDelayRect(1), 6},
        {OutputRowRect(0), 7},
        {OutputRowRect(1), 8},
        {OutputRowRect(2), 9},
        {OutputRowRect(3), 10},
        {OutputRowRect(4), 11},
        {OutputRowRect(5), 12},
    }};
    return targets;
}

int TabAtPoint(QPoint p) {
    for (const DiagramTarget& target : DiagramTargets()) {
        if (target.rect.contains(p))
            return target.tab;
    }
    return -1;
}

DiagramLighting LightDiagram(const ProgramRecord& r) {
    DiagramLighting l;
    l.signalGenerator = r.input_mode != 0;
    l.input = !l.signalGenerator;
    l.peqCompRouting = r.eq_mode == 1;
    for (std::size_t ch = 0; ch < kInputCount; ++ch) {
        if (l.peqCompRouting) {
            l.peq[ch] = r.peq_on[ch] == 1 || r.peq_gain[ch] != kGainZeroDb;
            l.compressor[ch] = compressorCountsAsOn(r, ch) || r.comp_gain[ch] != kGainZeroDb;
        } else {
            l.geq[ch] = r.geq_on[ch] == 1 || r.geq_gain[ch] != kGainZeroDb;
        }
        l.inputDelay[ch] = r.master_delay[ch] != 0;
    }
    for (std::size_t c = 0; c < kOutputCount; ++c)
        l.outputParts[c] = outputLighting(r.out[c]);
    return l;
}

std::vector<QRect> LitRects(const DiagramLighting& l) {
    std::vector<QRect> rects;
    if (l.input)
        rects.push_back(InputBlockRect());
    if (l.signalGenerator)
        rects.push_back(SignalGeneratorRect());
    for (int ch = 0; ch < kInputCount; ++ch) {
        const auto i = static_cast<std::size_t>(ch);
        if (l.geq[i])
            rects.push_back(GeqRect(ch));
        if (l.peq[i])
            rects.push_back(PeqRect(ch));
        if (l.compressor[i])
            rects.push_back(CompressorRect(ch));
        if (l.inputDelay[i])
            rects.push_back(InputDelayRect(ch));
    }
    for (int c = 0; c < kOutputCount; ++c) {
        for (int p = 0; p < kOutputPartCount; ++p) {
            if (l.outputParts[static_cast<std::size_t>(c)][static_cast<std::size_t>(p)])
                rects.push_back(OutputPartRect(c, static_cast<OutputPart>(p)));
        }
    }
    return rects;
}

} // namespace mqx
