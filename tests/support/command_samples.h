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
    const auto program = [](int n) { return [n](ArgumentSlots& a) { a.setProgram(n); }; };
    const auto code = [](QByteArray c) { return [c](ArgumentSlots& a) { a.ArgCode = c; }; };
    const auto none = [](ArgumentSlots&) {};
    return {
        {CmdHello, none, "(05hello"},
        {CmdVer, none, "(05A"},
        {CmdCpinf, none, "(05N"},
        {CmdPnllock, none, "(05K"},
        {CmdPlock, none, "(05CD"},
        {CmdAplock, none, "(05CE"},
        {CmdPargiv,
         [](ArgumentSlots& a) {
             a.ArgCode = "036";
             a.ArgExtra1 = "1";
         },
         "(05%0361"},
        {CmdPdatget, program(0), "(05Q000"},
        {CmdPdatset,
         [uploadData](ArgumentSlots& a) {
             a.setProgram(0);
             a.ArgData = uploadData;
         },
         "(05P000" + uploadData},
        {CmdPinfget, program(7), "(05I007"},
        {CmdPinfset,
         [](ArgumentSlots& a) {
             a.setProgram(7);
             a.ArgCode = "2";
             a.ArgText = "Evening";
         },
         "(05J0072Evening"},
        {CmdRecall, program(7), "(05R007"},
        {CmdStore, program(7), "(05S007"},
        {CmdRcallrDisable, code("007"), "(05L007D"},
        {CmdRcallrEnable, code("007"), "(05L007E"},
        {CmdPprtDisable, code("007"), "(05W007D"},
        {CmdPprtEnable, code("007"), "(05W007E"},
        {CmdPgdell, program(7), "(05G007"},
        {CmdDevinfget, none, "(05X"},
        {CmdDevinfset, [](ArgumentSlots& a) { a.ArgText = "Rack 2, stage left"; },
         "(05YRack 2, stage left"},
        {CmdLevon, none, "(05ME"},
        {CmdLevoff, none, "(05MD"},
        {CmdBye, none, "(05bye"},
        // An edit carries the unit's levon request behind it, and waits for no reply.
        {CmdParedt,
         [](ArgumentSlots& a) {
             a.ArgCode = "0532";
             a.ArgValue = "000";
         },
         "(05$0532000(05ME"},
    };
}

} // namespace mqx::test
