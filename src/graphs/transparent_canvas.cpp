#include "graphs/transparent_canvas.h"

namespace mqx {

QPixmap TransparentCanvas(int width, int height, int scale) {
    QPixmap pixmap(width * scale, height * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace mqx
