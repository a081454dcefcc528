#pragma once
// What the operator is told when the line to a connected unit is lost: the port as it was
// chosen (COM1..COM4 for a number, else the device path) and, on a second line as in the
// other unit messages, the unit's ID.

#include <QString>

namespace mqx {

QString LineLostText(const QString& portText, int unitId);

} // namespace mqx
