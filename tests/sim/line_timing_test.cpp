#include "sim_bench.h"

#include "link/serial_port.h"
#include "program/record_text.h"

#include <gtest/gtest.h>

using namespace mqx;
using namespace mqx::sim;
using mqx::sim::test::SimBench;

namespace {

// The 48 level digits of each complete level frame of unit 1 in `stream`.
std::vector<QByteArray> levelFrames(const QByteArray& stream) {
    std::vector<QByteArray> frames;
    for (qsizetype at = stream.indexOf("(01M"); at >= 0; at = stream.indexOf("(01M", at + 1))
        if (at + 52 <= stream.size() && stream.mid(at + 4, 48).indexOf('(') < 0)
            frames.push_back(stream.mid(at + 4, 48));
    return frames;
}

} // namespace

TEST(LineTiming, AnswersArePacedAt1920CharactersASecond) {
    SimBench bench({1}, true);
    bench.write("(01Q000");
    // The request's 7 characters take 3.6 ms to arrive and are answered at once; the 1030
    // characters of the answer then take 536.46 ms.
    EXPECT_EQ(bench.waitMs(4), "");
    EXPECT_EQ(bench.waitMs(268).size(), 268 * 1920 / 1000);
    const QByteArray rest = bench.waitMs(536 - 268);
    EXPECT_EQ(rest.size(), 1029 - 268 * 1920 / 1000) << "one character still on the wire";
    EXPECT_EQ(bench.waitMs(1).size(), 1);

    bench.sim().setPacing(false);
    bench.write("(01Q000");
    EXPECT_EQ(bench.waitMs(30).size(), 1030);
}

TEST(LineTiming, RequestsArePacedAsTheyArrive) {
    SimBench bench({1}, true);
    // A whole program: 1022 characters need 532.3 ms on the wire before the unit has them.
    const QByteArray upload =
        "(01P000" + EncodeRecordText(bench.unit().currentProgram(), RecordImage::Upload);
    ASSERT_EQ(upload.size(), 1022);
    bench.write(upload);
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 1022);
    bench.waitMs(266);
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 1022 - 266 * 1920 / 1000);
    // A frame written meanwhile queues behind it.
    bench.write("(01K");
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 1026 - 266 * 1920 / 1000);
    EXPECT_EQ(bench.waitMs(266), "") << "nothing is answered before the request is whole";
    const QByteArray answers = bench.waitMs(40);
    EXPECT_EQ(answers, "(01POK(01KE");
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 0);

    bench.sim().setPacing(false);
    bench.write(upload);
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 0);
    EXPECT_EQ(bench.waitMs(30), "(01POK");
}

TEST(LineTiming, AnswersQueueBehindEachOtherOnOneLine) {
    SimBench bench({1, 2}, true);
    // Two requests back to back: the second answer waits until the first has gone out,
    // and the first starts once its frame has arrived, 3 ms after the write.
    bench.write("(01X(02X");
    const QByteArray early = bench.waitMs(138);
    EXPECT_EQ(early.size(), 259) << "135 ms of unit 1's answer, none of unit 2's";
    const QByteArray rest = bench.waitMs(136);
    ASSERT_EQ(rest.size(), 1 + 260);
    EXPECT_EQ(rest.mid(1, 4), "(02X");
}

TEST(LineTiming, AUnitAnswersTheLastCharacterOfEachRequestAtOnce) {
    const QByteArray upload = "(01P000" + EncodeRecordText(ProgramRecord{}, RecordImage::Upload);
    const QByteArray name = "(01J0012" + QByteArray(kNameLength, 'n');
    // Frames of a fixed length, of a length the code gives, and ones with a field.
    for (const QByteArray& request :
         {QByteArray("(01hello"), QByteArray("(01K"), QByteArray("(01Y") + QByteArray(256, '.'),
          QByteArray("(01$012005030"), upload, name}) {
        SimBench bench({1}, true);
        bench.write(request);
        const qint64 lastIn = WireTimeMs(request.size());
        EXPECT_EQ(bench.waitMs(lastIn), "") << request.left(12).constData();
        EXPECT_FALSE(bench.waitMs(1).isEmpty()) << request.left(12).constData();
    }
}

