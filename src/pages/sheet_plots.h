#pragma once
// The response plots of a program as the pages draw them, for paper and images: one
// output's curves, one input's PEQ curves, the six outputs' sums together and the two
// inputs' equalisers together (PEQ sums, or the GEQ band settings in GEQ mode).

#include "core/program_record.h"
#include "graphs/response_plot.h"

namespace mqx {

// The input curves' colours, and the sum's as the PEQ graph draws it.
QColor InputColour(int channel);

ResponsePlot OutputChannelPlot(const ProgramRecord& record, int channel);
ResponsePlot PeqChannelPlot(const ProgramRecord& record, int channel);
ResponsePlot OutputSumsPlot(const ProgramRecord& record);
ResponsePlot InputEqPlot(const ProgramRecord& record);

} // namespace mqx
