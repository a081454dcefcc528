#include "core/session.h"
#include "program/program_transfer.h"
#include "program/record_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mqx {
namespace {

QByteArray dataReply(char letter, const QByteArray& data, int lengthField = -1) {
    const int length = lengthField >= 0 ? lengthField : static_cast<int>(data.size());
    return "(01" + QByteArray(1, letter) + "000" +
           QByteArray::number(length).rightJustified(4, '0') + data;
}

ProgramRecord unitProgram() {
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    r.program_number = 7;
    r.empty_flag = 0;
    std::memcpy(r.name.data(), "ON THE UNIT", 11);
    r.geq_level[30][0] = 40;
    r.out[4].delay = 131071;
    r.out[4].display_mask = 0; // never carried
    return r;
}

TEST(DecodeProgramReply, AnInformationReplyFillsTheHeaderAndAFullImageTheWholeRecord) {
    Session session;
    ApplyDefaults(session);
    session.savedBandSettings.channel[2].hpf_freq = 30;
    session.peqBandOff.type[1][0] = 2;
    const ProgramRecord unit = unitProgram();
    const auto geq = session.Record(7).geq_level;
    ASSERT_TRUE(DecodeProgramReply(dataReply('I', EncodeRecordText(unit, RecordImage::Header)),
                                   session, 7));
    EXPECT_EQ(EncodeRecordText(session.Record(7), RecordImage::Header),
              EncodeRecordText(unit, RecordImage::Header));
    EXPECT_EQ(session.Record(7).geq_level, geq) << "the EQ block is not in an information reply";
    EXPECT_TRUE(session.peqBandOff.holdsAnything()) << "only a whole program clears them";
    ASSERT_TRUE(DecodeProgramReply(dataReply('Q', EncodeRecordText(unit)), session, 0));
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()), EncodeRecordText(unit));
    EXPECT_EQ(session.CurrentRecord().out[4].display_mask, OutputBit(4));
    EXPECT_FALSE(session.savedBandSettings.holdsAnything() || session.peqBandOff.holdsAnything());
}

// An error reply marks a stored slot unused but never the current program.
TEST(DecodeProgramReply, RefusedRepliesLeaveTheRecord) {
    Session session;
    ApplyDefaults(session);
    std::memcpy(session.CurrentRecord().name.data(), "OPERATOR", 8);
    const ProgramRecord before = session.CurrentRecord(), slot = session.Record(12);
    const QByteArray full = EncodeRecordText(unitProgram());
    const std::pair<QByteArray, bool> replies[] = {
        // the reply, and whether a slot refuses it
        {dataReply('Q', full, 1018), true},
        {dataReply('I', full.left(297), 1019), true},
        {dataReply('Q', full.left(500), 1019), true},
        {dataReply('R', full), true},
        {dataReply('Q', full.left(300) + "ZZ" + full.mid(302)), true},
        {"(01Q00", true},
        {"(01", true},
        {dataReply('I', full.left(297)), false},
        {"(01e13", false},
        {"(01e", false},
        {"(01exx" + full, false},
    };
    for (const auto& [reply, slotRefuses] : replies) {
        SCOPED_TRACE(reply.left(16).toStdString());
        EXPECT_TRUE(!DownloadCurrent(reply, session) && session.CurrentRecord() == before);
        EXPECT_TRUE(!slotRefuses ||
                    (!DecodeProgramReply(reply, session, 12) && session.Record(12) == slot));
    }
    EXPECT_FALSE(DecodeProgramReply(QByteArray("(01e11"), session, 12));
    EXPECT_EQ(session.Record(12).empty_flag, 255) << "an error reply marks the slot unused";
    EXPECT_TRUE(DownloadCurrent(dataReply('Q', full), session) &&
                session.CurrentRecord().name == unitProgram().name);
}

} // namespace
} // namespace mqx
