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

// The same curves for a graph that repaints while one band is dragged: a band's curve is
// computed again only when its four values changed since the last call, the sum always.
class PeqCurveCache {
public:
    const PeqCurves& update(const ProgramRecord& record, int channel);

private:
    PeqCurves m_curves;
    std::array<EqBand, kPeqBandCount> m_bands{};
    int m_channel = -1; // none computed yet
};

} // namespace mqx
