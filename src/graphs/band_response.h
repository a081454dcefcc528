#pragma once
// Magnitude response of one equaliser band (a PEQ band or an output EQ) on the graph grid.
// The unit runs its equalisers as digital filters at 96 kHz; the curves are the closed-form
// magnitudes of those filters, so they bend towards the Nyquist frequency as the unit's do.
//
//   EqBand {type, freq, level, q} --BandResponse--> ResponseCurve (dB at each grid point)

#include "graphs/response_curve.h"

namespace mqx {

struct EqBand;

// EqType steps.
enum EqTypeStep : int {
    kEqOff = 0,
    kEqPeaking = 1,
    kEqBandpass = 2,
    kEqHiShelf = 3,
    kEqLoShelf = 4,
    kEqNotch = 5,
};

inline constexpr double kEqSampleRate = 96000.0;

// The grid point that FrequencyHz step n falls on: the scale has 40 steps a decade and the
// grid 120, and step 1 (19.95 Hz) lies on grid point 9.
constexpr int GridIndexOfFrequencyStep(int step) {
    return 3 * step + 6;
}

// Any byte may sit in a band (files are not range-checked): an unknown type gives a flat
// curve, and frequency, level and Q are held to their scales (1..121, 0..48, 0..72).
ResponseCurve BandResponse(const EqBand& band);

} // namespace mqx
