#pragma once
// The programs a fresh simulated unit holds, so that lists, recalls and downloads have
// something to show: a few named set-ups in the first slots, one of them protected and
// one recall-locked, and the remaining slots empty.

#include "core/program_record.h"

#include <QByteArrayView>

#include <array>

namespace mqx::sim {

inline constexpr int kSlotCount = 50;

// Slot n (1..50) at index n - 1; an empty slot has empty_flag 255.
std::array<ProgramRecord, kSlotCount> DemoPrograms();

// A record holding the factory defaults, named and described as given (padded with ".").
ProgramRecord NamedProgram(QByteArrayView name, QByteArrayView comment);

// Copies `text` into a fixed-width field, padding with "." as the unit's own panel does.
void FillText(char* field, int width, QByteArrayView text);

} // namespace mqx::sim
