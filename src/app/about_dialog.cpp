#include "app/about_dialog.h"

#include "app/artwork.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace mqx {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About MQX-T410 Controller"));
    auto* grid = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(48, 48));
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(new QLabel(QStringLiteral("MQX-T410 Controller  Version 1.50"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Live editor for MQX-T410 audio processors on an "
                                              "RS-232 line. All rights reserved."),
                               this),
                    1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(buttons, 2, 0, 1, 2);
    setFixedSize(sizeHint());
}

} // namespace mqx
