#include "pages/parameter_edit.h"

#include "core/session.h"
#include "link/parameter_edit_sink.h"

namespace mqx {

QByteArray EditDigits(int value, int width) {
    return QByteArray::number(value).rightJustified(width, '0');
}

bool ParameterEdits::connected() const {
    return m_session.ConnectedUnitId != 0;
}

void ParameterEdits::send(const QByteArray& code, int value, int width) const {
    sendText(code, EditDigits(value, width));
}

void ParameterEdits::sendGroups(const QByteArray& code, std::initializer_list<int> values) const {
    QByteArray text;
    for (int v : values)
        text += EditDigits(v, 3);
    sendText(code, text);
}

void ParameterEdits::sendText(const QByteArray& code, const QByteArray& value) const {
    if (connected())
        m_sink.sendEdit(code, value);
}

} // namespace mqx
