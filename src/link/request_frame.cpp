#include "link/request_frame.h"

#include <algorithm>

namespace mqx {

QByteArray FrameHead(int unitId) {
    return '(' + QByteArray::number(unitId).rightJustified(2, '0');
}

QByteArray BuildFrame(const CommandTable& table, int index, int unitId, const ArgumentSlots& args) {
    const CommandSpec& command = table[index];
    QByteArray frame = FrameHead(unitId) + command.text;
    if (!command.hasArguments)
        return frame;

    switch (index) {
    case CmdParedt:
        // Every edit asks for the level stream again, so the meters keep moving after it
        // even though the edit itself paused them.
        frame += args.ArgCode + args.ArgValue + FrameHead(unitId) + table[CmdLevon].text;
        break;
    case CmdPargiv:
        frame += args.ArgCode + args.ArgExtra1 + args.ArgExtra2;
        break;
    case CmdRecall:
    case CmdStore:
    case CmdPgdell:
    case CmdPdatget:
    case CmdPinfget:
        frame += args.ProgramArg;
        break;
    case CmdPdatset:
        frame += args.ProgramArg + args.ArgData;
        break;
    case CmdPinfset:
        frame += args.ProgramArg + args.ArgCode + args.ArgText;
        break;
    case CmdRcallrEnable:
    case CmdRcallrDisable:
    case CmdPprtEnable:
    case CmdPprtDisable: {
        // The program number goes over the "000" of the text; the lock letter stays last.
        const qsizetype n = std::min<qsizetype>(3, args.ArgCode.size());
        frame.replace(4, n, args.ArgCode.left(n));
        break;
    }
    case CmdDevinfset:
        frame += args.ArgText;
        break;
    default:
        break;
    }
    return frame;
}

} // namespace mqx
