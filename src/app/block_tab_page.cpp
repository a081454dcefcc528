#include "app/block_tab_page.h"

#include "core/session.h"
#include "graphs/block_diagram_page.h"

namespace mqx {

BlockTabPage::BlockTabPage(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_diagram(new BlockDiagramPage(this)) {
    m_diagram->move(9, 22);
    setMinimumSize(9 + 677 + 4, 22 + 233 + 4);
    connect(m_diagram, &BlockDiagramPage::tabRequested, this, &BlockTabPage::tabRequested);
}

void BlockTabPage::showPage() {
    // The record never moves, but the page is told again on every show so that a
    // replaced program is always the one drawn.
    m_diagram->setRecord(&m_session.CurrentRecord());
    m_diagram->refresh();
}

} // namespace mqx
