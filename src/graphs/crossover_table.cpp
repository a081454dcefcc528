#include "graphs/crossover_table.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace mqx {
namespace {

constexpr int kButterworthFirst = 0;
constexpr int kBesselFirst = 5;
constexpr int kLinkwitzRileyFirst = 10;
constexpr int kPointsPerDecade = 120;

// Written as -10 log10(1 + x^-2N) rather than 10 log10(x^2N / (1 + x^2N)) so that neither
// the far stop band (x^2N near 1e-37 for order 6) nor the pass band loses digits.
double butterworthHighPassDb(int order, double x) {
    return -10.0 / std::numbers::ln10 * std::log1p(std::pow(x, -2.0 * order));
}

// A Linkwitz-Riley filter of order 2M is the Butterworth of order M applied twice.
double linkwitzRileyHighPassDb(int order, double x) {
    return 2.0 * butterworthHighPassDb(order / 2, x);
}

// The reverse Bessel polynomial theta_N(s) = sum a_k s^k with
// a_k = (2N - k)! / (2^(N - k) k! (N - k)!), normalised for unit group delay at DC.
class BesselPolynomial {
public:
    explicit BesselPolynomial(int order) : m_order(order) {
        for (int k = 0; k <= order; ++k)
            m_coefficients[static_cast<std::size_t>(k)] =
                factorial(2 * order - k) /
                (std::pow(2.0, order - k) * factorial(k) * factorial(order - k));
    }

    // |theta_N(0) / theta_N(j u)|^2, the power response of the low-pass at u rad/s.
    double lowPassPower(double u) const {
        std::complex<double> sum = 0.0;
        std::complex<double> power = 1.0;
        const std::complex<double> ju(0.0, u);
        for (int k = 0; k <= m_order; ++k) {
            sum += m_coefficients[static_cast<std::size_t>(k)] * power;
            power *= ju;
        }
        const double dc = m_coefficients[0];
        return dc * dc / std::norm(sum);
    }

    // The frequency where the low-pass is down by exactly 3 dB. The magnitude of a Bessel
    // low-pass falls monotonically, so bisection on a log scale finds it reliably.
    double minus3DbFrequency() const {
        const double target = std::pow(10.0, -0.3);
        double low = 0.01;
        double high = 100.0;
        for (int step = 0; step < 200 && high - low > 1e-15 * high; ++step) {
            const double mid = std::sqrt(low * high);
            (lowPassPower(mid) > target ? low : high) = mid;
        }
        return std::sqrt(low * high);
    }

private:
    static double factorial(int n) {
        double f = 1.0;
        for (int i = 2; i <= n; ++i)
            f *= i;
        return f;
    }

    int m_order;
    std::array<double, 7> m_coefficients{};
};

} // namespace

double CrossoverTable::normalisedFrequency(int entry) {
    return std::pow(10.0, static_cast<double>(entry - kCrossoverCutoffEntry) / kPointsPerDecade);
}

CrossoverTable::CrossoverTable() {
    for (int type = 0; type < kCrossoverTypes; ++type) {
        auto& row = m_rows[static_cast<std::size_t>(type)];
        if (type >= kLinkwitzRileyFirst) {
            const int order = 2 * (type - kLinkwitzRileyFirst + 1);
            for (int j = 0; j < kCrossoverEntries; ++j)
                row[static_cast<std::size_t>(j)] =
                    linkwitzRileyHighPassDb(order, normalisedFrequency(j));
        } else if (type >= kBesselFirst) {
            // The high-pass is the low-pass with s -> 1/s: its response at x is the
            // low-pass response at 1/x, with the frequency scaled so that x = 1 sits at -3 dB.
            const BesselPolynomial bessel(type - kBesselFirst + 2);
            const double cutoff = bessel.minus3DbFrequency();
            for (int j = 0; j < kCrossoverEntries; ++j)
                row[static_cast<std::size_t>(j)] =
                    10.0 * std::log10(bessel.lowPassPower(cutoff / normalisedFrequency(j)));
        } else {
            const int order = type - kButterworthFirst + 2;
            for (int j = 0; j < kCrossoverEntries; ++j)
                row[static_cast<std::size_t>(j)] =
                    butterworthHighPassDb(order, normalisedFrequency(j));
        }
    }
}

const CrossoverTable& SharedCrossoverTable() {
    static const CrossoverTable table;
    return table;
}

} // namespace mqx
