// The simulated unit's answers, asked one request at a time; that every command's answer has
// the length the controller's command table gives is shown end to end (tests/e2e).

#include "sim_bench.h"

#include "program/record_text.h"

#include <gtest/gtest.h>

#include <random>

using namespace mqx;
using namespace mqx::sim;
using mqx::sim::test::SimBench;

TEST(UnitReplies, PayloadsCarryWhatTheControllerReads) {
    SimBench bench;
    EXPECT_EQ(bench.ask("(01K"), "(01KE");
    bench.ask("(01CD");
    EXPECT_EQ(bench.ask("(01K"), "(01KD");

    const QByteArray info = bench.ask("(01X").mid(4);
    EXPECT_EQ(info.size(), 256);
    EXPECT_TRUE(info.startsWith("MQX-T410"));
    EXPECT_EQ(bench.ask("(01YRack 3, stage left"), "(01Y");
    EXPECT_EQ(bench.ask("(01X").mid(4), "Rack 3, stage left" + QByteArray(256 - 18, '.'));

    EXPECT_EQ(bench.ask("(01%0361"), "(01%0361181" + QByteArray(11, ' '));
    EXPECT_EQ(bench.ask("(01%0381"), "(01%0381000000" + QByteArray(8, ' '));
}

TEST(UnitReplies, DataRepliesCarryTheProgramNumberAndTheFourDigitLength) {
    SimBench bench;
    const QByteArray data = bench.ask("(01Q000");
    EXPECT_EQ(data.mid(4, 3), "000");
    EXPECT_EQ(data.mid(7, 4), "1019");
    ProgramRecord downloaded;
    ASSERT_TRUE(DecodeRecordText(data.mid(11), downloaded));
    EXPECT_EQ(EncodeRecordText(downloaded), EncodeRecordText(bench.unit().currentProgram()));

    const QByteArray header = bench.ask("(01I003");
    EXPECT_EQ(header.mid(4, 3), "003");
    EXPECT_EQ(header.mid(7, 4), "0297");
    ProgramRecord slot3;
    ASSERT_TRUE(DecodeRecordText(header.mid(11), slot3, RecordImage::Header));
    EXPECT_EQ(slot3.program_number, 3);
    EXPECT_EQ(slot3.write_enable, 0) << "the demo's third program is protected";
    EXPECT_EQ(QByteArray(slot3.name.data(), 7), "Theatre");
}

TEST(UnitReplies, StoreAnswersTheSlotItStoredInto) {
    SimBench bench;
    // The demo fills slots 1..6; "New" takes the lowest empty one.
    EXPECT_EQ(bench.ask("(01S000"), "(01S007");
    EXPECT_EQ(bench.ask("(01S000"), "(01S008");
    EXPECT_EQ(bench.ask("(01S012"), "(01S012");
    EXPECT_EQ(bench.unit().currentProgram().program_number, 12);
    EXPECT_FALSE(bench.unit().slotIsEmpty(12));
    EXPECT_EQ(bench.ask("(01I012").size(), 308);
    for (int n = 1; n <= 50; ++n) // slot 3 is protected and stays as it is
        bench.ask(QByteArray("(01S") + QByteArray::number(n).rightJustified(3, '0'));
    EXPECT_EQ(bench.ask("(01S000"), "(01e12") << "no free slot left";
}

TEST(UnitReplies, ProgramManagementChangesTheSlots) {
    SimBench bench;
    EXPECT_EQ(bench.ask("(01R002"), "(01R002");
    EXPECT_EQ(bench.unit().currentProgram().eq_mode, 1) << "slot 2 is the PEQ demo";
    EXPECT_EQ(bench.ask("(01N"), "(01N0");
    bench.ask("(01$010000");
    EXPECT_EQ(bench.ask("(01N"), "(01N1");

    bench.ask("(01L004D");
    bench.ask("(01W004D");
    EXPECT_EQ(bench.ask("(01I004").mid(11, 8), "04"
                                               "00"
                                               "FF"
                                               "00")
        << "locked and protected";
    EXPECT_EQ(bench.ask("(01G004"), "(01e13");
    bench.ask("(01W004E");
    bench.ask("(01L004E");
    EXPECT_EQ(bench.ask("(01I004").mid(13, 6), "00"
                                               "00"
                                               "FF");
    EXPECT_EQ(bench.ask("(01G004"), "(01G");
    EXPECT_EQ(bench.ask("(01I004"), "(01e11");

    EXPECT_EQ(bench.ask("(01J0003Main hall"), "(01J0003");
    EXPECT_EQ(QByteArray(bench.unit().currentProgram().comment.data(), 12), "Main hall...");
}

