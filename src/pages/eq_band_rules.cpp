#include "pages/eq_band_rules.h"

#include <algorithm>

namespace mqx {

FrequencyRange FrequencyLimits(int type) {
    if (type == EqHiShelf)
        return {1, 110};
    if (type == EqLoShelf)
        return {12, 121};
    return {1, 121};
}

EqFieldsUsed FieldsUsedBy(int type) {
    switch (type) {
    case EqPeaking:
        return {true, true, true};
    case EqBandpass:
    case EqNotch:
        return {true, true, false};
    case EqHiShelf:
    case EqLoShelf:
        return {true, false, true};
    default:
        return {};
    }
}

bool ChangeEqType(EqBand& band, int type) {
    if (type < 0 || type >= kEqTypeCount || type == band.type)
        return false;
    band.type = static_cast<std::uint8_t>(type);
    if (type == EqOff) {
        band.freq = kFlatEqBand.freq;
        band.level = kFlatEqBand.level;
        band.q = kFlatEqBand.q;
        return true;
    }
    const FrequencyRange range = FrequencyLimits(type);
    band.freq = static_cast<std::uint8_t>(std::clamp<int>(band.freq, range.lowest, range.highest));
    return true;
}

} // namespace mqx
