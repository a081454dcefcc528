// The simulated unit's answers (the engine's check of each, downloads: end to end, tests/e2e).

#include "sim_bench.h"

#include <QByteArrayList>

#include <gtest/gtest.h>

using mqx::sim::test::SimBench;

// Three units asked in turn; each step is "request>reply", a reply ending in '*' its start.
// Store "New" takes the lowest empty slot; the demo fills slots 1..6 and protects slot 3.
TEST(UnitReplies, EachRequestInTurnGetsItsAnswer) {
    SimBench bench({1, 5, 12});
    const char* conversation[] = {
        "(01K>(01KE (01CD>(01C (01K>(01KD (05hello>(05hello (12hello>(12hello",
        "(02hello> (5hello> (05CD>(05C (05K>(05KD (12K>(12KE (01S000>(01S007",
        "(01S000>(01S008 (01S012>(01S012 (01I012>(01I0120297*",
        "(01Q000>(01Q0001019* (01I003>(01I0030297* (01R002>(01R002 (01N>(01N0",
        "(01$010000>(01$010 (01N>(01N1 (01L004D>(01L (01W004D>(01W",
        "(01I004>(01I00402970400FF00* (01G004>(01e13 (01W004E>(01W",
        "(01L004E>(01L (01I004>(01I0040297040000FF* (01G004>(01G (01I004>(01e11",
        "(01R011>(01e11 (01Q020>(01e11 (01I020>(01e11 (01G020>(01e11",
        "(01R051>(01e10 (01R000>(01e10 (01G999>(01e10 (01S003>(01e13",
        "(01G003>(01e13 (01Z>(01e03 (01hi>(01e03 (01R5>(01e02",
        "(01helloo>(01hello (01L012X>(01e02 (01J0009Name>(01e02",
        "(01P000ZZ>(01e30 (01%999>(01e20 (01J0003Foyer>(01J0003"};
    for (const QByteArray line : conversation)
        for (const QByteArray& step : line.split(' ')) {
            const QByteArray request = step.left(step.indexOf('>')),
                             wanted = step.mid(request.size() + 1);
            const QByteArray reply = bench.ask(request);
            if (wanted.endsWith('*'))
                EXPECT_TRUE(reply.startsWith(wanted.chopped(1))) << step.data();
            else
                EXPECT_EQ(reply, wanted) << step.data();
        }
    EXPECT_EQ(bench.ask("(01YRack 3, stage left"), "(01Y");
    EXPECT_TRUE(bench.ask("(12X").startsWith("(12XMQX-T410 simulated unit, ID 12"));
    EXPECT_EQ(bench.ask("(01X"), "(01XRack 3, stage left" + QByteArray(238, '.'));
    EXPECT_EQ(bench.ask("(01%0361"), "(01%0361181" + QByteArray(11, ' '));
    EXPECT_EQ(bench.ask("(01%0381"), "(01%0381000000" + QByteArray(8, ' '));
    EXPECT_EQ(bench.ask("(01P000" + QByteArray(1015, 'G')), "(01e30");
    EXPECT_EQ(QByteArray(bench.unit().currentProgram().comment.data(), 12), "Foyer.......");

    for (int n = 1; n <= 50; ++n) // slot 3 is protected and stays as it is
        bench.ask(QByteArray("(01S") + QByteArray::number(n).rightJustified(3, '0'));
    EXPECT_EQ(bench.ask("(01S000"), "(01e12") << "no free slot left";
    EXPECT_EQ(bench.unit().currentProgram().program_number, 50);
}
