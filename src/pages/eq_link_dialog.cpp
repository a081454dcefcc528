#include "pages/eq_link_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mqx {

EqLinkDialog::EqLinkDialog(EqKind kind, EqOperations& operations, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_operations(operations) {
    const QString eq = kind == EqKind::Geq ? QStringLiteral("GEQ") : QStringLiteral("PEQ");
    setWindowTitle(eq + QStringLiteral(" Link"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(" Which channel's value do want to use ?"), this));
    for (int ch = 0; ch < 2; ++ch) {
        m_choice[ch] =
            new QRadioButton(QStringLiteral("%1%2 parameters values").arg(eq).arg(ch + 1), this);
        layout->addWidget(m_choice[ch]);
    }
    m_choice[0]->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void EqLinkDialog::accept() {
    m_operations.linkOn(m_kind, m_choice[1]->isChecked() ? 1 : 0);
    QDialog::accept();
}

} // namespace mqx
