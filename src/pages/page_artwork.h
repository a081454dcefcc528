#pragma once
// The editing pages' own artwork, painted at any scale: the muting buttons' faces, the
// delay arrows, the front-panel lamps and the letter and number tiles that name outputs
// and inputs.

#include <QColor>
#include <QIcon>
#include <QPixmap>

#include <array>

class QPainter;
class QRectF;
class QWidget;

namespace mqx {

// One colour per output channel A..F, as every page that names outputs uses them.
inline constexpr std::array<std::array<int, 3>, 6> kChannelRgb = {{
    {255, 0, 0},
    {255, 153, 0},
    {204, 204, 0},
    {204, 0, 0},
    {255, 0, 153},
    {153, 0, 255},
}};
QColor ChannelColour(int channel);

// The face of every muting button (the outputs' and the generator's): the word "Muting"
// in red while muted, blank otherwise, so the state reads from across a stage.
QIcon MutingIcon(bool muted);
inline constexpr QSize kMutingIconSize(44, 16);

// A small tile naming output 0..5 ("A".."F") in its channel colour, or input 0..1
// ("1", "2").
QPixmap ChannelLetterTile(int channel);
QPixmap InputNumberTile(int input);

// The face of PEQ band button 0..10: its number over a small response glyph, the glyph lit
// while the band is active and flat and grey while it is Off; the selected band's number is
// red, as its marker on the graph is.
QIcon PeqBandIcon(int band, bool active, bool selected);
inline constexpr QSize kPeqBandIconSize(28, 26);

// The face of output filter button 0..4 (HPF, LPF, EQ1..EQ3): its name over the shape of
// its response, lit while the element is on (or has a setting put aside), grey while off.
QIcon OutputBandIcon(int element, bool on, bool selected);
inline constexpr QSize kOutputBandIconSize(34, 26);

// A delay arrow pair in `rect`: the up arrow in the upper half, the down arrow in the
// lower; `pressed` is 0 for none, 1 for up, 2 for down.
void PaintDelayArrows(QPainter& painter, const QRectF& rect, int pressed);

// A box that shows a value the operator cannot change here (disabled, so that nothing
// suggests otherwise) keeps the full contrast of ordinary text rather than the style's
// faint grey for disabled controls.
void KeepTextLegibleWhenDisabled(QWidget* box);

// One front-panel lamp, lit or dark, in its own colour.
void PaintLamp(QPainter& painter, const QRectF& rect, const QColor& colour, bool lit);

} // namespace mqx
