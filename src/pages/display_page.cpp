#include "pages/display_page.h"

#include "core/session.h"
#include "pages/display_indicators.h"
#include "pages/front_panel_view.h"
#include "pages/page_artwork.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mqx {

DisplayPage::DisplayPage(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    build();
}

void DisplayPage::build() {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, 8, 10, 8);

    auto* lamps = new QGroupBox(QStringLiteral("Front Panel Display"), this);
    auto* lampLayout = new QVBoxLayout(lamps);
    m_panel = new FrontPanelView(lamps);
    lampLayout->addWidget(m_panel, 0, Qt::AlignLeft);
    page->addWidget(lamps);

    auto* parameters = new QGroupBox(QStringLiteral("Parameter"), this);
    auto* grid = new QGridLayout(parameters);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    int row = 1;
    for (const char* label : {"Source", "HPF", "LPF"})
        grid->addWidget(new QLabel(QString::fromLatin1(label), parameters), row++, 0);
    for (int c = 0; c < kOutputCount; ++c) {
        auto* letter = new QLabel(parameters);
        letter->setPixmap(ChannelLetterTile(c));
        letter->setAlignment(Qt::AlignCenter);
        grid->addWidget(letter, 0, c + 1);
        for (int r = 0; r < 3; ++r) {
            auto* box = new QLineEdit(parameters);
            box->setReadOnly(true);
            box->setEnabled(false);
            KeepTextLegibleWhenDisabled(box);
            box->setFixedWidth(74);
            box->setAlignment(Qt::AlignRight);
            grid->addWidget(box, r + 1, c + 1);
            m_summary[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] = box;
        }
    }
    grid->setColumnStretch(kOutputCount + 1, 1);
    page->addWidget(parameters);
    page->addStretch(1);
}

void DisplayPage::showPage() {
    m_onShow = true;
    refresh();
}

void DisplayPage::programChanged() {
    if (m_onShow)
        refresh();
}

void DisplayPage::refresh() {
    ProgramRecord& r = m_session.CurrentRecord();
    UpdatePanelIndicators(r);
    m_panel->setMasks(r.panel_indicator);
    for (int c = 0; c < kOutputCount; ++c) {
        const OutputChannel& out = r.out[static_cast<std::size_t>(c)];
        auto& boxes = m_summary[static_cast<std::size_t>(c)];
        boxes[0]->setText(SourceSummary(out));
        boxes[1]->setText(HpfSummary(out));
        boxes[2]->setText(LpfSummary(out));
    }
}

QLineEdit* DisplayPage::summaryBox(int channel, int row) const {
    return m_summary.at(static_cast<std::size_t>(channel)).at(static_cast<std::size_t>(row));
}

} // namespace mqx
