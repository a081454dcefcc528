#pragma once
// The application's icon: a rack unit with two input and six output level lamps. The one
// drawing serves the window, the About box and the icons installed for the desktop, so
// the menu entry and the running program look the same.

#include <QByteArray>

class QPainter;

namespace mqx {

// Paints the icon into the square (0, 0, size, size).
void PaintApplicationIcon(QPainter& painter, double size);
// The same drawing as an SVG document.
QByteArray ApplicationIconSvg();

} // namespace mqx
