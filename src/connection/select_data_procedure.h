#pragma once
// The Select Data dialog's sequence, run right after a unit has been reached: send the
// controller's current program to the unit's current program (pdatset) or fetch the
// unit's (pdatget).
//
// It ends with OK only when the unit has taken the program or the fetched program has
// been read into record 0; "Connection Completed" says so. Anything else (no reply, an
// error reply, data that does not read) leaves record 0 as it was, tells the operator
// why, says bye and closes the port, and ends with Cancel; so does the Cancel button,
// also while the transfer runs: the wait is given up, bye goes out at once and the port
// closes, and record 0 stays as it was.

#include "link/link_procedure.h"

#include <QByteArray>

namespace mqx {

class Prompts;
struct Session;

enum class TransferDirection { Upload, Download };

class SelectDataProcedure : public LinkProcedure {
public:
    enum TimerId : int { TransferReplyTimer = 60, ByeReplyTimer = 61 };

    SelectDataProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                        TimerSource& timers);

    // OK with a direction chosen; false when the procedure ran before.
    bool start(TransferDirection direction);
    // Cancel, before OK or while the transfer runs; false when there is nothing left to
    // stop (Cancel acted already, or the procedure is ending or has ended).
    bool cancel();

    TransferDirection direction() const { return m_direction; }

private:
    void step(int id) override;
    void transferDone();
    void dropConnection();
    void stopTransfer();

    Session& m_session;
    Prompts& m_prompts;
    TransferDirection m_direction = TransferDirection::Download;
    QByteArray m_upload;
    bool m_transferring = false; // the transfer's reply is awaited
};

} // namespace mqx
