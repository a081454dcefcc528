#include "pages/compressor_geometry.h"

#include <cmath>

namespace mqx {

bool CompColumnValid(int linkMode, int channel) {
    switch (linkMode) {
    case CompLinkStereo:
    case CompLinkIn1:
        return channel == 0;
    case CompLinkIn2:
        return channel == 1;
    default:
        return true;
    }
}

int BarReduction(int linkMode, const MeterLevels& levels, int channel) {
    int from = channel;
    if (linkMode == CompLinkStereo || linkMode == CompLinkIn1)
        from = 0;
    else if (linkMode == CompLinkIn2)
        from = 1;
    return levels.compReduction[static_cast<std::size_t>(from)];
}

FaderGeometry MakeUpGainFader() {
    FaderGeometry g;
    g.trackWidth = 21;
    g.trackHeight = 276;
    g.knobWidth = 15;
    g.knobHeight = 12;
    g.pixelsPerStep = 1;
    g.lowestStep = 0;
    g.highestStep = 241;
    // Track top 2 on the page: step 181 (0.0 dB) at page top 70, step 1 (-90.0 dB) at 250,
    // -Inf at 259, step 241 (+30.0 dB) at 10.
    g.referenceStep = 1;
    g.referenceTop = 248;
    g.minTop = 8;
    g.maxTop = 248;
    g.infTop = 257;
    g.markEvery = 20; // 10 dB
    return g;
}

int CompressorLayout::gainTrackLeft(int channel) {
    return kFirstGainTrackLeft + channel * (MakeUpGainFader().trackWidth + kGainTrackGap);
}

TransferCurve TransferCurvePoints(int t, int r, int g) {
    // 181 is the make-up gain step of 0.0 dB. Below the knee the curve runs 1:1 from the
    // quietest input; above it the output rises t (100 - r) / 100 pixels over the last t.
    const int offset = 181 - g;
    const int edge = kTransferMargin + kTransferSide;
    return {QPoint(kTransferMargin, edge + offset), QPoint(edge - t, kTransferMargin + t + offset),
            QPoint(edge, kTransferMargin + t * r / 100 + offset)};
}

int TransferX(double inputDb) {
    return kTransferMargin + kTransferSide + static_cast<int>(std::lround(2 * inputDb));
}

int TransferY(double outputDb) {
    return kTransferMargin - static_cast<int>(std::lround(2 * outputDb));
}

int ReductionBarLength(int m) {
    if (m >= kNoReduction)
        return 0;
    const int k = m - 51;
    if (k < 0)
        return 94;
    if (k <= 5)
        return 92 - 2 * (k / 2);
    if (k <= 29)
        return 98 - 2 * k;
    return 156 - 4 * k;
}

QRect ReductionBarRect(int m) {
    const int length = ReductionBarLength(m);
    if (length == 0)
        return {};
    return {kReductionBarRight - length, kReductionBarTop, length,
            kReductionBarBottom - kReductionBarTop};
}

} // namespace mqx
