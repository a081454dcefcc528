#include "core/session.h"
#include "program/record_text.h"

#include <gtest/gtest.h>

#include <map>

using namespace mqx;

TEST(ProgramRecord, FieldTableCoversEveryByteOnceInOrderUnderItsName) {
    int next = 0;
    std::map<QString, int> offsets;
    for (const RecordField& f : RecordFields()) {
        EXPECT_EQ(f.offset, next) << f.name.toStdString();
        next = f.offset + f.width;
        offsets[f.name] = f.offset;
    }
    EXPECT_EQ(next, kRecordSize);
    const std::pair<const char*, int> named[] = {
        {"geq_level[0][1]", 307},       {"geq_level[30][1]", 367},
        {"peq_band[1][1].q", 373 + 15}, {"side_eq[1].freq", 466 + 5},
        {"out[1].hpf_freq", 492 + 31},  {"out[5].on", 492 + 5 * 28 + 25},
        {"master_delay[1]", 488}};
    for (const auto& [name, offset] : named)
        EXPECT_EQ(offsets[QString::fromLatin1(name)], offset) << name;
}

// The name and comment of dots are record_text_test's.
TEST(ProgramRecord, DefaultsMatchTheFactoryProgram) {
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    EXPECT_EQ((std::vector<int>{r.write_enable, r.pink_level, r.sine_freq, r.sine_level, r.sg_wave,
                                r.input_select, r.geq_link, r.comp_link, r.comp_attack[1],
                                r.comp_release[0], r.comp_gain[0]}),
              (std::vector<int>{255, 181, 69, 141, 1, 4, 1, 1, 24, 28, 181}));
    for (const auto& band : r.geq_level)
        EXPECT_EQ(band, (std::array<std::uint8_t, 2>{24, 24}));
    EXPECT_EQ(r.peq_band[10][1], kFlatEqBand);
    EXPECT_EQ(r.side_eq[0], kFlatEqBand);
    const std::array<int, 6> source = {1, 1, 1, 2, 2, 2};
    const std::array<int, 6> hpf = {0, 29, 69, 0, 29, 69};
    const std::array<int, 6> lpf = {29, 69, 122, 29, 69, 122};
    for (std::size_t c = 0; c < 6; ++c) {
        const OutputChannel& o = r.out[c];
        EXPECT_EQ((std::vector<int>{o.link_mask, o.display_mask, o.source, o.hpf_freq, o.lpf_freq,
                                    o.hpf_type, o.level, o.on}),
                  (std::vector<int>{0x20 >> int(c), 0x20 >> int(c), source[c], hpf[c], lpf[c], 1,
                                    181, 1}))
            << "output " << c;
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
    const auto& m = s.meterLevels;
    EXPECT_EQ((std::vector<int>{r.reserved_294[3], r.out[2].filler, r.geq_level[5][1],
                                m.outputMeter[2], m.compReduction[0], m.compReduction[1]}),
              (std::vector<int>{0x5A, 7, 24, 0, 90, 90}));
    EXPECT_FALSE(s.peqBandOff.holdsAnything() || s.savedBandSettings.holdsAnything());
}

TEST(ProgramRecord, TableHolds51RecordsAndRefusesOthers) {
    Session s;
    s.Record(50).empty_flag = 255;
    EXPECT_EQ(s.programs.Record(50).empty_flag, 255);
    EXPECT_EQ(&s.CurrentRecord(), &s.Record(0));
    EXPECT_THROW(s.Record(51), std::out_of_range);
    EXPECT_THROW(s.Record(-1), std::out_of_range);
}
