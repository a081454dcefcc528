#pragma once
// A serial device on Linux belongs to a group (usually "dialout") that may read and write
// it; a user outside that group gets only "Permission denied". Joining the group takes
// effect at the next login, which nobody guesses, so the message says both.

#include <QString>

namespace mqx {

// One line naming the group that owns `devicePath` and that a new login is needed, when
// this process may not read and write the device for lack of permission; else empty.
QString PermissionHint(const QString& devicePath);

} // namespace mqx
