#include "pages/display_indicators.h"

#include <gtest/gtest.h>

using namespace mqx;

namespace {

struct PanelIndicatorTest : ::testing::Test {
    void SetUp() override {
        ApplyRecordDefaults(record);
        record.input_mode = 0;
    }
    // Channel A with the given source, filters and mute.
    std::uint8_t mask(int source, int hpf, int lpf, bool sounding = true) {
        OutputChannel& a = record.out[0];
        a.source = static_cast<std::uint8_t>(source);
        a.hpf_freq = static_cast<std::uint8_t>(hpf);
        a.lpf_freq = static_cast<std::uint8_t>(lpf);
        a.on = sounding ? 1 : 0;
        return PanelIndicator(record, 0);
    }
    ProgramRecord record;
};

constexpr int kOff = 0, kLpfOff = 122;

} // namespace

TEST_F(PanelIndicatorTest, BandLampsFollowTheCrossoverFilters) {
    EXPECT_EQ(mask(0, kOff, kLpfOff), 0x3F); // all six lit
    EXPECT_EQ(mask(0, 69, kLpfOff), 0x38);   // HPF 1 kHz: only the band above 1 kHz
    EXPECT_EQ(mask(0, kOff, 29), 0x31);      // LPF 100 Hz: only the band below 100 Hz
    // Each edge, one step either side.
    EXPECT_EQ(mask(1, 28, kLpfOff), 0x2F);
    EXPECT_EQ(mask(1, 29, kLpfOff), 0x2E);
    EXPECT_EQ(mask(1, 56, kLpfOff), 0x2E);
    EXPECT_EQ(mask(1, 57, kLpfOff), 0x2C);
    EXPECT_EQ(mask(1, 68, kLpfOff), 0x2C);
    EXPECT_EQ(mask(2, kOff, 70), 0x1F);
    EXPECT_EQ(mask(2, kOff, 69), 0x17);
    EXPECT_EQ(mask(2, kOff, 58), 0x17);
    EXPECT_EQ(mask(2, kOff, 57), 0x13);
    EXPECT_EQ(mask(2, kOff, 30), 0x13);
    // A band pass from 500 Hz to 1 kHz: the high-pass removes the bands below 500 Hz
    // and the low-pass the one above 1 kHz.
    EXPECT_EQ(mask(2, 57, 69), 0x14);
}

TEST_F(PanelIndicatorTest, MutedChannelsAndTheGeneratorLeaveOnlyWhatTheInputsExplain) {
    EXPECT_EQ(mask(2, kOff, kLpfOff, false), 0x10); // muted, fed from IN-2
    EXPECT_EQ(mask(0, kOff, kLpfOff, false), 0x30);
    record.input_mode = 1;
    EXPECT_EQ(mask(0, kOff, kLpfOff, false), 0x00);
    EXPECT_EQ(mask(1, kOff, kLpfOff, true), 0x0F); // the generator lights no input lamp
    EXPECT_EQ(mask(9, kOff, kLpfOff, true), 0x0F); // nor does a source the unit lacks
    record.input_mode = 0;
    EXPECT_EQ(mask(9, kOff, kLpfOff, true), 0x0F);
}

TEST_F(PanelIndicatorTest, UpdatingStoresEachChannelsOwnMask) {
    record.panel_indicator.fill(0xFF);
    record.out[3].on = 0;
    record.out[4].hpf_freq = 69;
    UpdatePanelIndicators(record);
    for (int c = 0; c < kOutputCount; ++c)
        EXPECT_EQ(record.panel_indicator[static_cast<std::size_t>(c)], PanelIndicator(record, c));
    EXPECT_EQ(record.panel_indicator[3] & 0x0F, 0);
    EXPECT_EQ(record.panel_indicator[4] & 0x07, 0);
    EXPECT_EQ(record.panel_indicator[0] & 0xC0, 0);

    record.out[3].on = 1;
    UpdatePanelIndicator(record, 3);
    UpdatePanelIndicator(record, 6); // no such channel: nothing written past the array
    EXPECT_NE(record.panel_indicator[3] & 0x0F, 0);
}

TEST_F(PanelIndicatorTest, SummariesShowSourceAndFilterFrequencies) {
    OutputChannel& a = record.out[0];
    a.source = 2;
    a.hpf_freq = 0;
    a.lpf_freq = 122;
    EXPECT_EQ(SourceSummary(a), QStringLiteral("IN-2"));
    EXPECT_EQ(HpfSummary(a), QStringLiteral(" Off  "));
    EXPECT_EQ(LpfSummary(a), QStringLiteral(" Off  "));
    a.source = 0;
    a.hpf_freq = 29;
    a.lpf_freq = 121;
    EXPECT_EQ(SourceSummary(a), QStringLiteral("MIX "));
    EXPECT_EQ(HpfSummary(a), QStringLiteral(" 100.0Hz"));
    EXPECT_EQ(LpfSummary(a), QStringLiteral("20.00kHz"));
}
