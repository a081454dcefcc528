#pragma once
// The Panel Operation Lock dialog's sequence: lock (plock) or release (aplock) the unit's
// front panel, then read the state back (pnllock) for the status panel.
//
//   60 plock/aplock reply --> 51 pnllock --> 61 reply --> message, OK
//
// An unreadable reply (garbled, or an error code nobody knows) is asked again, at most
// three requests in all for each of the two exchanges; an error the unit explains is
// reported without a retry, and the state is still read back.

#include "core/prompts.h"
#include "link/link_procedure.h"

#include <QString>

namespace mqx {

struct Session;

class PanelLockProcedure : public LinkProcedure {
public:
    enum TimerId : int { RequestReplyTimer = 60, StateTimer = 51, StateReplyTimer = 61 };
    static constexpr int kRetries = 2;

    PanelLockProcedure(Session& session, LinkEngine& engine, Prompts& prompts, TimerSource& timers);

    // The dialog's OK with "Pannel Lock = Yes" (lock) or "Pannel Lock = No" (release).
    bool start(bool lock);

    // Called after the state has been read back, before the OK outcome.
    void setStatusCallback(std::function<void()> callback) {
        m_statusChanged = std::move(callback);
    }

private:
    void step(int id) override;
    bool issueRequest();
    void prepare(const QString& text, PromptIcon icon);
    void fail();
    QString idLine() const;

    Session& m_session;
    Prompts& m_prompts;
    std::function<void()> m_statusChanged;
    bool m_lock = false;
    int m_retries = 0;
    QString m_message;
    PromptIcon m_icon = PromptIcon::Information;
};

} // namespace mqx
