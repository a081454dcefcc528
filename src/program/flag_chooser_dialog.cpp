#include "program/flag_chooser_dialog.h"

#include "link/title_width.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mqx {

FlagChooserDialog::FlagChooserDialog(FlagKind kind, std::uint8_t value, QWidget* parent)
    : QDialog(parent), m_chooser(kind, value) {
    const bool protection = kind == FlagKind::Protection;
    setWindowTitle(protection ? QStringLiteral("Program Protection")
                              : QStringLiteral("Recall Lock"));
    m_set = new QRadioButton(
        protection ? QStringLiteral("Set Protection") : QStringLiteral("Set Recall Lock"), this);
    m_clear = new QRadioButton(protection ? QStringLiteral("Clear Protection")
                                          : QStringLiteral("Clear Recall Lock"),
                               this);
    (m_chooser.setSelected() ? m_set : m_clear)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QRadioButton* b : {m_set, m_clear})
        connect(b, &QRadioButton::toggled, this, [this] {
            m_chooser.select(m_set->isChecked());
            stabilize();
        });

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_set);
    column->addWidget(m_clear);
    column->addSpacing(8);
    column->addWidget(buttons);
    stabilize();
    setMinimumWidth(TitleBarWidth(*this));
}

void FlagChooserDialog::stabilize() {
    m_ok->setEnabled(m_chooser.okEnabled());
}

} // namespace mqx
