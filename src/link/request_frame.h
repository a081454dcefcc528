#pragma once
// Request frames: "(" + the two-digit unit ID + the command's text + its arguments, with
// no terminator and no checksum.

#include "link/argument_slots.h"
#include "link/command_table.h"

#include <QByteArray>

namespace mqx {

// The frame of command `index` (which must be valid) for unit `unitId`.
QByteArray BuildFrame(const CommandTable& table, int index, int unitId, const ArgumentSlots& args);

// "(" + the unit ID as exactly two digits, the head of every frame to and from a unit.
QByteArray FrameHead(int unitId);

} // namespace mqx
