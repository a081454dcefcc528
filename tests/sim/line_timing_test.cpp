// The simulated line's timing (a request cutting the level stream short: tests/e2e).

#include "sim_bench.h"
#include "simulated_line.h"
#include "virtual_clock.h"

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

TEST(LineTiming, RequestsAndAnswersArePacedAt1920CharactersASecond) {
    SimBench bench({1, 2}, true);
    // The request's 7 characters take 3.6 ms to arrive and are answered at once; the 1030
    // characters of the answer then take 536.46 ms.
    bench.write("(01Q000");
    EXPECT_EQ(bench.waitMs(4), "");
    EXPECT_EQ(bench.waitMs(268).size(), 268 * 1920 / 1000);
    EXPECT_EQ(bench.waitMs(268).size(), 1029 - 268 * 1920 / 1000) << "one still on the wire";
    EXPECT_EQ(bench.waitMs(1).size(), 1);
    // 149 answers of 5 characters back to back need 388.02 ms: not one character sooner.
    bench.write(QByteArray("(01K").repeated(149));
    EXPECT_EQ(bench.waitMs(3 + WireTimeMs(5 * 149) - 1).size(), 5 * 149 - 1);
    EXPECT_EQ(bench.waitMs(1), "E");

    // The second answer waits until the first has gone out, 3 + 135 ms after the write.
    bench.write("(01X(02X");
    EXPECT_EQ(bench.waitMs(138).size(), 259);
    const QByteArray rest = bench.waitMs(136);
    ASSERT_EQ(rest.size(), 1 + 260);
    EXPECT_EQ(rest.mid(1, 4), "(02X");

    // A whole program: 1022 characters need 532.3 ms on the wire before the unit has them,
    // and a frame written meanwhile queues behind it.
    const QByteArray upload = "(01P000" + EncodeRecordText(ProgramRecord{}, RecordImage::Upload);
    ASSERT_EQ(upload.size(), 1022);
    bench.write(upload);
    bench.waitMs(266);
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 1022 - 266 * 1920 / 1000);
    bench.write("(01K");
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 1026 - 266 * 1920 / 1000);
    EXPECT_EQ(bench.waitMs(266), "") << "nothing is answered before the request is whole";
    EXPECT_EQ(bench.waitMs(40), "(01POK(01KE");
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 0);

    // Frames of every kind of length are answered as their last character arrives.
    for (const QByteArray& request :
         {QByteArray("(01hello"), QByteArray("(01K"), QByteArray("(01Y") + QByteArray(256, '.'),
          QByteArray("(01$012005030"), upload, "(01J0012" + QByteArray(kNameLength, 'n')}) {
        bench.write(request);
        EXPECT_EQ(bench.waitMs(WireTimeMs(request.size())), "") << request.left(12).data();
        EXPECT_FALSE(bench.waitMs(1).isEmpty()) << request.left(12).data();
        bench.waitMs(1000);
    }

    bench.sim().setPacing(false);
    bench.write("(01Q000");
    EXPECT_EQ(bench.waitMs(30).size(), 1030);
    bench.write(upload);
    EXPECT_EQ(bench.sim().charactersArrivingAfter(bench.now()), 0);
    EXPECT_EQ(bench.waitMs(30), "(01POK");
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

TEST(LineTiming, LevelFramesEvery100msShowMutesAndCompressorsAtWork) {
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
        // Outputs 2 and 5 are muted, output 1 sounds; in GEQ mode no compressor works, so
        // both reductions rest at 90.
        EXPECT_EQ(d.mid(9, 3) + d.mid(18, 3) + d.mid(30, 6) + d[43], "0000000900900");
        EXPECT_NE(d.mid(6, 3), "000");
        inputsMoved = inputsMoved || d.first(6) != frames[0].first(6);
    }
    EXPECT_TRUE(inputsMoved) << "levels should move from frame to frame";
    EXPECT_EQ(bench.ask("(01MD"), "(01M");
    EXPECT_EQ(bench.waitMs(1000), "");

    // PEQ+Comp. mode, compressors independent, IN-1's on with a threshold of -48 dBFS
    // (always above it) and a limiting ratio.
    for (const char* edit :
         {"(01$010001", "(01$037000", "(01$0271001", "(01$0341096", "(01$0351100", "(01ME"})
        bench.ask(edit);
    const std::vector<QByteArray> reduced = levelFrames(bench.waitMs(500));
    ASSERT_FALSE(reduced.empty());
    for (const QByteArray& d : reduced) {
        EXPECT_LT(d.mid(30, 3).toInt(), 90) << "IN-1 reduces";
        EXPECT_EQ(d.mid(33, 3), "090") << "IN-2's compressor is off";
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

// The simulated unit behind the port seam (a cut cable: tests/connection; the purge: tests/e2e).
TEST(SimulatedLine, ToldOfAnArrivalOnceARunOfCharactersHasComeIn) {
    UnitSimulator sim;
    mqx::test::VirtualClock clock;
    SimulatedLine line(sim, clock, &clock);
    bool ok = true;
    EXPECT_EQ((std::pair{line.Read(1024, &ok), ok}), std::pair(QByteArray(), false));
    std::vector<std::pair<qint64, QByteArray>> arrivals;
    line.setArrivalHandler([&] { arrivals.emplace_back(clock.nowMs(), line.Read(3, &ok)); });
    line.Open(QStringLiteral("1"), {}, {}, {}, {});
    // The request is in after 4.2 ms (the 5th), answered at once; the answer's 8
    // characters are back 4.2 ms later, read at most as many as asked for.
    line.Write("(01hello");
    clock.advance(200);
    EXPECT_EQ(arrivals, (std::vector<std::pair<qint64, QByteArray>>{{10, "(01"}}));
    EXPECT_EQ((std::pair{line.Read(1024, &ok), ok}), std::pair(QByteArray("hello"), true));
    line.Write("(01K");
    line.Close();
    clock.advance(200);
    EXPECT_EQ(arrivals.size(), 1u) << "a closed line tells of nothing";
    EXPECT_EQ((std::pair{line.Read(1024, &ok), ok}), std::pair(QByteArray(), false));
}
