#include "core/session.h"
#include "program/record_text.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

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

TEST(ProgramRecord, DefaultsSetTheOutputsAndForgetThePageMemoriesAndMeters) {
    Session s;
    s.peqBandOff.type[1][4] = 2;
    s.savedBandSettings.channel[3].lpf_freq = 40;
    s.meterLevels.compReduction[0] = 12;
    ApplyDefaults(s);
    for (const OutputChannel& o : s.CurrentRecord().out)
        EXPECT_EQ(std::tuple(o.hpf_type, o.lpf_type, o.level, o.on), std::tuple(1, 1, 181, 1));
    EXPECT_EQ(s.meterLevels.compReduction[0], 90);
    EXPECT_FALSE(s.peqBandOff.holdsAnything() || s.savedBandSettings.holdsAnything());
}

TEST(ProgramRecord, TableHolds51RecordsAndRefusesOthers) {
    Session s;
    EXPECT_EQ(&s.CurrentRecord(), &s.Record(0));
    EXPECT_THROW(s.Record(51), std::out_of_range);
    EXPECT_THROW(s.Record(-1), std::out_of_range);
}
