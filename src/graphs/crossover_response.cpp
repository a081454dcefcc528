#include "graphs/crossover_response.h"

#include "graphs/crossover_table.h"

namespace mqx {
namespace {

bool isFilter(int type, int step) {
    return type >= 0 && type < kCrossoverTypes && IsCrossoverStep(step);
}

} // namespace

ResponseCurve HighPassResponse(int type, int step, const CrossoverTable& table) {
    ResponseCurve r{};
    if (!isFilter(type, step))
        return r;
    for (int i = 0; i < kGridPoints; ++i)
        r[static_cast<std::size_t>(i)] = table.at(type, HighPassTableEntry(step, i));
    return r;
}

ResponseCurve LowPassResponse(int type, int step, const CrossoverTable& table) {
    ResponseCurve r{};
    if (!isFilter(type, step))
        return r;
    for (int i = 0; i < kGridPoints; ++i)
        r[static_cast<std::size_t>(i)] = table.at(type, LowPassTableEntry(step, i));
    return r;
}

} // namespace mqx
