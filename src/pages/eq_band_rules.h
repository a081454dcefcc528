#pragma once
// The rules every equaliser band with a type list follows (the PEQ bands, the compressors'
// side-chain EQs, the output EQs): which of its values a type uses, how far its frequency
// may go, and what choosing a new type does to the other three values.

#include "core/program_record.h"

namespace mqx {

enum EqType : int { EqOff = 0, EqPeaking, EqBandpass, EqHiShelf, EqLoShelf, EqNotch };
inline constexpr int kEqTypeCount = 6;

struct FrequencyRange {
    int lowest = 1;
    int highest = 121;
};
// A shelf's corner stays inside the audio band: Hi-Shelf up to step 110, Lo-Shelf from 12.
FrequencyRange FrequencyLimits(int type);

// Which boxes a type uses; the others are disabled and blank.
struct EqFieldsUsed {
    bool frequency = false;
    bool q = false;
    bool level = false;
};
EqFieldsUsed FieldsUsedBy(int type);

// Stores a new type: Off puts frequency, level and Q back to 1 kHz, 0.0 dB and Q 46; a
// shelf pulls the frequency into its limits. False (and nothing changed) when the type is
// the one stored or no type at all.
bool ChangeEqType(EqBand& band, int type);

} // namespace mqx
