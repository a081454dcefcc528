#pragma once
// An output's link group: the unit applies an edit of one output to every output its
// link_mask names, so the controller's record must do the same or the two drift apart.

#include "core/program_record.h"

namespace mqx {

// Calls `apply` with the edited output's block and with each block its group names.
template <typename Apply>
void ForLinkedOutputs(ProgramRecord& record, int channel, Apply apply) {
    const std::uint8_t mask = record.out[static_cast<std::size_t>(channel)].link_mask;
    for (int c = 0; c < kOutputCount; ++c)
        if (c == channel || (mask & OutputBit(c)) != 0)
            apply(record.out[static_cast<std::size_t>(c)], c);
}

} // namespace mqx
