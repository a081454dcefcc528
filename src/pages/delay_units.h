#pragma once
// Delays are counted in steps of 1/96 ms (one sample period at 96 kHz) and shown both as a
// time and as the distance sound travels in it at 344 m/s, in metres or in feet and
// inches. The Delay page and the Output page show and read every delay through these
// functions, so the two pages can never disagree about a value.
//
//   record steps --DelayMsText / DelayMetresText / DelayFeetText + DelayInchesText--> boxes
//   typed text --ReadDelayEntry(group, box, text, current steps)--> steps or a refusal

#include <QString>
#include <QStringView>

#include <cstdint>

namespace mqx {

inline constexpr std::uint32_t kMaxDelaySteps = 131071; // 1365.32 ms
inline constexpr int kDelayStepsPerMs = 96;

// The Unit of Delay option: 0 shows metres, anything else feet and inches.
inline bool ShowsFeetInches(int delayUnitOption) {
    return delayUnitOption != 0;
}

double DelayMs(std::uint32_t steps);
double DelayMetres(std::uint32_t steps);

// A delay as the operator reads it in feet and inches, the inches cut to hundredths.
struct FeetInches {
    int feet = 0;
    int hundredths = 0; // of an inch, 0..1199
    friend bool operator==(const FeetInches&, const FeetInches&) = default;
};
FeetInches DelayFeetInches(std::uint32_t steps);

// The nearest step of a typed distance or time. The result is the whole part before any
// range check, so values far outside the range stay outside it.
double StepsFromMs(double ms);
double StepsFromMetres(double metres);
double StepsFromFeetInches(double feet, double inches);

QString DelayMsText(std::uint32_t steps);                         // "%9.4f"
QString DelayMetresText(std::uint32_t steps, int fieldWidth = 9); // "%9.4f" / "%8.4f"
QString DelayFeetText(std::uint32_t steps);                       // "%04d'"
QString DelayInchesText(std::uint32_t steps);                     // "%05.2f\""

// Which delays an entry belongs to: the message captions and range texts differ.
enum class DelayGroup { Master, Channel };
// The four boxes a delay can be typed into.
enum class DelayBox { Ms = 0, Metres = 1, Feet = 2, Inches = 3 };

QString DelayCaption(DelayGroup group);
QString DelayRangeMessage(DelayGroup group, DelayBox box);
inline constexpr char kEnterIntegerMessage[] = "Please enter an integer.";

struct DelayEntry {
    bool accepted = false;
    std::uint32_t steps = 0; // when accepted
    QString message;         // when refused: what the operator is told
};

// Reads a typed delay. A feet entry keeps the inches of `current` and an inch entry its
// feet, since the other box of the pair always shows the stored delay.
DelayEntry ReadDelayEntry(DelayGroup group, DelayBox box, QStringView text, std::uint32_t current);

} // namespace mqx
