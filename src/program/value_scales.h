#pragma once
// Every parameter of a ProgramRecord is a small step number. These constant scales turn
// a step into the text the unit's own panel would show, turn a typed text back into the
// nearest step, and give the exact value behind a step for the response graphs.
//
//   record byte --StepText--> "  1.0" --page--> "%smsec" on screen
//   typed "1 msec" --IsValidEntry(kind)--> --TextToStep(scale number, range)--> step

#include <QString>
#include <QStringView>

namespace mqx {

class Prompts;

enum class Scale {
    LevelDb,
    EqGainDb,
    ThresholdDbfs,
    LimiterDbfs,
    FrequencyHz,
    GeqBandFreq,
    QBandwidth,
    AttackMs,
    ReleaseMs,
    Ratio,
    XoverType,
    EqType,
    SourceName,
};

// The last valid step of a scale (the first is always 0).
int LastStep(Scale scale);

// The fixed-width entry text of a step, leading and trailing spaces included.
// A step outside the scale (a byte from a file or a unit is never range-checked)
// gives kUnknownStepText, never a read outside the table.
QString StepText(Scale scale, int step);
inline constexpr char kUnknownStepText[] = "???";

// The message that a refused entry shows.
inline constexpr char kEnterNumberMessage[] = "Please enter a number.";

// Checks a typed text for a box of the given kind (0..10) before it is converted.
// With prompts given, a refusal of a non-empty text shows kEnterNumberMessage.
bool IsValidEntry(QStringView text, int kind, Prompts* warn = nullptr);

// Scale numbers of TextToStep: 1 LevelDb, 2 GeqBandFreq, 3 FrequencyHz, 4 QBandwidth,
// 5 EqGainDb, 6 AttackMs, 7 ReleaseMs, 8 ThresholdDbfs, 9 Ratio, 10 LimiterDbfs,
// 11 FrequencyHz with "off" = 0 (high-pass), 12 FrequencyHz with "off" = 122 (low-pass).
// Returns the step nearest to the typed value within lowest..highest.
int TextToStep(QStringView text, int scaleNumber, int lowest, int highest);

// Exact values behind the steps, for the response computation.
double FrequencyHzValue(int step); // 10^(1.275 + n/40) Hz
double EqGainDbValue(int step);    // -12 + 0.5 n dB
double QBandwidthValue(int step);  // 0.3067787 * 10^(n/40)
double LevelDbValue(int step);     // -90 + 0.5 (n - 1) dB; step 0 (-Inf) gives -1000 dB

} // namespace mqx
