#pragma once
// The "Block" tab: the block diagram of the current program, placed as the window's
// layout puts it, redrawn whenever the tab is shown.

#include "pages/tab_page.h"

#include <QWidget>

namespace mqx {

class BlockDiagramPage;
struct Session;

class BlockTabPage : public QWidget, public TabPage {
    Q_OBJECT
public:
    BlockTabPage(Session& session, QWidget* parent = nullptr);
    void showPage() override;
    BlockDiagramPage* diagram() const { return m_diagram; }

Q_SIGNALS:
    void tabRequested(int tab);

private:
    Session& m_session;
    BlockDiagramPage* m_diagram = nullptr;
};

} // namespace mqx
