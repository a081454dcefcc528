#pragma once
// The unit's information text: exactly 256 characters on the line, the operator's text
// padded with ".", and only characters 32..125 other than "(", which would start a frame.

#include <QByteArray>
#include <QString>

namespace mqx {

inline constexpr int kDeviceInfoLength = 256;

struct InfoTextEdit {
    QString text;
    int caret = 0;
    friend bool operator==(const InfoTextEdit&, const InfoTextEdit&) = default;
};

// The box's text after a change: every character the line cannot carry removed, cut to
// `maximum` characters, the caret kept on the character it followed.
InfoTextEdit FilterInfoText(const QString& text, int caret, int maximum = kDeviceInfoLength);

// The 256 characters that devinfset sends for `text`.
QByteArray PadDeviceInfoText(const QString& text);

} // namespace mqx
