#include "program/field_labels.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace mqx;

namespace {

struct DiffCase {
    const char* what;
    std::function<void(ProgramRecord&)> edit; // applied to the PC's copy
    QStringList lines;
};

} // namespace

TEST(FieldLabels, EditedFieldsGiveOneLineEachInThePagesUnits) {
    const std::vector<DiffCase> cases = {
        {"output level",
         [](ProgramRecord& r) { r.out[2].level = 175; },
         {"OUT-3 Level: PC -3.0 dB, unit 0.0 dB"}},
        {"PEQ band frequency of input 1",
         [](ProgramRecord& r) { r.peq_band[1][0].freq = 49; },
         {"IN-1 PEQ 2 Freq: PC 315.0 Hz, unit 1.00k Hz"}},
        {"GEQ band named by its frequency",
         [](ProgramRecord& r) { r.geq_level[17][1] = 30; },
         {"IN-2 GEQ 1k Level: PC 3.0 dB, unit 0.0 dB"}},
        {"output EQ type and a limiter, in record order",
         [](ProgramRecord& r) {
             r.out[5].limiter = 13;
             r.out[0].eq[2].type = 1;
         },
         {"OUT-1 EQ 3 Type: PC Peaking, unit Off", "OUT-6 Limiter: PC 0.0 dBFS, unit Off"}},
        {"switches and modes without a scale",
         [](ProgramRecord& r) {
             r.eq_mode = 1;
             r.comp_link = 2;
             r.out[3].phase = 1;
             r.out[3].on = 0;
         },
         {"EQ Mode: PC PEQ+Comp., unit GEQ", "Comp Link: PC LINK(IN-1), unit LINK(STEREO)",
          "OUT-4 Phase: PC Inverse, unit Normal", "OUT-4 ON: PC OFF, unit ON"}},
        {"delays in milliseconds and output links",
         [](ProgramRecord& r) {
             r.master_delay[1] = 96;
             r.out[0].link_mask = OutputBit(0) | OutputBit(1);
         },
         {"IN-2 Master Delay: PC 1.0000 msec, unit 0.0000 msec",
          "OUT-1 Link Mask: PC OUT-1+OUT-2, unit OUT-1"}},
        {"where the record sits is no difference",
         [](ProgramRecord& r) {
             r.program_number = 7;
             r.empty_flag = 0;
             r.out[1].display_mask = 0x3F;
         },
         {}},
    };
    ProgramRecord unit{};
    ApplyRecordDefaults(unit);
    std::memset(unit.name.data(), ' ', unit.name.size());
    for (const DiffCase& c : cases) {
        ProgramRecord pc = unit;
        c.edit(pc);
        EXPECT_EQ(DiffRecords(pc, unit).join(u'\n').toStdString(),
                  c.lines.join(u'\n').toStdString())
            << c.what;
    }
}

TEST(FieldLabels, EveryFieldHasItsOwnLabelAndIsFoundByItsBytes) {
    std::set<QString> seen;
    for (const RecordField& f : RecordFields()) {
        EXPECT_TRUE(seen.insert(FieldLabel(f)).second) << f.name.toStdString();
        EXPECT_EQ(FieldAt(f.offset + f.width - 1), &f) << f.name.toStdString();
    }
    EXPECT_EQ(FieldAt(kRecordSize), nullptr);
}
