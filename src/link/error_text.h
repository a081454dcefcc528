#pragma once
// The texts of the unit's error codes, as the dialogs show them.

#include <QString>

namespace mqx {

// Puts the text of `code` into `destination`. Returns true for a code the unit is known to
// send, false (with "Non Err Code.") for any other value, -1 included.
bool ErrorText(int code, QString& destination);
QString ErrorText(int code);

} // namespace mqx
