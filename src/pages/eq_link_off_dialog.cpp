#include "pages/eq_link_off_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace mqx {

EqLinkOffDialog::EqLinkOffDialog(EqKind kind, EqOperations& operations, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_operations(operations) {
    const QString eq = kind == EqKind::Geq ? QStringLiteral("GEQ") : QStringLiteral("PEQ");
    setWindowTitle(eq + QStringLiteral(" Link Off"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Are you sure you want to release %1 Link?").arg(eq), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void EqLinkOffDialog::accept() {
    m_operations.linkOff(m_kind);
    QDialog::accept();
}

} // namespace mqx
