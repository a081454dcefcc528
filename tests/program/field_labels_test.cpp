#include "program/field_labels.h"

#include <gtest/gtest.h>

#include <set>

using namespace mqx;

TEST(FieldLabels, EditedFieldsGiveOneLineEachInThePagesUnits) {
    ProgramRecord unit{};
    ApplyRecordDefaults(unit);
    std::memset(unit.name.data(), ' ', unit.name.size());
    ProgramRecord pc = unit;
    pc.program_number = 7;
    pc.empty_flag = 0;
    pc.out[1].display_mask = 0x3F;
    pc.eq_mode = 1;
    pc.geq_level[17][1] = 30;
    pc.peq_band[1][0].freq = 49;
    pc.comp_link = 2;
    pc.master_delay[1] = 96;
    pc.out[0].link_mask = OutputBit(0) | OutputBit(1);
    pc.out[0].eq[2].type = 1;
    pc.out[2].level = 175;
    pc.out[3].phase = 1;
    pc.out[3].on = 0;
    pc.out[5].limiter = 13;
    EXPECT_EQ(
        DiffRecords(pc, unit).join(u'\n').toStdString(),
        QStringList({"EQ Mode: PC PEQ+Comp., unit GEQ", "IN-2 GEQ 1k Level: PC 3.0 dB, unit 0.0 dB",
                     "IN-1 PEQ 2 Freq: PC 315.0 Hz, unit 1.00k Hz",
                     "Comp Link: PC LINK(IN-1), unit LINK(STEREO)",
                     "IN-2 Master Delay: PC 1.0000 msec, unit 0.0000 msec",
                     "OUT-1 Link Mask: PC OUT-1+OUT-2, unit OUT-1",
                     "OUT-1 EQ 3 Type: PC Peaking, unit Off",
                     "OUT-3 Level: PC -3.0 dB, unit 0.0 dB", "OUT-4 Phase: PC Inverse, unit Normal",
                     "OUT-4 ON: PC OFF, unit ON", "OUT-6 Limiter: PC 0.0 dBFS, unit Off"})
            .join(u'\n')
            .toStdString());
}

TEST(FieldLabels, EveryFieldHasItsOwnLabelAndIsFoundByItsBytes) {
    std::set<QString> seen;
    for (const RecordField& f : RecordFields()) {
        EXPECT_TRUE(seen.insert(FieldLabel(f)).second) << f.name.toStdString();
        EXPECT_EQ(FieldAt(f.offset + f.width - 1), &f) << f.name.toStdString();
    }
    EXPECT_EQ(FieldAt(kRecordSize), nullptr);
}
