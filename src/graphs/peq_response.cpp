#include "graphs/peq_response.h"

#include "graphs/band_response.h"

#include <cassert>

namespace mqx {

PeqCurves PeqResponse(const ProgramRecord& record, int channel) {
    assert(channel >= 0 && channel < kInputCount);
    PeqCurves c;
    for (std::size_t b = 0; b < c.band.size(); ++b) {
        c.band[b] = BandResponse(record.peq_band[b][static_cast<std::size_t>(channel)]);
        for (std::size_t i = 0; i < c.sum.size(); ++i)
            c.sum[i] += c.band[b][i];
    }
    return c;
}

} // namespace mqx
