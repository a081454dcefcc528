#include "connection/device_info_text.h"

namespace mqx {

QByteArray PadDeviceInfoText(const QString& text) {
    QByteArray padded = FilterInfoText(text, 0).text.toLatin1();
    padded.append(QByteArray(kDeviceInfoLength - padded.size(), '.'));
    return padded;
}

} // namespace mqx
