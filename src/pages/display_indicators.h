#pragma once
// What the unit's front panel lights for each output channel. The lamp mask
// (panel_indicator) is part of the program: the unit reads it from the record to light
// its lamps, so the controller works it out from the fields it summarises. The "Parameter"
// texts beside the lamps are worked out here too, so the Display page only draws.

#include "core/program_record.h"

#include <QString>

#include <cstdint>

namespace mqx {

// Bits of a panel_indicator byte; bits 6 and 7 are always clear.
enum PanelLamp : std::uint8_t {
    LampBelow100Hz = 1u << 0,
    Lamp100To500Hz = 1u << 1,
    Lamp500HzTo1kHz = 1u << 2,
    LampAbove1kHz = 1u << 3,
    LampInput2 = 1u << 4,
    LampInput1 = 1u << 5,
};

// The lamp mask of output channel 0..5 for the record as it stands.
std::uint8_t PanelIndicator(const ProgramRecord& record, int channel);
// Recomputes panel_indicator of one channel, or of all six.
void UpdatePanelIndicator(ProgramRecord& record, int channel);
void UpdatePanelIndicators(ProgramRecord& record);

// The read-only "Parameter" texts of an output channel.
QString SourceSummary(const OutputChannel& channel); // "IN-1"
QString HpfSummary(const OutputChannel& channel);    // " 100.0Hz", " Off  " when off
QString LpfSummary(const OutputChannel& channel);    // "20.00kHz", " Off  " when off

} // namespace mqx
