#pragma once
// The Device Information dialog's sequences. In connection mode (right after the
// greeting) the text is only shown: OK goes on with the connection, Cancel tells the unit
// bye and closes the port. In edit mode (menu "Information...") OK sends the operator's
// text with devinfset and Cancel changes nothing.

#include "link/link_procedure.h"

#include <QString>

namespace mqx {

class Prompts;
struct Session;

enum class DeviceInfoMode { Connection, Edit };

class DeviceInfoProcedure : public LinkProcedure {
public:
    enum TimerId : int { SetReplyTimer = 60, ByeReplyTimer = 61 };

    DeviceInfoProcedure(DeviceInfoMode mode, Session& session, LinkEngine& engine, Prompts& prompts,
                        TimerSource& timers);

    DeviceInfoMode mode() const { return m_mode; }
    // Each acts once; false when the procedure ran before.
    bool ok(const QString& text);
    bool cancel();

private:
    void step(int id) override;

    DeviceInfoMode m_mode;
    Session& m_session;
    Prompts& m_prompts;
    QByteArray m_text;
};

} // namespace mqx
