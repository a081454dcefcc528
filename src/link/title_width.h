#pragma once
// How wide a window must be for a window manager to show its whole title.

class QWidget;

namespace mqx {

// A window manager cuts a title that does not fit beside its title-bar buttons ("Panel
// Operation Lock" over a narrow dialog loses its middle). This is the width of `window`'s
// title set in a bold face, as title bars use, with room for four buttons about as wide as
// the bar is tall.
int TitleBarWidth(const QWidget& window);

} // namespace mqx
