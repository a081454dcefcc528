#pragma once
// Texts typed by the operator that end up in a frame: the unit's information text and a
// program's name and comment. Only characters 32..125 other than "(" travel; "(" would
// start a frame.

#include <QString>

namespace mqx {

struct InfoTextEdit {
    QString text;
    int caret = 0;
    friend bool operator==(const InfoTextEdit&, const InfoTextEdit&) = default;
};

// The box's text after a change: every character the line cannot carry removed, cut to
// `maximum` characters, the caret kept on the character it followed.
InfoTextEdit FilterInfoText(const QString& text, int caret, int maximum);

} // namespace mqx
