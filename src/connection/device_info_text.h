#pragma once
// The unit's information text: exactly 256 characters on the line, the operator's text
// padded with ".", and only characters 32..125 other than "(", which would start a frame.

#include "core/carried_text.h"

#include <QByteArray>
#include <QString>

namespace mqx {

inline constexpr int kDeviceInfoLength = 256;

// The box's text after a change, at most 256 characters (see carried_text.h).
inline InfoTextEdit FilterInfoText(const QString& text, int caret) {
    return FilterInfoText(text, caret, kDeviceInfoLength);
}

// The 256 characters that devinfset sends for `text`.
QByteArray PadDeviceInfoText(const QString& text);

} // namespace mqx
