#include "pages/display_indicators.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace mqx;

namespace {
constexpr int kOff = 0, kLpfOff = 122;
} // namespace

// The lamps of output A: its band lamps follow the crossover filters (each edge one step
// either side), a muted channel or the generator leaves only what the inputs explain.
TEST(PanelIndicator, LampsFollowFiltersMuteAndSource) {
    // The input mode; output A's source, HPF, LPF and on; its lamps.
    const std::tuple<int, int, int, int, int, int> cases[] = {
        {0, 0, kOff, kLpfOff, 1, 0x3F}, {0, 0, 69, kLpfOff, 1, 0x38},
        {0, 0, kOff, 29, 1, 0x31},      {0, 1, 28, kLpfOff, 1, 0x2F},
        {0, 1, 29, kLpfOff, 1, 0x2E},   {0, 1, 56, kLpfOff, 1, 0x2E},
        {0, 1, 57, kLpfOff, 1, 0x2C},   {0, 1, 68, kLpfOff, 1, 0x2C},
        {0, 2, kOff, 70, 1, 0x1F},      {0, 2, kOff, 69, 1, 0x17},
        {0, 2, kOff, 58, 1, 0x17},      {0, 2, kOff, 57, 1, 0x13},
        {0, 2, kOff, 30, 1, 0x13},      {0, 2, 57, 69, 1, 0x14}, // a band pass of 500 Hz..1 kHz
        {0, 2, kOff, kLpfOff, 0, 0x10}, {0, 0, kOff, kLpfOff, 0, 0x30},
        {1, 0, kOff, kLpfOff, 0, 0x00}, {1, 1, kOff, kLpfOff, 1, 0x0F},
        {1, 9, kOff, kLpfOff, 1, 0x0F}, {0, 9, kOff, kLpfOff, 1, 0x0F}, // no such source
    };
    ProgramRecord record;
    ApplyRecordDefaults(record);
    OutputChannel& a = record.out[0];
    for (const auto& [inputMode, source, hpf, lpf, on, mask] : cases) {
        std::tie(record.input_mode, a.source, a.hpf_freq, a.lpf_freq, a.on) =
            std::tuple(inputMode, source, hpf, lpf, on);
        EXPECT_EQ(PanelIndicator(record, 0), mask) << source << " " << hpf << " " << lpf;
    }
}

TEST(PanelIndicator, UpdatingStoresEachChannelsOwnMask) {
    ProgramRecord record;
    ApplyRecordDefaults(record);
    record.input_mode = 0;
    record.panel_indicator.fill(0xFF);
    record.out[3].on = 0;
    record.out[4].hpf_freq = 69;
    UpdatePanelIndicators(record);
    for (int c = 0; c < kOutputCount; ++c)
        EXPECT_EQ(record.panel_indicator[static_cast<std::size_t>(c)], PanelIndicator(record, c));
    const auto& lamps = record.panel_indicator;
    EXPECT_EQ(std::tuple(lamps[3] & 0x0F, lamps[4] & 0x07, lamps[0] & 0xC0), std::tuple(0, 0, 0));
    record.out[3].on = 1;
    UpdatePanelIndicator(record, 3);
    UpdatePanelIndicator(record, 6); // no such channel: nothing written past the array
    EXPECT_NE(record.panel_indicator[3] & 0x0F, 0);
    EXPECT_EQ(PanelIndicator(record, 6), 0);
}

TEST(PanelIndicator, SummariesShowSourceAndFilterFrequencies) {
    OutputChannel a{};
    const std::tuple<int, int, int, const char*, const char*, const char*> cases[] = {
        {2, 0, 122, "IN-2", " Off  ", " Off  "},
        {0, 29, 121, "MIX ", " 100.0Hz", "20.00kHz"},
    };
    for (const auto& [source, hpf, lpf, sourceText, hpfText, lpfText] : cases) {
        std::tie(a.source, a.hpf_freq, a.lpf_freq) = std::tuple(source, hpf, lpf);
        EXPECT_EQ(QStringList({SourceSummary(a), HpfSummary(a), LpfSummary(a)}),
                  QStringList({sourceText, hpfText, lpfText}));
    }
}
