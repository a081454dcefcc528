#include "app/main_editor.h"

#include "core/session.h"
#include "link/parameter_edit_sink.h"

namespace mqx {

void MainEditor::send(const char* code, int qualifier, int value) {
    if (m_session.ConnectedUnitId == 0)
        return;
    QByteArray full(code);
    if (qualifier >= 0)
        full += QByteArray::number(qualifier);
    m_sink.sendEdit(full, QByteArray::number(value).rightJustified(3, '0'));
}

void MainEditor::setMute(int channel, bool muted) {
    if (channel < 0 || channel >= kOutputCount)
        return;
    OutputChannel& out = m_session.CurrentRecord().out[static_cast<std::size_t>(channel)];
    out.on = muted ? 0 : 1;
    send("053", channel, out.on);
}

void MainEditor::allMuting() {
    for (int c = 0; c < kOutputCount; ++c)
        m_session.CurrentRecord().out[static_cast<std::size_t>(c)].on = 0;
    for (int c = 0; c < kOutputCount; ++c)
        send("053", c, 0);
}

bool MainEditor::selectEqMode(int mode) {
    if (mode != 0 && mode != 1)
        return false;
    ProgramRecord& r = m_session.CurrentRecord();
    if (r.eq_mode == mode)
        return false;
    r.eq_mode = static_cast<std::uint8_t>(mode);
    send("010", -1, mode);
    return true;
}

} // namespace mqx
