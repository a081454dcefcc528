#include "pages/caution_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mqx {

CautionDialog::CautionDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Caution"));
    auto* layout = new QVBoxLayout(this);
    for (const char* line :
         {"After this operation", "parameter values of each PEQ that is set OFF will be cleared.",
          "Are you sure you want to continue this operation?"})
        layout->addWidget(new QLabel(QString::fromLatin1(line), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace mqx
