#include "scripted_serial_port.h"

#include <algorithm>

namespace mqx::test {

void ScriptedSerialPort::deliverDue() {
    // Bytes on a line keep their order: nothing overtakes a delivery that is not due yet.
    auto it = m_scheduled.begin();
    for (; it != m_scheduled.end() && it->atMs <= nowMs(); ++it)
        m_input += it->bytes;
    m_scheduled.erase(m_scheduled.begin(), it);
}

QByteArray ScriptedSerialPort::Read(int maximum, bool* ok) {
    if (ok)
        *ok = m_open;
    if (!m_open)
        return {};
    deliverDue();
    const QByteArray out = m_input.left(std::max(maximum, 0));
    m_input.remove(0, out.size());
    return out;
}

int ScriptedSerialPort::Write(QByteArrayView frame) {
    if (!m_open || m_writeFails)
        return -1;
    m_written.push_back(frame.toByteArray());
    const qint64 nowUs = nowMs() * 1000;
    m_writtenAtMs.push_back(nowMs());
    m_lineFreeUs =
        std::max(m_lineFreeUs, nowUs) +
        (frame.size() * 1000000 + kLineCharactersPerSecond - 1) / kLineCharactersPerSecond;
    if (m_responder)
        m_responder(m_written.back());
    return 0;
}

qint64 ScriptedSerialPort::bytesToWrite() const {
    if (!m_pacing || !m_clock)
        return 0;
    const qint64 aheadUs = m_lineFreeUs - m_clock->nowMs() * 1000;
    return aheadUs > 0 ? (aheadUs * kLineCharactersPerSecond + 999999) / 1000000 : 0;
}

} // namespace mqx::test
