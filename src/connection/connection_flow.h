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

    // Each returns true when its chain ended with OK.
    bool connectUnit();
    bool disconnectUnit();
    bool editInformation();
    bool panelLock();

private:
    bool holdsRememberedBands() const;

    Session& m_session;
    LinkEngine& m_engine;
    Prompts& m_prompts;
    TimerSource& m_timers;
    ConnectionDialogs& m_dialogs;
    ConnectionView& m_view;
};

} // namespace mqx
