#include "link/ports_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mqx {

PortsDialog::PortsDialog(const PortMap& map, PortCatalog catalog, QWidget* parent)
    : QDialog(parent), m_catalog(std::move(catalog)) {
    setWindowTitle(QStringLiteral("Ports"));
    auto* column = new QVBoxLayout(this);

    column->addWidget(new QLabel(QStringLiteral("Serial ports found:"), this));
    const auto& ports = m_catalog.ports();
    m_table = new QTableWidget(static_cast<int>(ports.size()), 4, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Device"), QStringLiteral("Description"),
                                        QStringLiteral("Manufacturer"),
                                        QStringLiteral("Serial number")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false); // Tab leaves the list for COM1
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < static_cast<int>(ports.size()); ++row) {
        const SerialPortEntry& p = ports[static_cast<std::size_t>(row)];
        const QStringList cells{p.device, p.description, p.manufacturer, p.serialNumber};
        for (int c = 0; c < 4; ++c)
            m_table->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    m_table->setMinimumWidth(520);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() +
                            4 * m_table->verticalHeader()->defaultSectionSize() +
                            2 * m_table->frameWidth());
    column->addWidget(m_table);

    auto* grid = new QGridLayout;
    for (int n = 1; n <= PortMap::kPortCount; ++n) {
        auto* box = new QComboBox(this);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(m_catalog.choices(map, n));
        box->setCurrentIndex(box->findText(map.devicePath(n)));
        box->setMinimumContentsLength(24);
        auto* label = new QLabel(this);
        const auto show = [this, label, n](const QString& text) {
            label->setText(m_catalog.describe(PortMap::typedDevicePath(text, n)));
        };
        connect(box, &QComboBox::currentTextChanged, label, show);
        show(box->currentText());
        auto* name = new QLabel(QStringLiteral("COM%1").arg(n), this);
        name->setBuddy(box);
        grid->addWidget(name, n - 1, 0);
        grid->addWidget(box, n - 1, 1);
        grid->addWidget(label, n - 1, 2);
        m_boxes[static_cast<std::size_t>(n - 1)] = box;
        m_labels[static_cast<std::size_t>(n - 1)] = label;
    }
    grid->setColumnStretch(2, 1);
    column->addLayout(grid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);

    // Reading order: the list, COM1..COM4, then the buttons.
    QWidget* previous = m_table;
    for (QComboBox* box : m_boxes) {
        setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, buttons->button(QDialogButtonBox::Ok));
    setTabOrder(buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel));
}

QComboBox* PortsDialog::comBox(int number) const {
    return number >= 1 && number <= PortMap::kPortCount
               ? m_boxes[static_cast<std::size_t>(number - 1)]
               : nullptr;
}

QLabel* PortsDialog::comLabel(int number) const {
    return number >= 1 && number <= PortMap::kPortCount
               ? m_labels[static_cast<std::size_t>(number - 1)]
               : nullptr;
}

PortMap PortsDialog::portMap() const {
    PortMap map;
    for (int n = 1; n <= PortMap::kPortCount; ++n)
        map.setDevicePath(n, PortMap::typedDevicePath(comBox(n)->currentText(), n));
    return map;
}

} // namespace mqx
