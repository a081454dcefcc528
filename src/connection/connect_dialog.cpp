#include "connection/connect_dialog.h"

#include "connection/connect_procedure.h"
#include "link/port_map.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace mqx {

inline constexpr int kHighestUnitId = 99;

ConnectDialog::ConnectDialog(ConnectProcedure& procedure, int port, int unitId, QWidget* parent)
    : ProcedureDialog(procedure, parent), m_procedure(procedure) {
    setWindowTitle(QStringLiteral("Connect"));
    m_ports = new QComboBox(this);
    for (int p = 1; p <= PortMap::kPortCount; ++p)
        m_ports->addItem(QStringLiteral(" COM %1").arg(p));
    m_ports->setCurrentIndex(std::clamp(port, 1, PortMap::kPortCount) - 1);

    m_units = new QListWidget(this);
    for (int id = 1; id <= kHighestUnitId; ++id)
        m_units->addItem(QStringLiteral(" ID %1").arg(id, 2, 10, QLatin1Char('0')));
    m_units->setCurrentRow(std::clamp(unitId, 1, kHighestUnitId) - 1);
    m_units->setFixedHeight(m_units->sizeHintForRow(0) * 6 + 2 * m_units->frameWidth());
    m_units->scrollToItem(m_units->currentItem(), QAbstractItemView::PositionAtCenter);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("COM Port"), this), 0, 0);
    grid->addWidget(m_ports, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("MQX-T410  ID"), this), 1, 0, Qt::AlignTop);
    grid->addWidget(m_units, 1, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(buttons());
    // A double-click on a unit is the same as choosing it and pressing OK.
    connect(m_units, &QListWidget::itemActivated, okButton(), &QAbstractButton::click);
}

void ConnectDialog::startProcedure() {
    m_procedure.start(m_ports->currentIndex() + 1, std::max(m_units->currentRow(), 0) + 1);
}

bool ConnectDialog::cancelProcedure() {
    return m_procedure.cancel();
}

} // namespace mqx
