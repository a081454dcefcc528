#pragma once
// The 24 commands the controller knows, addressed by index. Pages and dialogs pass these
// indexes to LinkEngine::IssueCommand, so their order is part of the interface.

#include <QByteArray>

#include <array>

namespace mqx {

enum CommandIndex : int {
    CmdHello = 0,
    CmdBye = 1,
    CmdPlock = 2,
    CmdAplock = 3,
    CmdVer = 4,
    CmdParedt = 5,
    CmdPargiv = 6,
    CmdCpinf = 7,
    CmdRecall = 8,
    CmdStore = 9,
    CmdPgdell = 10,
    CmdPdatget = 11,
    CmdPdatset = 12,
    CmdPinfget = 13,
    CmdPinfset = 14,
    CmdRcallrEnable = 15,
    CmdRcallrDisable = 16,
    CmdPprtEnable = 17,
    CmdPprtDisable = 18,
    CmdDevinfget = 19,
    CmdDevinfset = 20,
    CmdLevon = 21,
    CmdLevoff = 22,
    CmdPnllock = 23,
};

inline constexpr int kCommandCount = 24;

struct CommandSpec {
    bool hasArguments = false;
    QByteArray text;     // sent right after the unit ID
    int replyLength = 0; // characters of a complete reply, "(" included
    int timeLimit = 0;   // 50 ms ticks to wait for the first reply characters
    QByteArray fileName; // the command's name + ".mq~"; kept with the row only
    QByteArray description;
};

class CommandTable {
public:
    CommandTable();

    static bool isValidIndex(int index) { return index >= 0 && index < kCommandCount; }
    // `index` must be valid; the engine refuses any other before it gets here.
    const CommandSpec& operator[](int index) const { return m_rows[static_cast<size_t>(index)]; }
    int size() const { return kCommandCount; }

private:
    std::array<CommandSpec, kCommandCount> m_rows;
};

} // namespace mqx
