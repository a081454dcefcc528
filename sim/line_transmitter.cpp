#include "line_transmitter.h"

#include <algorithm>
#include <limits>

namespace mqx::sim {

qint64 LineTransmitter::durationUs(qint64 characters) {
    return (characters * 1000000 + kCharactersPerSecond - 1) / kCharactersPerSecond;
}

void LineTransmitter::queue(const QByteArray& bytes, qint64 readyUs, int owner, bool levelFrame,
                            bool continues, qint64 gapUs) {
    if (bytes.isEmpty())
        return;
    m_queue.push_back({bytes, readyUs, owner, levelFrame, continues, gapUs});
}

qint64 LineTransmitter::startOf(const Piece& piece) const {
    return std::max(piece.readyUs, m_freeUs);
}

qint64 LineTransmitter::nextPieceEndUs() const {
    if (m_queue.empty())
        return std::numeric_limits<qint64>::max();
    const Piece& piece = m_queue.front();
    const qint64 start = startOf(piece);
    return m_pacing ? start + durationUs(piece.bytes.size()) : start;
}

void LineTransmitter::advance(qint64 nowUs) {
    while (!m_queue.empty()) {
        const Piece& piece = m_queue.front();
        const qint64 start = startOf(piece);
        if (start > nowUs)
            return;
        const qsizetype size = piece.bytes.size();
        const qsizetype onWire =
            m_pacing ? std::min<qint64>(size, (nowUs - start) * kCharactersPerSecond / 1000000)
                     : size;
        if (onWire > m_headSent) {
            m_delivered.append(piece.bytes.mid(m_headSent, onWire - m_headSent));
            m_headSent = onWire;
        }
        if (m_headSent < size)
            return;
        m_freeUs = m_pacing ? start + durationUs(size) : start;
        m_queue.pop_front();
        m_headSent = 0;
        if (!m_queue.empty() && m_queue.front().continues)
            m_queue.front().readyUs =
                std::max(m_queue.front().readyUs, m_freeUs + m_queue.front().gapUs);
    }
}

QByteArray LineTransmitter::takeDelivered() {
    QByteArray out;
    out.swap(m_delivered);
    return out;
}

void LineTransmitter::dropLevelFrames(int owner, qint64 nowUs) {
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        const bool front = it == m_queue.begin();
        if (!it->levelFrame || it->owner != owner) {
            ++it;
            continue;
        }
        if (front && m_headSent > 0) {
            // Cut short: what is on the wire stays there.
            it->bytes.truncate(m_headSent);
            ++it;
            continue;
        }
        it = m_queue.erase(it);
    }
    advance(nowUs);
}

} // namespace mqx::sim
