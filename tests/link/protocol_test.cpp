// The command table, request frames, the reply check and the unit's error texts.

#include "link/command_table.h"
#include "link/error_text.h"
#include "link/reply_check.h"
#include "link/request_frame.h"

#include <gtest/gtest.h>

using namespace mqx;

namespace {

struct Row {
    int index;
    const char* text;
    bool hasArguments;
    int replyLength;
    int timeLimit;
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
    ASSERT_EQ(std::size(kRows), 24u);
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.index);
        const CommandSpec& command = table[r.index];
        EXPECT_EQ(command.text, QByteArray(r.text));
        EXPECT_EQ(command.hasArguments, r.hasArguments);
        EXPECT_EQ(command.replyLength, r.replyLength);
        EXPECT_EQ(command.timeLimit, r.timeLimit);
        EXPECT_EQ(command.fileName, QByteArray(r.fileName));
        EXPECT_FALSE(command.description.isEmpty());
        EXPECT_LE(command.description.size(), 63);
    }
    EXPECT_FALSE(CommandTable::isValidIndex(-1));
    EXPECT_FALSE(CommandTable::isValidIndex(24));
}

TEST(RequestFrame, CommandsWithoutArgumentsAreTheirTextAlone) {
    ArgumentSlots stray;
    stray.ArgCode = "999";
    stray.ArgText = "ignored";
    EXPECT_EQ(frame(CmdHello, 1, stray), "(01hello");
    EXPECT_EQ(frame(CmdHello, 5), "(05hello"); // always two digits
    EXPECT_EQ(frame(CmdBye, 99), "(99bye");
    EXPECT_EQ(frame(CmdPlock, 1, stray), "(01CD");
    EXPECT_EQ(frame(CmdLevon, 12), "(12ME");
    EXPECT_EQ(frame(CmdLevoff, 3), "(03MD");
    EXPECT_EQ(frame(CmdDevinfget, 7), "(07X");
    EXPECT_EQ(frame(CmdPnllock, 1), "(01K");
}

TEST(RequestFrame, ArgumentsFollowTheirLayout) {
    ArgumentSlots a;
    a.ArgCode = "036";
    a.ArgValue = "012";
    EXPECT_EQ(frame(CmdParedt, 1, a), "(01$036012(01ME");
    a.ArgCode = "0532"; // output mute, channel C
    a.ArgValue = "001";
    EXPECT_EQ(frame(CmdParedt, 7, a), "(07$0532001(07ME");

    ArgumentSlots p;
    p.setProgram(5);
    EXPECT_EQ(frame(CmdRecall, 1, p), "(01R005");
    p.setProgram(50);
    EXPECT_EQ(frame(CmdStore, 1, p), "(01S050");
    EXPECT_EQ(frame(CmdPgdell, 1, p), "(01G050");
    p.setProgram(0);
    EXPECT_EQ(frame(CmdPdatget, 2, p), "(02Q000");
    EXPECT_EQ(frame(CmdPinfget, 2, p), "(02I000");
    p.ArgData = "00FF";
    EXPECT_EQ(frame(CmdPdatset, 2, p), "(02P00000FF");
    p.setProgram(3);
    p.ArgCode = "1";
    p.ArgText = "Hall A";
    EXPECT_EQ(frame(CmdPinfset, 1, p), "(01J0031Hall A");

    ArgumentSlots g;
    g.ArgCode = "012";
    g.ArgExtra1 = "1";
    g.ArgExtra2 = "05";
    EXPECT_EQ(frame(CmdPargiv, 1, g), "(01%012105");

    ArgumentSlots d;
    d.ArgText = "Rack 2 left";
    EXPECT_EQ(frame(CmdDevinfset, 1, d), "(01YRack 2 left");
}

TEST(RequestFrame, LockCommandsCarryTheProgramInsideTheirText) {
    ArgumentSlots a;
    a.ArgCode = "012";
    EXPECT_EQ(frame(CmdRcallrDisable, 1, a), "(01L012D");
    EXPECT_EQ(frame(CmdRcallrEnable, 1, a), "(01L012E");
    a.ArgCode = "007";
    EXPECT_EQ(frame(CmdPprtDisable, 1, a), "(01W007D");
    EXPECT_EQ(frame(CmdPprtEnable, 1, a), "(01W007E");
    a.ArgCode = "0451"; // only the first three characters count
    EXPECT_EQ(frame(CmdPprtEnable, 1, a), "(01W045E");
    a.ArgCode = "4"; // too short: what is there, never past its end
    EXPECT_EQ(frame(CmdPprtEnable, 1, a), "(01W400E");
}

