// The command table, request frames, the reply check and the unit's error texts.

#include "link/command_table.h"
#include "link/error_text.h"
#include "link/reply_check.h"
#include "link/request_frame.h"

#include "command_samples.h"

#include <gtest/gtest.h>

using namespace mqx;

namespace {

struct Row {
    int index;
    const char* text;
    bool hasArguments;
    int replyLength, timeLimit;
    const char* fileName;
};

// Written out from the unit's command list, not from the table under test.
constexpr Row kRows[] = {
    {0, "hello", false, 8, 100, "hello.mq~"},  {1, "bye", false, 6, 20, "bye.mq~"},
    {2, "CD", false, 4, 100, "plock.mq~"},     {3, "CE", false, 4, 100, "aplock.mq~"},
    {4, "A", false, 20, 100, "ver.mq~"},       {5, "$", true, 7, 100, "paredt.mq~"},
    {6, "%", true, 22, 100, "pargiv.mq~"},     {7, "N", false, 5, 100, "cpinf.mq~"},
    {8, "R", true, 7, 100, "recall.mq~"},      {9, "S", true, 7, 100, "store.mq~"},
    {10, "G", true, 4, 100, "pgdell.mq~"},     {11, "Q", true, 1030, 200, "pdatget.mq~"},
    {12, "P", true, 6, 100, "pdatset.mq~"},    {13, "I", true, 308, 200, "pinfget.mq~"},
    {14, "J", true, 8, 100, "pinfset.mq~"},    {15, "L000E", true, 4, 100, "rcallr.mq~"},
    {16, "L000D", true, 4, 100, "rcallr.mq~"}, {17, "W000E", true, 4, 100, "pprt.mq~"},
    {18, "W000D", true, 4, 100, "pprt.mq~"},   {19, "X", false, 260, 200, "devinfget.mq~"},
    {20, "Y", true, 4, 100, "devinfset.mq~"},  {21, "ME", false, 4, 20, "levon.mq~"},
    {22, "MD", false, 4, 20, "levoff.mq~"},    {23, "K", false, 5, 20, "pnllock.mq~"},
};

QByteArray frame(int index, int unit, const ArgumentSlots& args = {}) {
    static const CommandTable table;
    return BuildFrame(table, index, unit, args);
}

} // namespace

TEST(CommandTable, HoldsTheTwentyFourCommandsInOrder) {
    const CommandTable table;
    ASSERT_EQ(table.size(), 24);
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.index);
        const CommandSpec& c = table[r.index];
        EXPECT_EQ(std::tuple(c.text, c.hasArguments, c.replyLength, c.timeLimit, c.fileName),
                  std::tuple(QByteArray(r.text), r.hasArguments, r.replyLength, r.timeLimit,
                             QByteArray(r.fileName)));
        EXPECT_TRUE(c.description.size() > 0 && c.description.size() <= 63);
    }
    EXPECT_FALSE(CommandTable::isValidIndex(-1) || CommandTable::isValidIndex(24));
}

TEST(RequestFrame, EveryCommandFollowsItsLayout) {
    for (const mqx::test::CommandSample& sample : mqx::test::CommandSamples("00FF")) {
        ArgumentSlots args;
        sample.arguments(args);
        EXPECT_EQ(frame(sample.index, 5, args), sample.frame);
    }
    ArgumentSlots stray; // arguments a command does not take are not sent
    stray.ArgCode = "999";
    stray.ArgText = "ignored";
    EXPECT_EQ(frame(CmdHello, 99, stray), "(99hello");
    EXPECT_EQ(frame(CmdPlock, 1, stray), "(01CD");
    stray.ArgCode = "0451"; // a lock takes the first three characters
    EXPECT_EQ(frame(CmdPprtEnable, 1, stray), "(01W045E");
    stray.ArgCode = "4"; // too short: what is there, never past its end
    EXPECT_EQ(frame(CmdRcallrEnable, 1, stray), "(01L400E");
}

// hello and bye echo whole, the others their head; error replies count from any unit.
TEST(CheckReply, JudgesEchoesHeadsAndErrorReplies) {
    const CommandTable t;
    const ReplyCheck ok = ReplyCheck::match(), bad = ReplyCheck::garbled();
    const auto err = &ReplyCheck::unitError;
    const struct {
        int index, unit;
        const char* reply;
        ReplyCheck expected;
    } cases[] = {{CmdHello, 1, "(01hello", ok},     {CmdHello, 1, "(02hello", bad},
                 {CmdHello, 1, "(01hellx", bad},    {CmdHello, 1, "(01hel", bad},
                 {CmdBye, 12, "(12bye", ok},        {CmdBye, 12, "(12by", bad},
                 {CmdPlock, 1, "(01C", ok},         {CmdAplock, 1, "(01C", ok},
                 {CmdRcallrDisable, 1, "(01L", ok}, {CmdPprtEnable, 1, "(01W", ok},
                 {CmdLevon, 1, "(01M", ok},         {CmdLevoff, 1, "(01M", ok},
                 {CmdPnllock, 4, "(04KD", ok},      {CmdRecall, 1, "(01S005", bad},
                 {CmdRecall, 1, "(03R005", bad},    {CmdRecall, 1, "", bad},
                 {CmdPlock, 1, "(01e", bad},        {CmdPlock, 1, "(01e1", bad},
                 {CmdPlock, 1, "(01eX3", bad},      {CmdPlock, 1, "(01e 3", bad},
                 {CmdPlock, 1, "X01e13", bad},      {CmdPlock, 1, "(01e1X", bad},
                 {CmdHello, 1, "(01e13", err(13)},  {CmdPdatget, 1, "(01e13", err(13)},
                 {CmdRecall, 1, "(07e30", err(30)}, {CmdPlock, 1, "(01e00", err(0)}};
    for (const auto& c : cases)
        EXPECT_EQ(CheckReply(t, c.index, c.unit, c.reply), c.expected) << c.reply;
    EXPECT_TRUE(CheckReply(t, CmdPdatget, 1, "(01Q" + QByteArray(1026, '0')).isMatch());
    EXPECT_FALSE(ReplyCheck::unitError(0).isMatch());
}

// The texts and the answer to an unknown code show in the procedures' tests (tests/connection).
TEST(ErrorText, EveryCodeTheUnitSendsIsKnown) {
    for (int code : {0, 2, 3, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24, 30})
        EXPECT_NE(ErrorText(code), "Non Err Code.") << code;
    EXPECT_EQ(ErrorText(24), // the unit's trailing space kept
              "The value of the parameter that was designated is not able to change it. ");
}
