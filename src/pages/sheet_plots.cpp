#include "pages/sheet_plots.h"

#include "graphs/output_response.h"
#include "graphs/peq_response.h"
#include "pages/page_artwork.h"
#include "program/value_scales.h"

#include <cmath>

namespace mqx {
namespace {

QString outputName(int c) {
    return QStringLiteral("OUT-%1").arg(c + 1);
}

// The GEQ's 31 third-octave bands, 20 Hz to 20 kHz, at their exact centres.
double geqBandHz(int band) {
    return 1000.0 * std::pow(10.0, (band - 17) / 10.0);
}

} // namespace

QColor InputColour(int channel) {
    return channel == 0 ? QColor(0, 160, 0) : QColor(0, 90, 220);
}

ResponsePlot OutputChannelPlot(const ProgramRecord& record, int channel) {
    const OutputCurves curves = OutputResponse(record.out[static_cast<std::size_t>(channel)]);
    ResponsePlot plot;
    plot.title = outputName(channel) + QStringLiteral(" response");
    plot.lowestDb = -60;
    plot.stepDb = 12;
    const QColor faint(130, 130, 130);
    plot.curves.push_back({QStringLiteral("HPF"), faint, GridPoints(curves.highPass), 0.8});
    plot.curves.push_back({QStringLiteral("LPF"), faint, GridPoints(curves.lowPass), 0.8});
    for (int e = 0; e < kOutputEqCount; ++e)
        plot.curves.push_back({QStringLiteral("EQ%1").arg(e + 1), QColor(120, 120, 220),
                               GridPoints(curves.eq[static_cast<std::size_t>(e)]), 0.8});
    plot.curves.push_back(
        {QStringLiteral("Sum"), ChannelColour(channel), GridPoints(curves.sum), 2});
    return plot;
}

ResponsePlot PeqChannelPlot(const ProgramRecord& record, int channel) {
    const PeqCurves curves = PeqResponse(record, channel);
    ResponsePlot plot;
    plot.title = QStringLiteral("IN-%1 PEQ response").arg(channel + 1);
    plot.valueAxis = QStringLiteral("Gain (dB)");
    for (int b = 0; b < kPeqBandCount; ++b)
        plot.curves.push_back({b == 0 ? QStringLiteral("Bands") : QString(), QColor(220, 90, 90),
                               GridPoints(curves.band[static_cast<std::size_t>(b)]), 0.7});
    plot.curves.push_back({QStringLiteral("Sum"), InputColour(channel), GridPoints(curves.sum), 2});
    return plot;
}

ResponsePlot OutputSumsPlot(const ProgramRecord& record) {
    ResponsePlot plot;
    plot.title = QStringLiteral("Outputs: the sum of each channel");
    plot.lowestDb = -60;
    plot.stepDb = 12;
    for (int c = 0; c < kOutputCount; ++c)
        plot.curves.push_back(
            {outputName(c), ChannelColour(c),
             GridPoints(OutputResponse(record.out[static_cast<std::size_t>(c)]).sum), 1.6});
    return plot;
}

ResponsePlot InputEqPlot(const ProgramRecord& record) {
    ResponsePlot plot;
    plot.valueAxis = QStringLiteral("Gain (dB)");
    if (record.eq_mode == 0) {
        plot.title = QStringLiteral("GEQ settings of both inputs");
        plot.lowestDb = -12;
        plot.highestDb = 12;
        plot.stepDb = 3;
        for (int ch = 0; ch < kInputCount; ++ch) {
            PlotCurve bands{QStringLiteral("IN-%1").arg(ch + 1), InputColour(ch), {}, 1.2, true};
            for (int b = 0; b < kGeqBandCount; ++b)
                bands.points.emplace_back(
                    geqBandHz(b), EqGainDbValue(record.geq_level[static_cast<std::size_t>(b)]
                                                                [static_cast<std::size_t>(ch)]));
            plot.curves.push_back(std::move(bands));
        }
        return plot;
    }
    plot.title = QStringLiteral("PEQ sums of both inputs");
    for (int ch = 0; ch < kInputCount; ++ch)
        plot.curves.push_back({QStringLiteral("IN-%1").arg(ch + 1), InputColour(ch),
                               GridPoints(PeqResponse(record, ch).sum), 1.6});
    return plot;
}

} // namespace mqx
