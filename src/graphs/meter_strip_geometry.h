#pragma once
// What the level meter strip lights for one block of meter values. The strip's pixel
// geometry is fixed: the operator reads levels off the positions, so every rectangle here
// is in the strip's logical pixels, and the widget only adds its own background and scale.
// Rectangles follow the fill convention of the meters: right and bottom edges excluded,
// so a bar "from y = 91 - h to y = 91" is QRect(x, 91 - h, 6, h).

#include "core/meter_levels.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <vector>

namespace mqx {

inline constexpr int kMeterModeFine = 0;
inline constexpr int kMeterModeCoarse = 1;

enum class MeterKind { Input, Output };

inline constexpr int kMeterColumnWidth = 6;
inline constexpr int kFineBarBottom = 91;
inline constexpr int kFineBarMaximum = 62;
inline constexpr int kFineSegmentsFull = 32;
inline constexpr int kCoarseLampCount = 5;

struct MeterColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const MeterColour&, const MeterColour&) = default;
};

inline constexpr MeterColour kMeterGreen{0, 255, 0};
inline constexpr MeterColour kMeterRed{255, 0, 0};
inline constexpr MeterColour kDynamicsLit{255, 153, 0};
inline constexpr MeterColour kDynamicsDark{0, 0, 0};

// One solid rectangle the strip paints over its background.
struct MeterFill {
    QRect rect;
    MeterColour colour;
    friend bool operator==(const MeterFill&, const MeterFill&) = default;
};

// Left edge of a meter's column; outputs sit further right in Coarse mode to make room
// for the lamp captions.
int MeterColumnX(MeterKind kind, int channel, int mode);

// Fine mode: segments lit for meter value m (1..32) and the bar's height in pixels.
int FineSegmentCount(int m);
int FineBarHeight(int m);
bool FineClipLit(int m);

// Coarse mode: lamp k (0 = top, red) lit for meter value m.
std::array<bool, kCoarseLampCount> CoarseLampsLit(int m);

// The compressor lamp of an input lights while its reduction is below 90;
// the limiter lamp of an output while its state is non-zero.
bool InputDynamicsLit(std::uint8_t reduction);
bool OutputDynamicsLit(std::uint8_t state);

// Rectangles of one column whose left edge is x0.
QRect FineBarRect(int x0, int height);
QRect FineClipRect(int x0);
QRect CoarseLampRect(int x0, int lamp);
QRect DynamicsLampRect(int x0);

// Everything painted over the background for these levels, in painting order:
// inputs 0..1 then outputs 0..5, each its level display followed by its dynamics lamp.
std::vector<MeterFill> MeterStripFills(const MeterLevels& levels, int mode);

} // namespace mqx
