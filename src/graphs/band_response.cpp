#include "graphs/band_response.h"

#include "core/program_record.h"
#include "program/value_scales.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mqx {
namespace {

constexpr int kLowestBandStep = 1;
constexpr int kHighestBandStep = 121;

// The grid's angular frequencies do not change, so their trigonometry is worked out once
// instead of on every repaint of every band.
struct GridAngles {
    std::array<double, kGridPoints> sinW{};
    std::array<double, kGridPoints> cosW{};
    std::array<double, kGridPoints> tanHalfW{};
};

const GridAngles& gridAngles() {
    static const GridAngles angles = [] {
        GridAngles a;
        const auto& grid = FrequencyGrid();
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const double w = 2.0 * std::numbers::pi * grid[i] / kEqSampleRate;
            a.sinW[i] = std::sin(w);
            a.cosW[i] = std::cos(w);
            a.tanHalfW[i] = std::tan(w / 2.0);
        }
        return a;
    }();
    return angles;
}

struct BandParameters {
    int centre = 0;      // grid index of f0
    double w0 = 0.0;     // 2 pi f0 / fs
    double gainDb = 0.0; // level in dB
    double g = 1.0;      // level as an amplitude ratio
    double q = 1.0;
    bool boost() const { return g >= 1.0; }
};

// The second-order types share the band edge below f0 and the bandwidth term t; with
// s(w) = sin w / (cos w - cos w0), t s(w) is 1 at that edge and grows without bound at f0.
double bandwidthTerm(const BandParameters& p) {
    const double w1 =
        p.w0 * 2.0 * p.q / (1.0 + std::sqrt(1.0 + 4.0 * p.q * p.q)); // lower band edge
    return (std::cos(w1) - std::cos(p.w0)) / std::sin(w1);
}

void peaking(const BandParameters& p, ResponseCurve& r) {
    const GridAngles& a = gridAngles();
    const double t = bandwidthTerm(p);
    const double cosW0 = std::cos(p.w0);
    for (int i = 0; i < kGridPoints; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (i == p.centre) {
            r[k] = p.gainDb;
            continue;
        }
        const double ts = t * a.sinW[k] / (a.cosW[k] - cosW0);
        if (p.boost()) {
            const double gts = p.g * ts;
            r[k] = 10.0 * std::log10((1.0 + gts * gts) / (1.0 + ts * ts));
        } else {
            const double tsg = ts / p.g;
            r[k] = 10.0 * std::log10((1.0 + ts * ts) / (1.0 + tsg * tsg));
        }
    }
}

void bandpass(const BandParameters& p, ResponseCurve& r) {
    const GridAngles& a = gridAngles();
    const double t = bandwidthTerm(p);
    const double cosW0 = std::cos(p.w0);
    for (int i = 0; i < kGridPoints; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double d = (a.cosW[k] - cosW0) / (t * a.sinW[k]);
        r[k] = i == p.centre ? 0.0 : -10.0 * std::log10(1.0 + d * d);
    }
}

void notch(const BandParameters& p, ResponseCurve& r) {
    const GridAngles& a = gridAngles();
    const double t = bandwidthTerm(p);
    const double cosW0 = std::cos(p.w0);
    for (int i = 0; i < kGridPoints; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (i == p.centre) {
            r[k] = kSilenceDb; // the null itself is -infinity
            continue;
        }
        const double ts = t * a.sinW[k] / (a.cosW[k] - cosW0);
        r[k] = -10.0 * std::log10(1.0 + ts * ts);
    }
}

// First-order shelves: Q plays no part; the turnover is set by T = tan(w0 / 2).
void hiShelf(const BandParameters& p, ResponseCurve& r) {
    const GridAngles& a = gridAngles();
    const double tw = std::tan(p.w0 / 2.0);
    for (std::size_t k = 0; k < r.size(); ++k) {
        const double x = a.tanHalfW[k] / tw;
        if (p.boost()) {
            const double xg = x / p.g;
            r[k] = 10.0 * std::log10((1.0 + x * x) / (1.0 + xg * xg));
        } else {
            const double gx = p.g * x;
            r[k] = 10.0 * std::log10((1.0 + gx * gx) / (1.0 + x * x));
        }
    }
}

void loShelf(const BandParameters& p, ResponseCurve& r) {
    const GridAngles& a = gridAngles();
    const double tw = std::tan(p.w0 / 2.0);
    for (std::size_t k = 0; k < r.size(); ++k) {
        const double tau2 = a.tanHalfW[k] * a.tanHalfW[k];
        if (p.boost()) {
            const double tg = tw / p.g;
            r[k] = 10.0 * std::log10((tw * tw + tau2) / (tg * tg + tau2));
        } else {
            const double gt = p.g * tw;
            r[k] = 10.0 * std::log10((gt * gt + tau2) / (tw * tw + tau2));
        }
    }
}

} // namespace

ResponseCurve BandResponse(const EqBand& band) {
    ResponseCurve r{};
    if (band.type < kEqPeaking || band.type > kEqNotch)
        return r;

    BandParameters p;
    const int step = std::clamp<int>(band.freq, kLowestBandStep, kHighestBandStep);
    p.centre = GridIndexOfFrequencyStep(step);
    p.w0 = 2.0 * std::numbers::pi * FrequencyHzValue(step) / kEqSampleRate;
    p.gainDb = EqGainDbValue(std::min<int>(band.level, LastStep(Scale::EqGainDb)));
    p.g = std::pow(10.0, p.gainDb / 20.0);
    p.q = QBandwidthValue(std::min<int>(band.q, LastStep(Scale::QBandwidth)));

    switch (band.type) {
    case kEqPeaking:
        peaking(p, r);
        break;
    case kEqBandpass:
        bandpass(p, r);
        break;
    case kEqHiShelf:
        hiShelf(p, r);
        break;
    case kEqLoShelf:
        loShelf(p, r);
        break;
    case kEqNotch:
        notch(p, r);
        break;
    default:
        break;
    }
    return r;
}

} // namespace mqx
