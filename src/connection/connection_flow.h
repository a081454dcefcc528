#pragma once
// The menu commands "Connect...", "Disconnect...", "Information..." and "Panel Lock...":
// which dialog follows which, and what the session and the window show afterwards.
//
//   Connect --OK--> Device Information (connection mode) --OK--> Select Data --OK--> levon
//      |                       |                                      |
//      +--Cancel: stop         +--Cancel: not connected               +--Cancel: not connected
//
// The dialogs' own sequences are the procedures; a dialog that ends with Cancel has
// already closed the port.
//
// Once connected, the engine watches the unit; a lost line (the port's device gone, no
// level frames, an unanswered exchange) closes the link there, and the flow then says so
// and shows the window disconnected. The program and every edit stay as they were, and
// Connect works again at once.

#include <functional>

namespace mqx {

class ConnectionDialogs;
class ConnectionView;
class LinkEngine;
class Prompts;
class TimerSource;
struct Session;

class ConnectionFlow {
public:
    ConnectionFlow(Session& session, LinkEngine& engine, Prompts& prompts, TimerSource& timers,
                   ConnectionDialogs& dialogs, ConnectionView& view);
    ~ConnectionFlow();
    ConnectionFlow(const ConnectionFlow&) = delete;
    ConnectionFlow& operator=(const ConnectionFlow&) = delete;

    // Each returns true when its chain ended with OK.
    bool connectUnit();
    bool disconnectUnit();
    bool editInformation();
    bool panelLock();

    // Told first when the line is lost while connected, so that a dialog holding the
    // link can close before the loss is reported.
    void setLineLostHook(std::function<void()> hook) { m_lineLostHook = std::move(hook); }

private:
    bool holdsRememberedBands() const;
    void lineLost();

    Session& m_session;
    LinkEngine& m_engine;
    Prompts& m_prompts;
    TimerSource& m_timers;
    ConnectionDialogs& m_dialogs;
    ConnectionView& m_view;
    bool m_connected = false; // from the end of a successful Connect chain
    std::function<void()> m_lineLostHook;
};

} // namespace mqx
