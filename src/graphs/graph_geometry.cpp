#include "graphs/graph_geometry.h"

#include "core/program_record.h"
#include "graphs/band_response.h"
#include "program/value_scales.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mqx {
namespace {

constexpr int kLastQStep = 72;
constexpr int kFlatLevel = 24;
// Pixels between a Q handle and its centre at Q step 72, and per Q step beyond.
constexpr int kQHandleInner = 10;
constexpr int kQHandlePerStep = 2;

} // namespace

GraphScale PeqGraphScale() {
    GraphScale s;
    s.width = 435;
    s.height = 241;
    s.originX = 38;
    s.zeroY = 102;
    s.pxPerDb = 4;
    s.top = 6;
    s.bottom = 198;
    s.lowestDb = -24;
    s.highestDb = 24;
    s.markerTop = 225;
    s.markerLeft = 32;
    return s;
}

GraphScale OutputGraphScale() {
    GraphScale s;
    s.width = 433;
    s.height = 217;
    s.originX = 39;
    s.zeroY = 54;
    s.pxPerDb = 2;
    s.top = 5;
    s.bottom = 175;
    s.lowestDb = -60;
    s.highestDb = 24;
    s.markerTop = 201;
    s.markerLeft = 33;
    return s;
}

int RoundHalfAway(double v) {
    return static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5);
}

int CurveY(const GraphScale& scale, double db) {
    if (db < scale.lowestDb)
        return scale.bottom;
    if (db > scale.highestDb)
        return scale.top;
    return scale.zeroY - RoundHalfAway(db * scale.pxPerDb);
}

int GridIndexAt(const GraphScale& scale, int x) {
    const int i = x - scale.originX;
    return i >= 0 && i < kGridPoints ? i : -1;
}

int NearestGridIndex(double hz) {
    const auto& g = FrequencyGrid();
    const auto above = std::lower_bound(g.begin(), g.end(), hz);
    if (above == g.end())
        return kGridPoints - 1;
    const int i = static_cast<int>(above - g.begin());
    if (i > 0 && hz - g[static_cast<std::size_t>(i - 1)] < *above - hz)
        return i - 1;
    return i;
}

int FrequencyStepNearGrid(int gridIndex, int lowest, int highest) {
    const double hz =
        FrequencyGrid()[static_cast<std::size_t>(std::clamp(gridIndex, 0, kGridPoints - 1))];
    int step = lowest;
    while (step < highest && FrequencyHzValue(step) < hz)
        ++step;
    if (step > lowest && FrequencyHzValue(step) >= hz &&
        hz - FrequencyHzValue(step - 1) <= FrequencyHzValue(step) - hz)
        --step;
    return step;
}

BandHandles HandlesOf(const GraphScale& scale, const EqBand& band, double valueAtCentre) {
    BandHandles h;
    if (band.type == kEqOff || band.type > kEqNotch)
        return h;
    h.centre = true;
    h.x = scale.originX + NearestGridIndex(FrequencyHzValue(band.freq));
    switch (band.type) {
    case kEqPeaking:
        h.y = scale.zeroY - RoundHalfAway(scale.pxPerDb * valueAtCentre);
        break;
    case kEqHiShelf:
    case kEqLoShelf:
        h.y = scale.zeroY - (band.level - kFlatLevel) * scale.pxPerDb / 2;
        break;
    default:
        h.y = scale.zeroY;
        break;
    }
    h.q = band.type == kEqPeaking || band.type == kEqBandpass || band.type == kEqNotch;
    if (h.q) {
        const int q = std::clamp<int>(band.q, 0, kLastQStep);
        const int spread = (kLastQStep - q) * kQHandlePerStep + kQHandleInner;
        h.leftX = h.x - spread;
        h.rightX = h.x + spread;
    }
    return h;
}

HandleGrab GrabHandle(const BandHandles& h, int x, int y) {
    const auto near = [&](int hx, int reach) {
        return std::abs(x - hx) <= reach && std::abs(y - h.y) <= reach;
    };
    HandleGrab grab;
    if (h.centre && near(h.x, kCentreHandleReach))
        grab = {HandleGrab::Centre, h.x - x, h.y - y};
    else if (h.q && near(h.leftX, kQHandleReach))
        grab = {HandleGrab::Q, h.leftX - x, h.y - y};
    else if (h.q && near(h.rightX, kQHandleReach))
        grab = {HandleGrab::Q, h.rightX - x, h.y - y};
    return grab;
}

int QStepOfDistance(int distance) {
    return std::clamp(kLastQStep - (std::abs(distance) - kQHandleInner) / kQHandlePerStep, 0,
                      kLastQStep);
}

int LevelStepOfY(const GraphScale& scale, int y) {
    const int halfDbSteps = scale.pxPerDb / 2;
    return std::clamp((scale.zeroY - y) / halfDbSteps, -kFlatLevel, kFlatLevel) + kFlatLevel;
}

} // namespace mqx
