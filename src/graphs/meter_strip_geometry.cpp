#include "graphs/meter_strip_geometry.h"

#include <cstddef>

namespace mqx {

namespace {

constexpr int kInputX = 4;
constexpr int kInputPitch = 49;
constexpr int kOutputXFine = 116;
constexpr int kOutputXCoarse = 125;
constexpr int kOutputPitch = 23;

constexpr int kClipTop = 26;
constexpr int kClipBottom = 29;
constexpr int kDynamicsTop = 17;
constexpr int kDynamicsBottom = 20;
constexpr int kCoarseTop = 34;
constexpr int kCoarsePitch = 12;
constexpr int kCoarseHeight = 3;

// Lamp k lights from this value upwards; the top lamp doubles as the clip lamp.
constexpr std::array<int, kCoarseLampCount> kCoarseThresholds = {90, 84, 80, 70, 50};

void appendColumn(std::vector<MeterFill>& fills, int x0, int m, bool dynamicsLit, int mode) {
    if (mode == kMeterModeCoarse) {
        const auto lit = CoarseLampsLit(m);
        for (int k = 0; k < kCoarseLampCount; ++k) {
            if (lit[static_cast<std::size_t>(k)])
                fills.push_back({CoarseLampRect(x0, k), k == 0 ? kMeterRed : kMeterGreen});
        }
    } else {
        fills.push_back({FineBarRect(x0, FineBarHeight(m)), kMeterGreen});
        if (FineClipLit(m))
            fills.push_back({FineClipRect(x0), kMeterRed});
    }
    fills.push_back({DynamicsLampRect(x0), dynamicsLit ? kDynamicsLit : kDynamicsDark});
}

} // namespace

int MeterColumnX(MeterKind kind, int channel, int mode) {
    if (kind == MeterKind::Input)
        return kInputX + kInputPitch * channel;
    const int first = mode == kMeterModeCoarse ? kOutputXCoarse : kOutputXFine;
    return first + kOutputPitch * channel;
}

int FineSegmentCount(int m) {
    // The unit's steps are finer near full scale, so the segments cover fewer values there.
    if (m < 30)
        return 1;
    if (m < 60)
        return 2 + (m - 30) / 3;
    if (m < 80)
        return 12 + (m - 60) / 2;
    if (m < 90)
        return m - 58;
    return kFineSegmentsFull;
}

int FineBarHeight(int m) {
    const int n = FineSegmentCount(m);
    return n == kFineSegmentsFull ? kFineBarMaximum : 2 * n;
}

bool FineClipLit(int m) {
    return FineSegmentCount(m) == kFineSegmentsFull;
}

std::array<bool, kCoarseLampCount> CoarseLampsLit(int m) {
    std::array<bool, kCoarseLampCount> lit{};
    for (std::size_t k = 0; k < lit.size(); ++k)
        lit[k] = m >= kCoarseThresholds[k];
    return lit;
}

bool InputDynamicsLit(std::uint8_t reduction) {
    return reduction < 90;
}

bool OutputDynamicsLit(std::uint8_t state) {
    return state != 0;
}

QRect FineBarRect(int x0, int height) {
    return {x0, kFineBarBottom - height, kMeterColumnWidth, height};
}

QRect FineClipRect(int x0) {
    return {x0, kClipTop, kMeterColumnWidth, kClipBottom - kClipTop};
}

QRect CoarseLampRect(int x0, int lamp) {
    return {x0, kCoarseTop + kCoarsePitch * lamp, kMeterColumnWidth, kCoarseHeight};
}

QRect DynamicsLampRect(int x0) {
    return {x0, kDynamicsTop, kMeterColumnWidth, kDynamicsBottom - kDynamicsTop};
}

std::vector<MeterFill> MeterStripFills(const MeterLevels& levels, int mode) {
    std::vector<MeterFill> fills;
    for (int ch = 0; ch < 2; ++ch) {
        const auto i = static_cast<std::size_t>(ch);
        appendColumn(fills, MeterColumnX(MeterKind::Input, ch, mode), levels.inputMeter[i],
                     InputDynamicsLit(levels.compReduction[i]), mode);
    }
    for (int c = 0; c < 6; ++c) {
        const auto i = static_cast<std::size_t>(c);
        appendColumn(fills, MeterColumnX(MeterKind::Output, c, mode), levels.outputMeter[i],
                     OutputDynamicsLit(levels.outputState[i]), mode);
    }
    return fills;
}

} // namespace mqx