TEST(CheckReply, JudgesEchoesHeadsAndErrorReplies) {
    const CommandTable t;
    // hello and bye must echo whole; a reply from another unit is not ours
    EXPECT_TRUE(CheckReply(t, CmdHello, 1, "(01hello").isMatch());
    EXPECT_EQ(CheckReply(t, CmdHello, 1, "(02hello"), ReplyCheck::garbled());
    EXPECT_EQ(CheckReply(t, CmdHello, 1, "(01hellx").code(), -1);
    EXPECT_EQ(CheckReply(t, CmdHello, 1, "(01hel").code(), -1);
    EXPECT_TRUE(CheckReply(t, CmdBye, 12, "(12bye").isMatch());
    EXPECT_FALSE(CheckReply(t, CmdBye, 12, "(12by").isMatch());

    // every other command: the head only, "(" + ID + first character of the text
    EXPECT_TRUE(CheckReply(t, CmdPlock, 1, "(01C").isMatch());
    EXPECT_TRUE(CheckReply(t, CmdAplock, 1, "(01C").isMatch());
    EXPECT_TRUE(CheckReply(t, CmdRcallrDisable, 1, "(01L").isMatch());
    EXPECT_TRUE(CheckReply(t, CmdPprtEnable, 1, "(01W").isMatch());
    EXPECT_TRUE(CheckReply(t, CmdLevon, 1, "(01M").isMatch());
    EXPECT_TRUE(CheckReply(t, CmdLevoff, 1, "(01M").isMatch());
    EXPECT_TRUE(CheckReply(t, CmdPnllock, 4, "(04KD").isMatch());
    EXPECT_TRUE(CheckReply(t, CmdPdatget, 1, "(01Q" + QByteArray(1026, '0')).isMatch());
    EXPECT_FALSE(CheckReply(t, CmdRecall, 1, "(01S005").isMatch());
    EXPECT_FALSE(CheckReply(t, CmdRecall, 1, "(03R005").isMatch());
    EXPECT_FALSE(CheckReply(t, CmdRecall, 1, "").isMatch());

    // error replies count from any unit and for any command
    for (int index : {CmdHello, CmdPlock, CmdRecall, CmdPdatget, CmdPnllock})
        EXPECT_EQ(CheckReply(t, index, 1, "(01e13"), ReplyCheck::unitError(13));
    EXPECT_EQ(CheckReply(t, CmdRecall, 1, "(07e30").code(), 30);
}

TEST(CheckReply, ErrorCodeZeroIsNeverSuccess) {
    const CommandTable t;
    const ReplyCheck r = CheckReply(t, CmdPlock, 1, "(01e00");
    EXPECT_FALSE(r.isMatch());
    EXPECT_EQ(r.kind(), ReplyCheck::Kind::UnitError);
    EXPECT_EQ(r.code(), 0);
    EXPECT_EQ(ErrorText(r.code()), "ID_No differs.");
}

TEST(CheckReply, ErrorRepliesWithoutTheirDigitsAreGarbled) {
    const CommandTable t;
    EXPECT_EQ(CheckReply(t, CmdPlock, 1, "(01e"), ReplyCheck::garbled());
    EXPECT_EQ(CheckReply(t, CmdPlock, 1, "(01e1"), ReplyCheck::garbled());
    EXPECT_EQ(CheckReply(t, CmdPlock, 1, "(01eX3"), ReplyCheck::garbled());
    EXPECT_EQ(CheckReply(t, CmdPlock, 1, "(01e 3"), ReplyCheck::garbled());
    EXPECT_EQ(CheckReply(t, CmdPlock, 1, "X01e13"), ReplyCheck::garbled());
}

TEST(ErrorText, KnownCodesAndTheRest) {
    const std::pair<int, const char*> known[] = {
        {0, "ID_No differs."},
        {2, "The argument of the command is wrong."},
        {3, "The command is wrong."},
        {10, "The program number that I sent is wrong.  "},
        {11, "The program of the number is not effective."},
        {12, "There is not the space of new preservation."},
        {13, "The program is protected."},
        {14, "It is not able to store it as a normal program because the present program is "
             "special."},
        {15, "It is not able to store it as a special program because the present program is "
             "normal."},
        {16, "The program of the number is not effective.[Noraml]"},
        {17, "The program of the number is not effective.[Special]"},
        {20, "It was designated the parameter index that is not effective."},
        {21, "It was designated the parameter value that is not effective."},
        {22, "The range of the parameter value is not effective."},
        {23, "Index is wrong."},
        {24, "The value of the parameter that was designated is not able to change it. "},
        {30, "There was injustice data in the data that received it."},
    };
    for (const auto& [code, text] : known) {
        QString out;
        EXPECT_TRUE(ErrorText(code, out)) << code;
        EXPECT_EQ(out, QString::fromLatin1(text)) << code;
    }
    for (int code : {-1, 1, 4, 9, 18, 25, 31, 99}) {
        QString out = QStringLiteral("left over");
        EXPECT_FALSE(ErrorText(code, out)) << code;
        EXPECT_EQ(out, "Non Err Code.") << code;
    }
}
