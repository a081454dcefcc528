#pragma once
// The main window's own edits: the six output mutes, "All Muting" and the EQ mode.
// Each changes the current record and, while a unit is connected, sends its edit.

namespace mqx {

class ParameterEditSink;
struct Session;

class MainEditor {
public:
    MainEditor(Session& session, ParameterEditSink& sink) : m_session(session), m_sink(sink) {}

    // Output channel 0..5 muted (on = 0) or sounding (on = 1): code "053" + channel.
    void setMute(int channel, bool muted);
    // Mutes every output, in channel order. There is deliberately no "all on".
    void allMuting();
    // 0 = GEQ, 1 = PEQ+Comp.: code "010". Returns false, sending nothing, when the
    // record is already in that mode.
    bool selectEqMode(int mode);

private:
    void send(const char* code, int qualifier, int value);
    Session& m_session;
    ParameterEditSink& m_sink;
};

} // namespace mqx