TEST(LineTiming, FramesOfUnknownLengthEndAtTheNextParenthesisOrAtSilence) {
    SimBench bench;
    // An edit of a code the unit does not know ends where the next request begins.
    bench.write("(01$9990000(01K");
    EXPECT_EQ(bench.waitMs(0), "(01e20(01KE");

    // A pause shorter than the silence keeps a frame whole...
    bench.write("(01he");
    bench.waitMs(20);
    bench.write("llo");
    EXPECT_EQ(bench.waitMs(0), "(01hello");
    // ...a longer one cuts it, and what follows is not a frame.
    bench.write("(01hel");
    EXPECT_EQ(bench.waitMs(29), "");
    EXPECT_EQ(bench.waitMs(1), "(01e03");
    bench.write("lo");
    EXPECT_EQ(bench.waitMs(30), "");
}

TEST(LineTiming, LevelFramesEvery100msWithMutedOutputsAtZero) {
    SimBench bench;
    bench.ask("(01$0531000");
    bench.ask("(01$0534000");
    EXPECT_EQ(bench.ask("(01ME"), "(01M");
    const QByteArray stream = bench.waitMs(1000);
    const std::vector<QByteArray> frames = levelFrames(stream);
    ASSERT_EQ(frames.size(), 10u) << stream.constData();
    EXPECT_EQ(stream.size(), 10 * 52) << "nothing but level frames";

    bool inputsMoved = false;
    for (const QByteArray& d : frames) {
        EXPECT_EQ(d.mid(6 + 3 * 1, 3), "000") << "output 2 is muted";
        EXPECT_EQ(d.mid(6 + 3 * 4, 3), "000") << "output 5 is muted";
        EXPECT_NE(d.mid(6, 3), "000") << "output 1 sounds";
        EXPECT_EQ(d.mid(42 + 1, 1), "0");
        // GEQ mode: no compressor works, so both reductions rest at 90.
        EXPECT_EQ(d.mid(30, 6), "090090");
        inputsMoved = inputsMoved || d.first(6) != frames[0].first(6);
    }
    EXPECT_TRUE(inputsMoved) << "levels should move from frame to frame";

    EXPECT_EQ(bench.ask("(01MD"), "(01M");
    EXPECT_EQ(bench.waitMs(1000), "");
}

TEST(LineTiming, CompressorReductionShowsOnlyWhileItActs) {
    SimBench bench;
    bench.ask("(01$010001");  // PEQ+Comp. mode
    bench.ask("(01$037000");  // compressors independent
    bench.ask("(01$0271001"); // IN-1 compressor on
    bench.ask("(01$0341096"); // threshold -48 dBFS: always above it
    bench.ask("(01$0351100"); // limiting ratio
    bench.ask("(01ME");
    const std::vector<QByteArray> frames = levelFrames(bench.waitMs(500));
    ASSERT_FALSE(frames.empty());
    for (const QByteArray& d : frames) {
        EXPECT_LT(d.mid(30, 3).toInt(), 90) << "IN-1 reduces";
        EXPECT_EQ(d.mid(33, 3), "090") << "IN-2's compressor is off";
    }
}

TEST(LineTiming, ARequestEndsTheLevelStreamWithoutCuttingIntoTheAnswer) {
    SimBench bench({1}, true);
    bench.write("(01ME");
    // 3 ms for the request to arrive, 3 for the answer.
    EXPECT_EQ(bench.waitMs(3 + 3), "(01M");
    // The first frame starts 100 ms after the request was taken; 10 ms into it, 19 of its
    // characters are on the wire when the controller's next request begins.
    const QByteArray partial = bench.waitMs(97 + 10);
    EXPECT_EQ(partial.size(), 19);
    EXPECT_TRUE(partial.startsWith("(01M"));
    bench.write("(01hello");
    EXPECT_EQ(bench.waitMs(5 + 30 + 5), "(01hello") << "the rest of the frame is never sent";
    EXPECT_EQ(bench.waitMs(1000), "") << "and no frame follows until the next levon";
}

