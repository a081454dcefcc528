#include "pages/delay_units.h"

#include "program/value_scales.h"

#include <cmath>

namespace mqx {
namespace {

// The unit's own figures are single precision; the distances shown must match its panel.
constexpr double kMetresPerMs = static_cast<double>(0.344f);
constexpr double kInchesPerMs = static_cast<double>(13.543307f);

double totalInches(std::uint32_t steps) {
    return steps * kInchesPerMs / kDelayStepsPerMs;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A text that is a plain number and nothing else, blanks around it allowed, as the
// millisecond and metre boxes have always read it.
bool readNumber(QStringView text, double& value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

DelayEntry refused(QString message) {
    return {false, 0, std::move(message)};
}

DelayEntry fromSteps(DelayGroup group, DelayBox box, double steps) {
    if (steps < 0.0 || steps > kMaxDelaySteps)
        return refused(DelayRangeMessage(group, box));
    return {true, static_cast<std::uint32_t>(steps), {}};
}

// Feet: digits, with a foot mark allowed as the last character only.
DelayEntry readFeet(DelayGroup group, QStringView text, std::uint32_t current) {
    QStringView digits = text;
    if (digits.endsWith(u'\''))
        digits.chop(1);
    for (QChar c : digits)
        if (!isDigit(c))
            return refused(QString::fromLatin1(kEnterIntegerMessage));
    // Leading zeros are harmless ("0012'" is what the box shows); any other long number is
    // out of range, and it must not overflow on the way there.
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.sliced(1);
    const int feet = digits.isEmpty() ? 0 : digits.size() > 5 ? 99999 : digits.toInt();
    if (feet > 1540)
        return refused(DelayRangeMessage(group, DelayBox::Feet));
    const double inches = DelayFeetInches(current).hundredths / 100.0;
    return fromSteps(group, DelayBox::Feet, StepsFromFeetInches(feet, inches));
}

// Inches: digits and a decimal point, with an inch mark allowed as the last character.
DelayEntry readInches(DelayGroup group, QStringView text, std::uint32_t current) {
    QStringView number = text;
    if (number.endsWith(u'"'))
        number.chop(1);
    int points = 0;
    for (QChar c : number) {
        if (c == u'.')
            ++points;
        else if (!isDigit(c))
            return refused(QString::fromLatin1(kEnterNumberMessage));
    }
    // "1.2.3" is no number at all; reading it as 1.2 would store a value never typed.
    if (points > 1)
        return refused(QString::fromLatin1(kEnterNumberMessage));
    double inches = 0.0;
    if (!number.isEmpty() && number != u".")
        inches = number.toDouble();
    if (inches > 11.99)
        return refused(DelayRangeMessage(group, DelayBox::Inches));
    return fromSteps(group, DelayBox::Inches,
                     StepsFromFeetInches(DelayFeetInches(current).feet, inches));
}

} // namespace

double DelayMs(std::uint32_t steps) {
    return static_cast<double>(steps) / kDelayStepsPerMs;
}

double DelayMetres(std::uint32_t steps) {
    return steps * kMetresPerMs / kDelayStepsPerMs;
}

FeetInches DelayFeetInches(std::uint32_t steps) {
    const double inches = totalInches(steps);
    const auto wholeInches = static_cast<std::int64_t>(inches);
    const auto hundredths = static_cast<std::int64_t>(inches * 100.0);
    return {static_cast<int>(wholeInches / 12), static_cast<int>(hundredths % 1200)};
}

double StepsFromMs(double ms) {
    return std::trunc(ms * kDelayStepsPerMs + 0.5);
}

double StepsFromMetres(double metres) {
    return std::trunc(metres / 344.0 * 96000.0 + 0.5);
}

double StepsFromFeetInches(double feet, double inches) {
    return std::trunc((feet * 12.0 + inches) / 13.54330709 * 96.0 + 0.5);
}

QString DelayMsText(std::uint32_t steps) {
    return QString::asprintf("%9.4f", DelayMs(steps));
}

QString DelayMetresText(std::uint32_t steps, int fieldWidth) {
    return QString::asprintf("%*.4f", fieldWidth, DelayMetres(steps));
}

QString DelayFeetText(std::uint32_t steps) {
    return QString::asprintf("%04d'", DelayFeetInches(steps).feet);
}

QString DelayInchesText(std::uint32_t steps) {
    return QString::asprintf("%05.2f\"", DelayFeetInches(steps).hundredths / 100.0);
}

QString DelayCaption(DelayGroup group) {
    return group == DelayGroup::Master ? QStringLiteral("Master Delay")
                                       : QStringLiteral("Channel Delay");
}

QString DelayRangeMessage(DelayGroup group, DelayBox box) {
    const char* range = "";
    switch (box) {
    case DelayBox::Ms:
        range = "0.0 - 1365.3 [msec]";
        break;
    case DelayBox::Metres:
        range = "0.0 - 469.6 [meter]";
        break;
    case DelayBox::Feet:
        range = "0000' - 1540' [feet]";
        break;
    case DelayBox::Inches:
        range = "00.00\" - 11.99\" [inch]";
        break;
    }
    return DelayCaption(group) + QStringLiteral(" can be\n") + QString::fromLatin1(range);
}

DelayEntry ReadDelayEntry(DelayGroup group, DelayBox box, QStringView text, std::uint32_t current) {
    double value = 0.0;
    switch (box) {
    case DelayBox::Ms:
        if (!readNumber(text, value))
            return refused(QString::fromLatin1(kEnterNumberMessage));
        return fromSteps(group, box, StepsFromMs(value));
    case DelayBox::Metres:
        if (!readNumber(text, value))
            return refused(QString::fromLatin1(kEnterNumberMessage));
        return fromSteps(group, box, StepsFromMetres(value));
    case DelayBox::Feet:
        return readFeet(group, text, current);
    case DelayBox::Inches:
        return readInches(group, text, current);
    }
    return refused(QString::fromLatin1(kEnterNumberMessage));
}

} // namespace mqx
