#include "pages/eq_flat_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace mqx {

EqFlatDialog::EqFlatDialog(EqKind kind, EqOperations& operations, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_operations(operations) {
    const QString eq = kind == EqKind::Geq ? QStringLiteral("GEQ") : QStringLiteral("PEQ");
    setWindowTitle(kind == EqKind::Geq ? QStringLiteral("GEQ Flat")
                                       : QStringLiteral("PEQ Flat (Input Ch)"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(" Which channel do you want to set?"), this));
    for (int ch = 0; ch < 2; ++ch) {
        m_box[ch] = new QCheckBox(eq + QString::number(ch + 1), this);
        layout->addWidget(m_box[ch]);
    }
    for (int ch = 0; ch < 2; ++ch)
        connect(m_box[ch], &QCheckBox::clicked, this, [this, ch](bool on) {
            if (m_operations.isLinked(m_kind))
                m_box[1 - ch]->setChecked(on);
        });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void EqFlatDialog::accept() {
    if (m_kind == EqKind::Geq)
        m_operations.geqFlat(m_box[0]->isChecked(), m_box[1]->isChecked());
    else
        m_operations.peqFlat(m_box[0]->isChecked(), m_box[1]->isChecked());
    QDialog::accept();
}

} // namespace mqx