TEST(LineFaults, EachKindSpoilsOnlyTheRequestsItIsSetFor) {
    const auto fault = [](LineFault::Kind kind, int code = 0, int slot = -1, int remaining = -1) {
        LineFault f{kind, code};
        f.slot = slot;
        if (remaining >= 0)
            f.remaining = remaining;
        return f;
    };
    using K = LineFault::Kind;
    const struct {
        UnitCommand command;
        LineFault fault;
        std::vector<std::pair<const char*, const char*>> asked; // request, answer
    } cases[] = {
        // Silent loses the request: the lock was never carried out.
        {UnitCommand::PanelLock, fault(K::Silent), {{"(01CD", ""}, {"(01K", "(01KE"}}},
        // Garbled and wrong-ID spoil the head of an answer that was carried out.
        {UnitCommand::Hello, fault(K::Garbled), {{"(01hello", "(???ello"}}},
        {UnitCommand::PanelLock, fault(K::WrongId), {{"(01CD", "(02C"}, {"(01K", "(01KD"}}},
        // An error answers its code instead of carrying out.
        {UnitCommand::Recall, fault(K::Error, 13), {{"(01R002", "(01e13"}}},
        // A counted fault clears itself and leaves other commands alone.
        {UnitCommand::Hello,
         fault(K::Silent, 0, -1, 2),
         {{"(01hello", ""}, {"(01bye", "(01bye"}, {"(01hello", ""}, {"(01hello", "(01hello"}}},
        // A fault for one program number spoils only its requests.
        {UnitCommand::Recall,
         fault(K::Error, 11, 2),
         {{"(01R002", "(01e11"}, {"(01R001", "(01R001"}}},
        {UnitCommand::Protect,
         fault(K::Error, 13),
         {{"(01W002D", "(01e13"}, {"(01W004D", "(01e13"}}},
    };
    for (const auto& c : cases) {
        SimBench bench;
        bench.sim().setFault(c.command, c.fault);
        for (const auto& [request, answer] : c.asked)
            EXPECT_EQ(bench.ask(request), answer) << request;
        bench.sim().clearFault(c.command);
        EXPECT_NE(bench.ask(c.asked.front().first), "") << "cleared";
    }
}

TEST(LineFaults, BurstsArriveWithTheGivenGaps) {
    SimBench bench;
    LineFault fault{LineFault::Kind::Bursts};
    fault.gapMs = 300;
    bench.sim().setFault(UnitCommand::Hello, fault);
    bench.write("(01hello");
    EXPECT_EQ(bench.waitMs(0), "(0");
    EXPECT_EQ(bench.waitMs(299), "");
    EXPECT_EQ(bench.waitMs(1), "1h");
    EXPECT_EQ(bench.waitMs(300), "el");
    EXPECT_EQ(bench.waitMs(300), "lo");

    // Paced, each burst takes its time on the wire and the gap follows it.
    bench.sim().setPacing(true);
    bench.sim().setFault(UnitCommand::DataGet, fault);
    bench.write("(01Q000");
    // 4 ms for the request to arrive, then 134 ms for the first burst.
    EXPECT_EQ(bench.waitMs(4 + 134).size(), 257) << "1030 characters in four bursts";
    EXPECT_EQ(bench.waitMs(299), "") << "the gap runs from the end of the burst";
    EXPECT_EQ(bench.waitMs(136).size(), 258);
}

TEST(LineFaults, SpecsReadAsOnTheCommandLine) {
    const auto error = ParseFaultSpec(u"store:error:13");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->command, UnitCommand::Store);
    EXPECT_EQ(error->fault.kind, LineFault::Kind::Error);
    EXPECT_EQ(error->fault.errorCode, 13);
    const auto bursts = ParseFaultSpec(u"pdatget:bursts:250");
    ASSERT_TRUE(bursts);
    EXPECT_EQ(bursts->fault.kind, LineFault::Kind::Bursts);
    EXPECT_EQ(bursts->fault.gapMs, 250);
    EXPECT_EQ(ParseFaultSpec(u"rcallr:wrong-id")->fault.kind, LineFault::Kind::WrongId);
    EXPECT_EQ(ParseFaultSpec(u"hello:garbled")->command, UnitCommand::Hello);
    EXPECT_EQ(ParseFaultSpec(u"hello:garbled")->fault.slot, -1);
    const auto one = ParseFaultSpec(u"pinfget@12:error:11");
    ASSERT_TRUE(one);
    EXPECT_EQ(one->command, UnitCommand::InfoGet);
    EXPECT_EQ(one->fault.slot, 12);

    QString why;
    for (const char16_t* bad : {u"hello", u"nosuch:silent", u"hello:loud", u"hello:error",
                                u"hello:error:100", u"hello:silent:3", u"hello:bursts:x",
                                u"pinfget@51:silent", u"pinfget@:silent", u"nosuch@3:silent"}) {
        EXPECT_FALSE(ParseFaultSpec(bad, &why)) << QString::fromUtf16(bad).toStdString();
        EXPECT_FALSE(why.isEmpty());
    }
}
