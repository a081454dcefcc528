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

const PeqCurves& PeqCurveCache::update(const ProgramRecord& record, int channel) {
    assert(channel >= 0 && channel < kInputCount);
    m_curves.sum.fill(0.0);
    for (std::size_t b = 0; b < m_curves.band.size(); ++b) {
        const EqBand& band = record.peq_band[b][static_cast<std::size_t>(channel)];
        if (channel != m_channel || band != m_bands[b]) {
            m_curves.band[b] = BandResponse(band);
            m_bands[b] = band;
        }
        for (std::size_t i = 0; i < m_curves.sum.size(); ++i)
            m_curves.sum[i] += m_curves.band[b][i];
    }
    m_channel = channel;
    return m_curves;
}

} // namespace mqx
