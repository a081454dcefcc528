#include "pages/display_indicators.h"

#include "program/value_scales.h"

namespace mqx {
namespace {

// FrequencyHz steps at the lamp bands' edges: a high-pass below the edge passes the band
// above it, a low-pass from the step after the edge passes the band below it.
constexpr int k100Hz = 29;
constexpr int k106Hz = 30;
constexpr int k500Hz = 57;
constexpr int k530Hz = 58;
constexpr int k1kHz = 69;
constexpr int k1060Hz = 70;
constexpr int kHighPassOff = 0;
constexpr int kLowPassOff = 122;

} // namespace

std::uint8_t PanelIndicator(const ProgramRecord& record, int channel) {
    if (channel < 0 || channel >= kOutputCount)
        return 0;
    const OutputChannel& out = record.out[static_cast<std::size_t>(channel)];
    // A band is lit when the high-pass lets it through and the low-pass does too.
    unsigned mask = LampAbove1kHz;
    if (out.hpf_freq < k1kHz)
        mask |= Lamp500HzTo1kHz;
    if (out.hpf_freq < k500Hz)
        mask |= Lamp100To500Hz;
    if (out.hpf_freq < k100Hz)
        mask |= LampBelow100Hz;
    if (out.lpf_freq < k1060Hz)
        mask &= 0x07u;
    if (out.lpf_freq < k530Hz)
        mask &= 0x03u;
    if (out.lpf_freq < k106Hz)
        mask &= 0x01u;
    // A muted channel still shows where its signal would come from.
    if (out.on == 0)
        mask = 0;
    if (record.input_mode == 0) {
        if (out.source == 0 || out.source == 1)
            mask |= LampInput1;
        if (out.source == 0 || out.source == 2)
            mask |= LampInput2;
    }
    return static_cast<std::uint8_t>(mask);
}

void UpdatePanelIndicator(ProgramRecord& record, int channel) {
    if (channel < 0 || channel >= kOutputCount)
        return;
    record.panel_indicator[static_cast<std::size_t>(channel)] = PanelIndicator(record, channel);
}

void UpdatePanelIndicators(ProgramRecord& record) {
    for (int c = 0; c < kOutputCount; ++c)
        UpdatePanelIndicator(record, c);
}

QString SourceSummary(const OutputChannel& channel) {
    return StepText(Scale::SourceName, channel.source);
}

QString HpfSummary(const OutputChannel& channel) {
    const QString text = StepText(Scale::FrequencyHz, channel.hpf_freq);
    return channel.hpf_freq == kHighPassOff ? text : text + QStringLiteral("Hz");
}

QString LpfSummary(const OutputChannel& channel) {
    const QString text = StepText(Scale::FrequencyHz, channel.lpf_freq);
    return channel.lpf_freq == kLowPassOff ? text : text + QStringLiteral("Hz");
}

} // namespace mqx
