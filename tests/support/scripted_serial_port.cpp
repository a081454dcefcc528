#include "scripted_serial_port.h"

#include <algorithm>

namespace mqx::test {

int ScriptedSerialPort::Open(const QString& port, const QString& baud, const QString& parity,
                             const QString& dataBits, const QString& stopBits) {
    m_openArguments = {port, baud, parity, dataBits, stopBits};
    m_open = m_openResult == 0;
    return m_openResult;
}

void ScriptedSerialPort::deliverAt(qint64 atMs, const QByteArray& bytes) {
    m_scheduled.push_back(Delivery{atMs, bytes});
}

void ScriptedSerialPort::deliverIn(qint64 afterMs, const QByteArray& bytes) {
    deliverAt((m_clock ? m_clock->nowMs() : 0) + afterMs, bytes);
}

void ScriptedSerialPort::deliverDue() {
    const qint64 now = m_clock ? m_clock->nowMs() : 0;
    // Bytes on a line keep their order: nothing overtakes a delivery that is not due yet.
    auto it = m_scheduled.begin();
    while (it != m_scheduled.end() && it->atMs <= now) {
        m_input += it->bytes;
        ++it;
    }
    m_scheduled.erase(m_scheduled.begin(), it);
}

qsizetype ScriptedSerialPort::waiting() {
    deliverDue();
    return m_input.size();
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
    const qint64 nowUs = m_clock ? m_clock->nowMs() * 1000 : 0;
    m_writtenAtMs.push_back(nowUs / 1000);
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

void ScriptedSerialPort::PurgeInput() {
    ++m_purges;
    deliverDue();
    m_input.clear();
}

void ScriptedSerialPort::Close() {
    m_open = false;
    m_input.clear();
    m_scheduled.clear();
}

} // namespace mqx::test
