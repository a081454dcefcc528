#pragma once
// The stand-ins the benchmarks share: prompts that answer yes without a word, a sink that
// drops every parameter edit, and a line that counts the characters crossing it in either
// direction, for the wire-time ratio.

#include "core/prompts.h"
#include "link/parameter_edit_sink.h"
#include "link/serial_port.h"

#include <functional>
#include <utility>

namespace mqx {

class QuietPrompts : public Prompts {
public:
    void message(const QString&, const QString&, PromptIcon) override {}
    bool confirm(const QString&, const QString&, PromptIcon) override { return true; }
};

class NoEdits : public ParameterEditSink {
public:
    void sendEdit(const QByteArray&, const QByteArray&) override {}
};

// Counts the characters that cross the line in either direction.
class CountingLine : public SerialPort {
public:
    explicit CountingLine(SerialPort& line) : m_line(line) {}
    int Open(const QString& port, const QString& baud, const QString& parity,
             const QString& dataBits, const QString& stopBits) override {
        return m_line.Open(port, baud, parity, dataBits, stopBits);
    }
    QByteArray Read(int maximum, bool* ok = nullptr) override {
        const QByteArray got = m_line.Read(maximum, ok);
        characters += got.size();
        return got;
    }
    int Write(QByteArrayView frame) override {
        characters += frame.size();
        return m_line.Write(frame);
    }
    void PurgeInput() override { m_line.PurgeInput(); }
    void Close() override { m_line.Close(); }
    bool isOpen() const override { return m_line.isOpen(); }
    qint64 bytesToWrite() const override { return m_line.bytesToWrite(); }
    void setFaultHandler(std::function<void()> handler) override {
        m_line.setFaultHandler(std::move(handler));
    }
    void setArrivalHandler(std::function<void()> handler) override {
        m_line.setArrivalHandler(std::move(handler));
    }

    qint64 characters = 0;

private:
    SerialPort& m_line;
};

} // namespace mqx
