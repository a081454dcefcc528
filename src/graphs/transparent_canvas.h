#pragma once
// The one off-screen picture that the window's and the pages' artwork is painted into.

#include <QPixmap>

namespace mqx {

// A transparent pixmap of the given logical size, drawn at `scale` times its pixels so
// that it stays sharp on high-density screens.
QPixmap TransparentCanvas(int width, int height, int scale);

} // namespace mqx
