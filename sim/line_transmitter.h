#pragma once
// The units' side of the line: what they have queued for sending, put on the wire one
// character at a time at 19200 baud (1920 characters a second), or all at once with
// pacing off. Times are microseconds on the caller's clock; nothing here runs on its
// own, the owner advances it to "now" and collects what has arrived by then.

#include <QByteArray>

#include <deque>

namespace mqx::sim {

class LineTransmitter {
public:
    static constexpr qint64 kCharactersPerSecond = 1920;

    void setPacing(bool on) { m_pacing = on; }
    bool pacing() const { return m_pacing; }

    // Queues a piece that goes out once the line is free and `readyUs` has come. A piece
    // that continues the previous one (a reply sent in bursts) waits `gapUs` after the
    // previous piece has gone out.
    void queue(const QByteArray& bytes, qint64 readyUs, int owner, bool levelFrame,
               bool continues = false, qint64 gapUs = 0);

    // Puts on the line everything transmitted by `nowUs`.
    void advance(qint64 nowUs);
    // What has arrived at the other end since the last call.
    QByteArray takeDelivered();

    // Ends `owner`'s level stream at `nowUs` (already advanced to): the frame on the
    // wire stops after its last complete character and queued frames are dropped.
    void dropLevelFrames(int owner, qint64 nowUs);

    bool isIdle() const { return m_queue.empty(); }
    // When the last character of the piece now going out (or next to go) will have
    // arrived; the largest qint64 when nothing is queued.
    qint64 nextPieceEndUs() const;

    // Time for n characters on the wire, rounded up to whole microseconds.
    static qint64 durationUs(qint64 characters);

private:
    struct Piece {
        QByteArray bytes;
        qint64 readyUs = 0;
        int owner = 0;
        bool levelFrame = false;
        bool continues = false;
        qint64 gapUs = 0;
    };

    qint64 startOf(const Piece& piece) const;

    std::deque<Piece> m_queue;
    qsizetype m_headSent = 0; // characters of the front piece already on the wire
    qint64 m_freeUs = 0;      // when the last finished piece left the wire
    bool m_pacing = true;
    QByteArray m_delivered;
};

} // namespace mqx::sim
