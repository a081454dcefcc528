#pragma once
// A fault injected into the unit's answers to one command, to try the controller's
// handling of a line that misbehaves.

#include "unit_command.h"

#include <QString>

#include <optional>

namespace mqx::sim {

struct LineFault {
    enum class Kind {
        Silent,  // the request is lost: not carried out, not answered
        Garbled, // carried out; the three characters after "(" arrive as "???"
        Error,   // not carried out; answered "(" + ID + "e" + errorCode
        Bursts,  // carried out; the answer arrives in up to burstCount pieces, gapMs apart
        WrongId, // carried out; answered under another unit's ID
    };

    Kind kind = Kind::Silent;
    int errorCode = 0;  // Error: 0..99
    int gapMs = 100;    // Bursts
    int burstCount = 4; // Bursts: pieces of at least one character
    int remaining = -1; // how many answers it spoils before it clears; -1 = every one
    int slot = -1;      // only requests for this program number (0..50); -1 = any request
};

struct FaultOption {
    UnitCommand command = UnitCommand::Hello;
    LineFault fault;
};

// Reads "COMMAND[@SLOT]:KIND[:ARG]" as given to mqx-sim --fault: "recall:silent",
// "pdatget:bursts:300", "store:error:13", "hello:garbled", "hello:wrong-id", and for one
// program number only "pinfget@12:error:11".
// On a fault in the text, returns nothing and says why in `error`.
std::optional<FaultOption> ParseFaultOption(QStringView text, QString* error = nullptr);

} // namespace mqx::sim
