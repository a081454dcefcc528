#pragma once
// The curves of one output channel's graph: its two crossover filters, its three EQs and
// their sum with the channel level, which is what the output sends for a full-scale input.

#include "core/program_record.h"
#include "graphs/response_curve.h"

#include <array>

namespace mqx {

class CrossoverTable;

struct OutputCurves {
    ResponseCurve highPass{};
    ResponseCurve lowPass{};
    std::array<ResponseCurve, kOutputEqCount> eq{};
    ResponseCurve sum{}; // all five plus the level; a level of -Inf counts as kSilenceDb
};

OutputCurves OutputResponse(const OutputChannel& channel, const CrossoverTable& table);
OutputCurves OutputResponse(const OutputChannel& channel); // with SharedCrossoverTable()

} // namespace mqx
