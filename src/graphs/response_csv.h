#pragma once
// A graph's curves as comma-separated text, one line per grid point after a header line,
// for a spreadsheet or a measurement program:
//
//   Frequency (Hz),High-pass (dB),Low-pass (dB),EQ1 (dB),EQ2 (dB),EQ3 (dB),Sum (dB)
//   16.79,0.0000,-0.0012,...
//
// Numbers always use a decimal point, whatever the user's locale.

#include <QString>

namespace mqx {

struct OutputCurves;
struct PeqCurves;

QString OutputResponseCsv(const OutputCurves& curves);
QString PeqResponseCsv(const PeqCurves& curves);

} // namespace mqx
