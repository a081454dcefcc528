#pragma once
// The curves of one input channel's PEQ graph: the eleven bands and their sum. The PEQ
// output level is shown by its own control, not folded into the sum.

#include "core/program_record.h"
#include "graphs/response_curve.h"

#include <array>

namespace mqx {

struct PeqCurves {
    std::array<ResponseCurve, kPeqBandCount> band{};
    ResponseCurve sum{};
};

// channel: 0 = input 1, 1 = input 2.
PeqCurves PeqResponse(const ProgramRecord& record, int channel);

} // namespace mqx
