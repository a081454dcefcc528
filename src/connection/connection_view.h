#pragma once
// What the connection commands ask of the main window once a dialog chain has ended.

namespace mqx {

class ConnectionView {
public:
    virtual ~ConnectionView() = default;
    // The page on show stores what is being edited.
    virtual void leaveTab() = 0;
    // Page, tab icons, menus and status shown again.
    virtual void refreshAll() = 0;
    // The status panel alone: unit ID, panel lock state, information text.
    virtual void refreshStatus() = 0;
    // The meter block has changed: the meter strip and the page on show redraw.
    virtual void metersChanged() = 0;
};

} // namespace mqx
