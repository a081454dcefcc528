#pragma once
// The block diagram of the signal flow: where each block sits in the 677 x 233 picture,
// which blocks a program lights (those whose setting departs from neutral), and which
// tab a press on a block opens. The rectangles are the picture's logical pixels and are
// both the lit areas and the click areas, so the painting and the hit test cannot drift
// apart.

#include "core/program_record.h"

#include <QPoint>
#include <QRect>

#include <array>
#include <vector>

namespace mqx {

inline constexpr int kDiagramWidth = 677;
inline constexpr int kDiagramHeight = 233;

// The parts of one output row, left to right along the signal.
enum class OutputPart { HighPass, LowPass, Equaliser, Level, Limiter, Delay, Phase, Mute };
inline constexpr int kOutputPartCount = 8;

QRect InputBlockRect();
QRect SignalGeneratorRect();
QRect GeqRect(int ch);
QRect PeqRect(int ch);
QRect CompressorRect(int ch);
QRect InputDelayRect(int ch);
QRect OutputRowRect(int c);
QRect OutputPartRect(int c, OutputPart part);

// Areas drawn the same whatever the program: the input selection and the output routing.
QRect InputRoutingRect();
QRect OutputRoutingRect();
// The two areas whose routing changes to run through PEQ and compressor in that mode.
std::array<QRect, 2> PeqCompRoutingRects();

// A block that answers a press by opening a tab.
struct DiagramTarget {
    QRect rect;
    int tab = 0;
};

// The click areas in the order they are tested; the first hit wins.
const std::array<DiagramTarget, 16>& DiagramTargets();

// The tab a press at p opens, or -1 outside every block.
int TabAtPoint(QPoint p);

struct DiagramLighting {
    bool input = false;
    bool signalGenerator = false;
    bool peqCompRouting = false;
    std::array<bool, kInputCount> geq{};
    std::array<bool, kInputCount> peq{};
    std::array<bool, kInputCount> compressor{};
    std::array<bool, kInputCount> inputDelay{};
    std::array<std::array<bool, kOutputPartCount>, kOutputCount> outputParts{};
    friend bool operator==(const DiagramLighting&, const DiagramLighting&) = default;
};

DiagramLighting LightDiagram(const ProgramRecord& record);

// The rectangles of every lit block, inputs first, then the output rows part by part.
std::vector<QRect> LitRects(const DiagramLighting& lighting);

} // namespace mqx
