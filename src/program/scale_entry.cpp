// Typed entries: IsValidEntry and TextToStep of the value scales.

#include "core/prompts.h"
#include "program/value_scales.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace mqx {
namespace {

QString squeezed(QStringView text) {
    QString result;
    result.reserve(text.size());
    for (QChar c : text)
        if (c != u' ')
            result.append(c.toLower());
    return result;
}

// The leading decimal number of a text the way the C library's atof reads a plain
// number: an optional minus, digits, an optional point and digits; 0 when none.
double leadingNumber(const QString& s) {
    qsizetype i = 0;
    if (i < s.size() && s[i] == u'-')
        ++i;
    const auto digits = [&] {
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9')
            ++i;
    };
    digits();
    if (i < s.size() && s[i] == u'.') {
        ++i;
        digits();
    }
    bool ok = false;
    const double value = QStringView(s).left(i).toDouble(&ok); // C locale, correctly rounded
    return ok ? value : 0.0;
}

double withThousands(const QString& s, double value) {
    return s.contains(u'k') ? value * 1000.0 : value;
}

// The value an entry of a scale stands for. "-Inf" and "Inf" are the infinities
// and "Off" is no value at all, so that a typed number is never nearest to them.
double entryValue(Scale scale, int step) {
    const QString s = squeezed(StepText(scale, step));
    if (s.startsWith(u"-inf"))
        return -std::numeric_limits<double>::infinity();
    if (s.startsWith(u"inf"))
        return std::numeric_limits<double>::infinity();
    if (s.startsWith(u"off"))
        return std::numeric_limits<double>::quiet_NaN();
    return withThousands(s, leadingNumber(s));
}

constexpr std::array<Scale, 12> kScaleByNumber = {
    Scale::LevelDb,  Scale::GeqBandFreq, Scale::FrequencyHz, Scale::QBandwidth,
    Scale::EqGainDb, Scale::AttackMs,    Scale::ReleaseMs,   Scale::ThresholdDbfs,
    Scale::Ratio,    Scale::LimiterDbfs, Scale::FrequencyHz, Scale::FrequencyHz,
};

const std::vector<double>& entryValues(int scaleNumber) {
    static const auto values = [] {
        std::array<std::vector<double>, 12> all;
        for (std::size_t n = 0; n < all.size(); ++n)
            for (int step = 0; step <= LastStep(kScaleByNumber[n]); ++step)
                all[n].push_back(entryValue(kScaleByNumber[n], step));
        return all;
    }();
    return values[static_cast<std::size_t>(scaleNumber - 1)];
}

struct EntryKind {
    const char* accepted;
    std::array<const char*, 3> units;
};

constexpr const char* kSigned = "-0123456789.";
constexpr const char* kUnsigned = "0123456789.";

// A frequency may end in a bare "k" as well ("1k", "2.5K"): the scales print kilohertz
// that way, and TextToStep reads any "k" as thousands.
constexpr std::array<EntryKind, 11> kKinds = {{
    {kSigned, {}},                   // 0: GEQ band box, a bare number
    {kSigned, {"dbfs"}},             // 1
    {kSigned, {"db"}},               // 2
    {kUnsigned, {"khz", "hz", "k"}}, // 3
    {kUnsigned, {"msec"}},           // 4
    {kUnsigned, {":1"}},             // 5
    {"-0123456789.()", {}},          // 6: Q with its reciprocal
    {kSigned, {"dbfs"}},             // 7
    {kUnsigned, {"khz", "hz", "k"}}, // 8
    {kSigned, {"dbfs"}},             // 9
    {kSigned, {"db"}},               // 10
}};

bool checkEntry(const QString& s, int kind) {
    if (s.startsWith(u"off"))
        return kind == 7 || kind == 8;
    if (s.startsWith(u"-inf"))
        return kind == 9 || kind == 10;
    if (s.startsWith(u"inf"))
        return kind == 5;

    const EntryKind& entryKind = kKinds[static_cast<std::size_t>(kind)];
    const QLatin1StringView accepted(entryKind.accepted);
    bool seenPoint = false;
    qsizetype i = 0;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (!accepted.contains(c))
            break;
        if (c == u'.' && kind != 6) {
            if (seenPoint)
                break;
            seenPoint = true;
        }
        if (c == u'-' && i != 0)
            break;
    }
    if (i == s.size())
        return true;
    if (s[i] == u'-')
        return false;
    const QStringView rest = QStringView(s).mid(i);
    for (const char* unit : entryKind.units)
        if (unit != nullptr && rest.startsWith(QLatin1StringView(unit)))
            return true;
    return false;
}

} // namespace

bool IsValidEntry(QStringView text, int kind, Prompts* warn) {
    const QString s = squeezed(text);
    if (s.isEmpty())
        return false;
    const bool valid = kind >= 0 && kind < static_cast<int>(kKinds.size()) && checkEntry(s, kind);
    if (!valid && warn != nullptr)
        warn->message(QString::fromLatin1(kApplicationTitle),
                      QString::fromLatin1(kEnterNumberMessage), PromptIcon::Exclamation);
    return valid;
}

int TextToStep(QStringView text, int scaleNumber, int lowest, int highest) {
    if (scaleNumber < 1 || scaleNumber > static_cast<int>(kScaleByNumber.size()))
        return qMax(lowest, 0);
    const Scale scale = kScaleByNumber[static_cast<std::size_t>(scaleNumber - 1)];
    const int last = LastStep(scale);
    const int lo = qBound(0, lowest, last);
    const int hi = qBound(lo, highest, last);

    const QString s = squeezed(text);
    if (s.startsWith(u"off")) {
        if (scaleNumber == 10 || scaleNumber == 11)
            return 0;
        if (scaleNumber == 12)
            return 122;
    }
    if (s.startsWith(u"-inf"))
        return lo;
    if (s.startsWith(u"inf"))
        return hi;

    const double value = withThousands(s, leadingNumber(s));
    const std::vector<double>& e = entryValues(scaleNumber);
    const bool falling = scaleNumber == 8 || scaleNumber == 10;
    const auto before = [falling](double a, double b) { return falling ? a > b : a < b; };

    for (int i = lo; i < hi; ++i) {
        const double here = e[static_cast<std::size_t>(i)];
        const double next = e[static_cast<std::size_t>(i + 1)];
        if (i == lo && before(value, next))
            return lo;
        if (i == last - 1)
            return hi;
        if (std::isnan(here) || std::isnan(next))
            continue;
        if (value >= std::min(here, next) && value <= std::max(here, next))
            return std::fabs(next - value) < std::fabs(value - here) ? i + 1 : i;
    }
    return hi;
}

} // namespace mqx
