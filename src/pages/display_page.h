#pragma once
// The "Display" tab: what the unit's front panel will light for each output, and a
// read-only summary of each output's source and crossover frequencies. Showing the page
// works out every output's panel_indicator in the record, and so does any change of the
// program while the page is on show (a mute button above the tabs, for one).

#include "pages/tab_page.h"

#include <QWidget>

#include <array>

class QLineEdit;

namespace mqx {

class FrontPanelView;
struct Session;

class DisplayPage : public QWidget, public TabPage {
    Q_OBJECT
public:
    explicit DisplayPage(Session& session, QWidget* parent = nullptr);

    void showPage() override;
    void leavePage() override { m_onShow = false; }
    // The program changed outside the page: the lamps are worked out again if the page
    // is on show. When it is not, the next showPage() does it.
    void programChanged();

    FrontPanelView* panel() const { return m_panel; }
    // Output channel 0..5: 0 source, 1 high-pass, 2 low-pass.
    QLineEdit* summaryBox(int channel, int row) const;

private:
    void build();
    void refresh();

    Session& m_session;
    FrontPanelView* m_panel = nullptr;
    std::array<std::array<QLineEdit*, 3>, 6> m_summary{};
    bool m_onShow = false;
};

} // namespace mqx
