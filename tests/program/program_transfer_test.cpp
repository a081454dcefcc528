// Data replies into the program table and the upload image.

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

TEST(DecodeProgramReply, AFullImageReplacesEveryCarriedFieldOfTheRecord) {
    Session session;
    ApplyDefaults(session);
    session.CurrentRecord().out[1].display_mask = OutputBit(1);
    session.savedBandSettings.channel[2].hpf_freq = 30;
    session.peqBandOff.type[1][0] = 2;
    const ProgramRecord unit = unitProgram();
    // What DecodeRecordText carries and keeps is record_text_test's.
    ASSERT_TRUE(DecodeProgramReply(dataReply('Q', EncodeRecordText(unit)), session, 0));
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()), EncodeRecordText(unit));
    EXPECT_EQ(session.CurrentRecord().out[1].display_mask, OutputBit(1));
    EXPECT_FALSE(session.savedBandSettings.holdsAnything());
    EXPECT_FALSE(session.peqBandOff.holdsAnything());
}

TEST(DecodeProgramReply, AnInformationReplyFillsOnlyTheHeader) {
    Session session;
    const ProgramRecord unit = unitProgram();
    session.peqBandOff.type[0][3] = 1;
    ASSERT_TRUE(DecodeProgramReply(dataReply('I', EncodeRecordText(unit, RecordImage::Header)),
                                   session, 7));
    const ProgramRecord& slot = session.Record(7);
    EXPECT_EQ(slot.program_number, 7);
    EXPECT_EQ(slot.name, unit.name);
    EXPECT_EQ(slot.comment, unit.comment);
    EXPECT_EQ(slot.geq_level[30][0], 0) << "the EQ block is not in an information reply";
    EXPECT_TRUE(session.peqBandOff.holdsAnything()) << "only a whole program clears them";
}

TEST(DecodeProgramReply, RefusedRepliesLeaveTheRecord) {
    Session session;
    ApplyDefaults(session);
    const ProgramRecord before = session.Record(12);
    const QByteArray full = EncodeRecordText(unitProgram());

    EXPECT_FALSE(DecodeProgramReply(QByteArray("(01e11"), session, 12));
    EXPECT_EQ(session.Record(12).empty_flag, 255) << "an error reply marks the slot unused";
    session.Record(12) = before;

    for (const QByteArray& reply :
         {dataReply('Q', full, 1018), dataReply('I', full.left(297), 1019),
          dataReply('Q', full.left(500), 1019), dataReply('R', full),
          dataReply('Q', full.left(300) + "ZZ" + full.mid(302)), QByteArray("(01Q00"),
          QByteArray()}) {
        EXPECT_FALSE(DecodeProgramReply(reply, session, 12)) << reply.left(16).constData();
        EXPECT_TRUE(session.Record(12) == before);
    }
}

TEST(DownloadCurrent, TakesOnlyAWholeProgram) {
    Session session;
    ApplyDefaults(session);
    std::memcpy(session.CurrentRecord().name.data(), "OPERATOR", 8);
    const ProgramRecord before = session.CurrentRecord();
    const QByteArray full = EncodeRecordText(unitProgram());
    for (const QByteArray& reply :
         {QByteArray("(01e13"), QByteArray("(01e"), QByteArray("(01exx") + full,
          dataReply('I', full.left(297)), dataReply('Q', full.left(300) + "ZZ" + full.mid(302)),
          QByteArray("(01")}) {
        EXPECT_FALSE(DownloadCurrent(reply, session)) << reply.left(16).constData();
        EXPECT_TRUE(session.CurrentRecord() == before) << reply.left(16).constData();
    }
    EXPECT_TRUE(DownloadCurrent(dataReply('Q', full), session));
    EXPECT_EQ(session.CurrentRecord().name, unitProgram().name);
}

TEST(EncodeUpload, CarriesTheRecordWithoutNumberAndEmptyFlag) {
    ProgramRecord fresh{};
    ApplyRecordDefaults(fresh);
    fresh.program_number = 33;
    fresh.empty_flag = 255;
    EXPECT_EQ(EncodeUpload(fresh), EncodeRecordText(fresh, RecordImage::Upload));

    Session session;
    const ProgramRecord unit = unitProgram();
    ASSERT_TRUE(DecodeProgramReply(dataReply('Q', "0700" + EncodeUpload(unit)), session, 0));
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()), EncodeRecordText(unit))
        << "an upload image reads back as the same program";
}

} // namespace
} // namespace mqx
