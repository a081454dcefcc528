#include "core/session.h"
#include "graphs/frequency_grid.h"
#include "program/record_text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mqx;

namespace {

Session freshSession() {
    Session s;
    ApplyDefaults(s);
    return s;
}

} // namespace

TEST(ProgramRecord, FieldTableCoversEveryByteOnceInOrder) {
    int next = 0;
    for (const RecordField& f : RecordFields()) {
        EXPECT_EQ(f.offset, next) << f.name.toStdString();
        next = f.offset + f.width;
    }
    EXPECT_EQ(next, kRecordSize);
}

TEST(ProgramRecord, FieldNamesFollowTheLayout) {
    const auto find = [](const char* name) {
        for (const RecordField& f : RecordFields())
            if (f.name == QLatin1StringView(name))
                return f.offset;
        return -1;
    };
    EXPECT_EQ(find("geq_level[0][1]"), 307);
    EXPECT_EQ(find("geq_level[30][1]"), 367);
    EXPECT_EQ(find("peq_band[1][1].q"), 373 + 8 + 4 + 3);
    EXPECT_EQ(find("side_eq[1].freq"), 466 + 4 + 1);
    EXPECT_EQ(find("out[1].hpf_freq"), 492 + 28 + 3);
    EXPECT_EQ(find("out[5].on"), 492 + 5 * 28 + 25);
    EXPECT_EQ(find("master_delay[1]"), 488);
}

TEST(ProgramRecord, DefaultsMatchTheFactoryProgram) {
    Session s = freshSession();
    const ProgramRecord& r = s.CurrentRecord();
    EXPECT_EQ(r.write_enable, 255);
    EXPECT_EQ(std::string(r.name.begin(), r.name.end()), std::string(21, '.'));
    EXPECT_EQ(std::string(r.comment.begin(), r.comment.end()), std::string(256, '.'));
    EXPECT_EQ(r.pink_level, 181);
    EXPECT_EQ(r.sine_freq, 69);
    EXPECT_EQ(r.sine_level, 141);
    EXPECT_EQ(r.sg_wave, 1);
    EXPECT_EQ(r.input_select, 4);
    EXPECT_EQ(r.geq_link, 1);
    for (const auto& band : r.geq_level)
        EXPECT_EQ(band, (std::array<std::uint8_t, 2>{24, 24}));
    EXPECT_EQ(r.peq_band[10][1], kFlatEqBand);
    EXPECT_EQ(r.side_eq[0], kFlatEqBand);
    EXPECT_EQ(r.comp_link, 1);
    EXPECT_EQ(r.comp_attack[1], 24);
    EXPECT_EQ(r.comp_release[0], 28);
    EXPECT_EQ(r.comp_gain[0], 181);
    const std::array<int, 6> source = {1, 1, 1, 2, 2, 2};
    const std::array<int, 6> hpf = {0, 29, 69, 0, 29, 69};
    const std::array<int, 6> lpf = {29, 69, 122, 29, 69, 122};
    for (std::size_t c = 0; c < 6; ++c) {
        const OutputChannel& o = r.out[c];
        EXPECT_EQ(o.link_mask, 0x20 >> c);
        EXPECT_EQ(o.display_mask, 0x20 >> c);
        EXPECT_EQ(o.source, source[c]);
        EXPECT_EQ(o.hpf_freq, hpf[c]);
        EXPECT_EQ(o.lpf_freq, lpf[c]);
        EXPECT_EQ(o.hpf_type, 1);
        EXPECT_EQ(o.level, 181);
        EXPECT_EQ(o.on, 1);
    }
}

TEST(ProgramRecord, DefaultsKeepReservedBytesAndFillersAndResetPageMemories) {
    Session s;
    ProgramRecord& r = s.CurrentRecord();
    r.reserved_294[3] = 0x5A;
    r.out[2].filler = 7;
    r.geq_level[5][1] = 3;
    s.peqBandOff.type[1][4] = 2;
    s.savedBandSettings.channel[3].lpf_freq = 40;
    s.meterLevels.outputMeter[2] = 77;
    s.meterLevels.compReduction[0] = 12;

    ApplyDefaults(s);
    EXPECT_EQ(r.reserved_294[3], 0x5A);
    EXPECT_EQ(r.out[2].filler, 7);
    EXPECT_EQ(r.geq_level[5][1], 24);
    EXPECT_FALSE(s.peqBandOff.holdsAnything());
    EXPECT_FALSE(s.savedBandSettings.holdsAnything());
    EXPECT_EQ(s.meterLevels.outputMeter[2], 0);
    EXPECT_EQ(s.meterLevels.compReduction, (std::array<std::uint8_t, 2>{90, 90}));
}

TEST(ProgramRecord, TableHolds51RecordsAndRefusesOthers) {
    Session s = freshSession();
    s.Record(50).empty_flag = 255;
    EXPECT_EQ(s.programs.Record(50).empty_flag, 255);
    EXPECT_EQ(&s.CurrentRecord(), &s.Record(0));
    EXPECT_THROW(s.Record(51), std::out_of_range);
    EXPECT_THROW(s.Record(-1), std::out_of_range);
}

TEST(FrequencyGrid, IsLogarithmicWith100HzAtIndex93) {
    const auto& g = FrequencyGrid();
    EXPECT_DOUBLE_EQ(g[93], 100.0);
    EXPECT_NEAR(g[213], 1000.0, 1e-9);
    EXPECT_NEAR(g[0], 100.0 * std::pow(10.0, -93.0 / 120.0), 1e-9);
    EXPECT_NEAR(g[381] / g[261], 10.0, 1e-9);
}
