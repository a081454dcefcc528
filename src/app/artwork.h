#pragma once
// The window's small pieces of artwork, painted at any scale: the application icon and the
// tab icons of the equaliser, compressor and output pages in both EQ modes.

#include <QIcon>

namespace mqx {

QIcon ApplicationIcon();

// Icons 0..10 of the tab bar: GEQ 1, GEQ 2, PEQ 1, PEQ 2, compressor, outputs 1..6. The
// blocks the EQ mode leaves out of the signal path are drawn dimmed.
QIcon TabIcon(int index, int eqMode);
inline constexpr int kTabIconCount = 11;
inline constexpr QSize kTabIconSize(40, 16);

} // namespace mqx
