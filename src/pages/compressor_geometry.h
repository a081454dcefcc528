#pragma once
// Where the Compressor page draws what it shows, as plain numbers in the page's logical
// pixels: the make-up gain faders, the transfer curve of a threshold, ratio and make-up
// gain, and the gain-reduction bar of a meter value. The widgets paint exactly these.

#include "core/meter_levels.h"
#include "pages/fader_geometry.h"

#include <QPoint>
#include <QRect>

namespace mqx {

enum CompLinkMode : int { CompIndividual = 0, CompLinkStereo, CompLinkIn1, CompLinkIn2 };

// Which column's settings the unit uses in a link mode: both when INDIVIDUAL, IN-1 in
// LINK(STEREO) and LINK(IN-1), IN-2 in LINK(IN-2). A byte that is no mode counts as
// INDIVIDUAL. The graph draws the curves of exactly these columns.
bool CompColumnValid(int linkMode, int channel);
// The reduction meter value a channel's bar shows: a linked pair is reduced together, so
// the bar of the following channel shows the leading channel's value.
int BarReduction(int linkMode, const MeterLevels& levels, int channel);

// The make-up gain faders: -Inf and 1..241 (-90.0 .. +30.0 dB), one pixel a step.
FaderGeometry MakeUpGainFader();
struct CompressorLayout {
    static constexpr int kGainTrackTop = 2;
    static constexpr int kFirstGainTrackLeft = 590;
    static constexpr int kGainTrackGap = 36;
    static int gainTrackLeft(int channel);
};

// The transfer graph: a 140-pixel square inside a 4-pixel margin, one pixel a 0.5 dB step
// on both axes; the right edge is an input of 0 dBFS, the top an output of 0 dBFS.
inline constexpr int kTransferMargin = 4;
inline constexpr int kTransferSide = 140;
inline constexpr int kTransferGraphSize = kTransferSide + 2 * kTransferMargin;
// Curves are clipped to the square, both edges included.
inline constexpr QRect kTransferClip(kTransferMargin, kTransferMargin, kTransferSide + 1,
                                     kTransferSide + 1);
struct TransferCurve {
    QPoint start; // the quietest input, left edge
    QPoint knee;  // the input at the threshold
    QPoint end;   // an input of 0 dBFS, right edge
};
// Threshold, ratio and make-up gain steps.
TransferCurve TransferCurvePoints(int threshold, int ratio, int gain);
// The graph pixel of an input or output in dB (0 dBFS at the right or top edge).
int TransferX(double inputDb);
int TransferY(double outputDb);

// A gain-reduction bar grows from its right edge (x = 97) to the left, rows 2 to 8; a
// meter value of 90 or more is no reduction and draws nothing.
inline constexpr int kReductionBarRight = 97;
inline constexpr int kReductionBarTop = 2;
inline constexpr int kReductionBarBottom = 8;
inline constexpr int kNoReduction = 90;
int ReductionBarLength(int meter);
// Right and bottom edges excluded; empty when nothing is drawn.
QRect ReductionBarRect(int meter);

} // namespace mqx
