#pragma once
// Text painted into the artwork at a size the operator can read: never below the
// smallest legible height, squeezed sideways rather than shrunk when a label is wider
// than the room the fixed geometry leaves for it.

#include <QFont>

class QPainter;
class QRectF;
class QString;

namespace mqx {

// No painted text is set smaller than this many pixels: it keeps capitals and digits at
// least 8 pixels high at 1x.
inline constexpr int kSmallestTextPixels = 11;

// `base` at the given pixel size (never below kSmallestTextPixels) and weight.
QFont ArtworkFont(const QFont& base, int pixels, bool bold);

// Draws `text` in `rect` with the painter's font and pen; a text wider than the rectangle
// is narrowed to fit, keeping its height.
void DrawFittedText(QPainter& painter, const QRectF& rect, int flags, const QString& text);

} // namespace mqx