TEST(UnitReplies, UploadReplacesTheCurrentProgramButNotItsNumber) {
    SimBench bench;
    ProgramRecord sent;
    ApplyRecordDefaults(sent);
    sent.master_delay = {480, 96};
    sent.out[4].limiter = 7;
    EXPECT_EQ(bench.ask("(01P000" + EncodeRecordText(sent, RecordImage::Upload)), "(01POK");
    const ProgramRecord& now = bench.unit().currentProgram();
    EXPECT_EQ(now.program_number, 1) << "an upload carries no program number";
    EXPECT_EQ(EncodeRecordText(now, RecordImage::Upload),
              EncodeRecordText(sent, RecordImage::Upload));
}

TEST(UnitReplies, RefusalsCarryTheUnitsErrorCodes) {
    SimBench bench;
    const struct {
        QByteArray request;
        const char* reply;
    } cases[] = {
        {"(01R011", "(01e11"},      // empty slot
        {"(01Q020", "(01e11"},      // empty slot
        {"(01I020", "(01e11"},      //
        {"(01G020", "(01e11"},      //
        {"(01R051", "(01e10"},      // no slot 51
        {"(01R000", "(01e10"},      // the current program is not a slot
        {"(01G999", "(01e10"},      //
        {"(01S003", "(01e13"},      // protected
        {"(01G003", "(01e13"},      //
        {"(01Z", "(01e03"},         // no such command
        {"(01hi", "(01e03"},        //
        {"(01R5", "(01e02"},        // program number not three digits
        {"(01helloo", "(01hello"},  // a bare command ends with its text; the rest is noise
        {"(01L012X", "(01e02"},     // neither E nor D
        {"(01J0009Name", "(01e02"}, // no such text kind
        {"(01P000ZZ", "(01e30"},    // program data cut short
        {"(01%999", "(01e20"},      //
    };
    for (const auto& c : cases)
        EXPECT_EQ(bench.ask(c.request), c.reply) << c.request.constData();
    const QByteArray badHex = "(01P000" + QByteArray(1015, 'G');
    EXPECT_EQ(bench.ask(badHex), "(01e30");
}

TEST(UnitReplies, OnlyTheAddressedUnitAnswers) {
    SimBench bench({1, 5, 12});
    EXPECT_EQ(bench.ask("(05hello"), "(05hello");
    EXPECT_EQ(bench.ask("(12hello"), "(12hello");
    EXPECT_EQ(bench.ask("(02hello"), "");
    EXPECT_EQ(bench.ask("(5hello"), "");

    bench.ask("(05CD");
    EXPECT_EQ(bench.ask("(05K"), "(05KD");
    EXPECT_EQ(bench.ask("(01K"), "(01KE") << "each unit keeps its own panel lock";
    EXPECT_EQ(bench.ask("(12K"), "(12KE");
    EXPECT_EQ(bench.ask("(12X").mid(4, 30), "MQX-T410 simulated unit, ID 12");
}

TEST(UnitReplies, GarbageNeverBreaksTheUnit) {
    SimBench bench({1, 2});
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        QByteArray noise;
        const int length = round % 40 == 0 ? 3000 : round % 60;
        for (int i = 0; i < length; ++i) {
            // Lean on the characters that mean something on the line.
            const int pick = byte(random);
            noise.append(pick < 40 ? "(01$%QPJYRSML0"[pick % 14] : static_cast<char>(pick));
        }
        bench.write(noise);
        bench.waitMs(round % 3 == 0 ? 40 : 5);
    }
    // Every prefix of real frames, cut off by silence.
    for (const char* request : {"(01hello", "(01$0361181", "(01%0361", "(01R002", "(01L002E",
                                "(01J0002Renamed", "(01Q000", "(01P000"}) {
        const QByteArray full(request);
        for (qsizetype n = 1; n < full.size(); ++n)
            bench.ask(full.first(n));
    }
    bench.ask("(01MD");
    bench.ask("(02MD");
    EXPECT_EQ(bench.ask("(01hello"), "(01hello");
    EXPECT_EQ(bench.ask("(02hello"), "(02hello");
}
