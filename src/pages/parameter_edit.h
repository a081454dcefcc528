#pragma once
// Every page builds its parameter edits here: the code with its channel and band digits,
// the value fields with their widths, and no send at all while no unit is connected
// (offline the pages change the record only).

#include <QByteArray>

#include <initializer_list>

namespace mqx {

class ParameterEditSink;
struct Session;

// "%0*d" of a non-negative number.
QByteArray EditDigits(int value, int width);

class ParameterEdits {
public:
    ParameterEdits(const Session& session, ParameterEditSink& sink)
        : m_session(session), m_sink(sink) {}

    bool connected() const;
    // `code` already qualified ("012105"); each value "%03d" unless a width is given.
    void send(const QByteArray& code, int value, int width = 3) const;
    // A whole band: several "%03d" groups in one edit.
    void sendGroups(const QByteArray& code, std::initializer_list<int> values) const;
    // A value text built by the caller ("31024", "1001").
    void sendText(const QByteArray& code, const QByteArray& value) const;

private:
    const Session& m_session;
    ParameterEditSink& m_sink;
};

} // namespace mqx
