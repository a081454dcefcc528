#pragma once
// What the main window asks of the page behind each tab.

namespace mqx {

class TabPage {
public:
    virtual ~TabPage() = default;
    // The page becomes the one on show: it shows the current program again.
    virtual void showPage() = 0;
    // The page is being left: it stores whatever is still being edited.
    virtual void leavePage() {}
    // New meter values have arrived while the page is on show.
    virtual void metersChanged() {}
    // Enter was pressed outside the page's boxes: the operator goes back to typing where
    // they last typed.
    virtual void focusLastEdited() {}
};

} // namespace mqx
