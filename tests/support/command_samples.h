#pragma once
// One request of every command with its arguments and the frame it must make for unit 5
// (so that the ID is seen to travel as two digits). The frame tests build them; the
// end-to-end tests send them to the simulated unit, which must understand each one.

#include "link/argument_slots.h"
#include "link/command_table.h"

#include <functional>
#include <vector>

namespace mqx::test {

struct CommandSample {
    int index;
    std::function<void(ArgumentSlots&)> arguments;
    QByteArray frame;
};

// Slot 7 is the one worked on: named, recalled, locked, protected and at last deleted.
inline std::vector<CommandSample> CommandSamples(const QByteArray& uploadData) {
    // Slots left empty stay unset; a program number of -1 is none.
    const auto with = [](int program, QByteArray code, QByteArray text = {}, QByteArray extra = {},
                         QByteArray value = {}, QByteArray data = {}) {
        return [=](ArgumentSlots& a) {
            if (program >= 0)
                a.setProgram(program);
            a.ArgCode = code;
            a.ArgText = text;
            a.ArgExtra1 = extra;
            a.ArgValue = value;
            a.ArgData = data;
        };
    };
    const auto none = with(-1, {});
    return {
        {CmdHello, none, "(05hello"},
        {CmdVer, none, "(05A"},
        {CmdCpinf, none, "(05N"},
        {CmdPnllock, none, "(05K"},
        {CmdPlock, none, "(05CD"},
        {CmdAplock, none, "(05CE"},
        {CmdPargiv, with(-1, "036", {}, "1"), "(05%0361"},
        {CmdPdatget, with(0, {}), "(05Q000"},
        {CmdPdatset, with(0, {}, {}, {}, {}, uploadData), "(05P000" + uploadData},
        {CmdPinfget, with(7, {}), "(05I007"},
        {CmdPinfset, with(7, "2", "Evening"), "(05J0072Evening"},
        {CmdRecall, with(7, {}), "(05R007"},
        {CmdStore, with(7, {}), "(05S007"},
        {CmdRcallrDisable, with(-1, "007"), "(05L007D"},
        {CmdRcallrEnable, with(-1, "007"), "(05L007E"},
        {CmdPprtDisable, with(-1, "007"), "(05W007D"},
        {CmdPprtEnable, with(-1, "007"), "(05W007E"},
        {CmdPgdell, with(7, {}), "(05G007"},
        {CmdDevinfget, none, "(05X"},
        {CmdDevinfset, with(-1, {}, "Rack 2, stage left"), "(05YRack 2, stage left"},
        {CmdLevon, none, "(05ME"},
        {CmdLevoff, none, "(05MD"},
        {CmdBye, none, "(05bye"},
        // An edit carries the unit's levon request behind it, and waits for no reply.
        {CmdParedt, with(-1, "0532", {}, {}, "000"), "(05$0532000(05ME"},
    };
}

} // namespace mqx::test
