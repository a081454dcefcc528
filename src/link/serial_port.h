#pragma once
// The serial port seam: the controller's only channel to the units. Implementations:
// the real port (QSerialPort, COM numbers 1..4 mapped to device paths, or any device
// path), the in-process simulated unit (SimulatedLine) and test doubles.
// Used from the window thread only; reads never block and writes send whole frames.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace mqx {

// 19200 baud, ten bits a character (start, eight data, stop).
inline constexpr qint64 kLineCharactersPerSecond = 1920;

// Milliseconds `characters` need on the wire, rounded up.
inline int WireTimeMs(qint64 characters) {
    return static_cast<int>((characters * 1000 + kLineCharactersPerSecond - 1) /
                            kLineCharactersPerSecond);
}

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens and configures the port. `port` is a COM number text ("1".."4") or a device
    // path. Returns 0 on success; -1 on failure, after the failure has been reported
    // through the prompts the implementation was given and the port closed again.
    virtual int Open(const QString& port, const QString& baud, const QString& parity,
                     const QString& dataBits, const QString& stopBits) = 0;
    // Whatever has arrived, at most `maximum` characters, without waiting. An empty
    // result means nothing was waiting; `ok` is set false on a read failure.
    virtual QByteArray Read(int maximum, bool* ok = nullptr) = 0;
    // Writes one whole frame. Returns 0 on success, -1 on failure.
    virtual int Write(QByteArrayView frame) = 0;
    // Discards every character received and not yet read.
    virtual void PurgeInput() = 0;
    // Discards pending output and closes the port.
    virtual void Close() = 0;
    virtual bool isOpen() const = 0;

    // Characters written that have not left on the line yet: what the driver still holds
    // or, where it cannot tell (a pseudo-terminal, an adapter with its own buffer), what
    // the line cannot have carried since the write. The link engine writes the next
    // parameter edit only once this is down to the last character, so edits never pile
    // up behind the line.
    virtual qint64 bytesToWrite() const = 0;
    // `handler` is called when the device reports that it has gone (a USB adapter pulled
    // out, the far end of a pseudo-terminal closed). It may be called from inside any
    // other call on the port; an empty handler removes it.
    virtual void setFaultHandler(std::function<void()> handler) = 0;
    // `handler` is called when characters have arrived: the driver's ready-read, or for
    // the simulated line the moment a run of characters from the units has come in. It is
    // called from the event loop (or the clock) alone, never from inside a call on the
    // port, so it may read, write and close. A reader that polls needs none; it is what
    // lets a complete reply be judged the moment its last character is in. An empty
    // handler removes it.
    virtual void setArrivalHandler(std::function<void()> handler) = 0;
};

} // namespace mqx
