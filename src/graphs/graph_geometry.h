#pragma once
// Where a response graph puts things, in logical pixels of the graph window: grid point i
// of FrequencyGrid() at x = originX + i, a curve value v dB at y = zeroY - round(v * scale)
// held between the top and bottom edges. The PEQ graph and the output graph differ only in
// these numbers; everything painted and every handle dragged is placed through them.

#include "graphs/frequency_grid.h"

namespace mqx {

struct EqBand;

struct GraphScale {
    int width = 0;
    int height = 0;
    int originX = 0;    // x of grid point 0
    int zeroY = 0;      // y of 0 dB
    int pxPerDb = 1;    // vertical scale
    int top = 0;        // y of the upper clamp
    int bottom = 0;     // y of the lower clamp
    int lowestDb = 0;   // the value at `bottom`
    int highestDb = 0;  // the value at `top`
    int markerTop = 0;  // y of the band markers under the plot
    int markerLeft = 0; // marker left edge = markerLeft + grid index

    int right() const { return originX + kGridPoints; }
};

// The PEQ graph: 435 x 241, 4 px per dB, -24..+24 dB.
GraphScale PeqGraphScale();
// The output graph: 433 x 217, 2 px per dB, -60..+24 dB.
GraphScale OutputGraphScale();

// The y of a curve value; values beyond the clamps lie on the edges.
int CurveY(const GraphScale& scale, double db);
// Half away from zero, then truncated, as the curve points are rounded.
int RoundHalfAway(double v);
// The grid point under an x, or -1 off the plot.
int GridIndexAt(const GraphScale& scale, int x);

// The grid point nearest to a frequency: the first one not below it, or the one before when
// that one is nearer.
int NearestGridIndex(double hz);
// The frequency step within lowest..highest nearest to grid point i: the first step not
// below the grid frequency, or the one before when that one is at least as near.
int FrequencyStepNearGrid(int gridIndex, int lowest, int highest);

// The handles of one selected equaliser band, in graph pixels.
struct BandHandles {
    bool centre = false; // Off has none
    int x = 0;
    int y = 0;
    bool q = false; // Peaking, Bandpass and Notch
    int leftX = 0;
    int rightX = 0;
};
inline constexpr int kCentreHandleReach = 5;
inline constexpr int kQHandleReach = 6;

// What a press on the graph takes: a handle, and the handle's offset from the pointer so
// that dragging moves it without a jump.
struct HandleGrab {
    enum Part { None, Centre, Q } part = None;
    int offsetX = 0;
    int offsetY = 0;
};
HandleGrab GrabHandle(const BandHandles& handles, int x, int y);

// `valueAtCentre` is the band's own curve at its grid point (the Peaking handle rides it).
BandHandles HandlesOf(const GraphScale& scale, const EqBand& band, double valueAtCentre);
// The Q step for a Q handle `distance` pixels from the centre: 72 on the centre, 0 at 154.
int QStepOfDistance(int distance);
// The level step for a centre handle dragged to y: two pixels a step at 4 px per dB.
int LevelStepOfY(const GraphScale& scale, int y);

} // namespace mqx
