#include "app/compare_window.h"

#include "program/field_labels.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mqx {

CompareWindow::CompareWindow(const ProgramRecord& pc, const ProgramRecord& unit, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Compare with unit"));
    const std::vector<const RecordField*> fields = DiffFields(pc, unit);
    auto* column = new QVBoxLayout(this);
    column->addWidget(
        new QLabel(QStringLiteral("%1 field(s) differ between the PC's program and the unit's:")
                       .arg(fields.size()),
                   this));
    m_list = new QTreeWidget(this);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels(
        {QStringLiteral("Field"), QStringLiteral("PC"), QStringLiteral("Unit")});
    m_list->setRootIsDecorated(true);
    QTreeWidgetItem* page = nullptr;
    for (const RecordField* f : fields) {
        const QString pageName = FieldPage(*f);
        if (page == nullptr || page->text(0) != pageName) {
            // The record's order keeps a page's fields together, outputs apart from their
            // delays excepted; a page seen before is found again.
            const QList<QTreeWidgetItem*> found = m_list->findItems(pageName, Qt::MatchExactly);
            page = found.isEmpty() ? new QTreeWidgetItem(m_list, {pageName}) : found.front();
            page->setFirstColumnSpanned(true);
        }
        new QTreeWidgetItem(page,
                            {FieldLabel(*f), FieldValueText(pc, *f), FieldValueText(unit, *f)});
    }
    m_list->expandAll();
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumSize(520, 300);
    column->addWidget(m_list, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* send =
        buttons->addButton(QStringLiteral("Send PC program to unit"), QDialogButtonBox::ActionRole);
    QPushButton* take =
        buttons->addButton(QStringLiteral("Take unit program"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(send, &QPushButton::clicked, this, [this] { done(SendPcProgram); });
    connect(take, &QPushButton::clicked, this, [this] { done(TakeUnitProgram); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

} // namespace mqx
