#include "connection/connect_dialog.h"

#include "connection/connect_procedure.h"
#include "connection/unit_scan_procedure.h"
#include "link/port_map.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace mqx {
namespace {

constexpr int kDeviceRole = Qt::UserRole + 1;

// The drop-down list shows each port's device after its " COM n", dimmed.
class PortItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QString device = index.data(kDeviceRole).toString();
        if (device.isEmpty())
            return;
        const QRect room = option.rect.adjusted(nameWidth(option), 0, -4, 0);
        painter->save();
        painter->setPen(option.palette.color(option.state & QStyle::State_Selected
                                                 ? QPalette::HighlightedText
                                                 : QPalette::PlaceholderText));
        painter->drawText(room, Qt::AlignVCenter | Qt::AlignLeft,
                          option.fontMetrics.elidedText(device, Qt::ElideMiddle, room.width()));
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString device = index.data(kDeviceRole).toString();
        if (!device.isEmpty())
            size.setWidth(nameWidth(option) + option.fontMetrics.horizontalAdvance(device) + 8);
        return size;
    }

private:
    static int nameWidth(const QStyleOptionViewItem& option) {
        return option.fontMetrics.horizontalAdvance(QStringLiteral(" COM 4")) + 24;
    }
};

} // namespace

inline constexpr int kHighestUnitId = 99;

ConnectDialog::ConnectDialog(ConnectProcedure& procedure, int port, int unitId, QWidget* parent,
                             const QStringList& devices)
    : ProcedureDialog(procedure, parent), m_procedure(procedure) {
    setWindowTitle(QStringLiteral("Connect"));
    m_ports = new QComboBox(this);
    for (int p = 1; p <= PortMap::kPortCount; ++p)
        m_ports->addItem(QStringLiteral(" COM %1").arg(p));
    m_ports->setCurrentIndex(std::clamp(port, 1, PortMap::kPortCount) - 1);
    m_device = new QLabel(this);
    if (!devices.isEmpty()) {
        for (int i = 0; i < m_ports->count(); ++i)
            m_ports->setItemData(i, devices.value(i), kDeviceRole);
        m_ports->setItemDelegate(new PortItemDelegate(m_ports));
        // The open list is as wide as its widest entry, device included.
        QAbstractItemView* list = m_ports->view();
        int widest = 0;
        for (int i = 0; i < m_ports->count(); ++i)
            widest = std::max(widest, list->sizeHintForIndex(list->model()->index(i, 0)).width());
        list->setMinimumWidth(widest + 2 * list->frameWidth() + 8);
        const auto show = [this] {
            m_device->setText(m_ports->currentData(kDeviceRole).toString());
        };
        connect(m_ports, &QComboBox::currentIndexChanged, m_device, show);
        show();
    }

    m_units = new QListWidget(this);
    for (int id = 1; id <= kHighestUnitId; ++id)
        m_units->addItem(QStringLiteral(" ID %1").arg(id, 2, 10, QLatin1Char('0')));
    m_units->setCurrentRow(std::clamp(unitId, 1, kHighestUnitId) - 1);
    m_units->setFixedHeight(m_units->sizeHintForRow(0) * 6 + 2 * m_units->frameWidth());
    m_units->scrollToItem(m_units->currentItem(), QAbstractItemView::PositionAtCenter);

    m_find = new QPushButton(QStringLiteral("Find units"), this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(UnitScanProcedure::kFirstId - 1, UnitScanProcedure::kLastId);
    m_progress->setFormat(QStringLiteral("ID %v"));
    m_progress->hide();
    m_found = new QListWidget(this);
    m_found->setFixedHeight(m_units->height());
    // Room for an ID and the usual length of an information text; longer ones end in
    // "..." and show whole as the item's tool tip.
    m_found->setMinimumWidth(m_found->fontMetrics().averageCharWidth() * 40);
    m_found->setTextElideMode(Qt::ElideRight);
    m_found->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_found->hide();
    m_scanText = new QLabel(this);
    m_scanText->setWordWrap(true);
    m_scanText->hide();

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("COM Port"), this), 0, 0);
    grid->addWidget(m_ports, 0, 1);
    grid->addWidget(m_device, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("MQX-T410  ID"), this), 1, 0, Qt::AlignTop);
    grid->addWidget(m_units, 1, 1, Qt::AlignTop);
    auto* scan = new QVBoxLayout;
    scan->addWidget(m_find);
    scan->addWidget(m_progress);
    scan->addWidget(m_found);
    scan->addWidget(m_scanText);
    scan->addStretch();
    grid->addLayout(scan, 1, 2);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(buttons());
    // A double-click on a unit is the same as choosing it and pressing OK.
    connect(m_units, &QListWidget::itemActivated, okButton(), &QAbstractButton::click);
    connect(m_find, &QPushButton::clicked, this, &ConnectDialog::onFind);
    // A unit found is chosen in the ID list; a double-click connects to it.
    connect(m_found, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_scan && row >= 0 && row < static_cast<int>(m_scan->found().size()))
            m_units->setCurrentRow(m_scan->found()[static_cast<std::size_t>(row)].id - 1);
    });
    connect(m_found, &QListWidget::itemActivated, okButton(), &QAbstractButton::click);
}

ConnectDialog::~ConnectDialog() = default;

bool ConnectDialog::isScanning() const {
    return m_scan && m_scan->isRunning();
}

void ConnectDialog::reject() {
    // Escape or the close box while scanning stops the scan; the dialog stays.
    if (isScanning())
        return m_scan->cancel();
    ProcedureDialog::reject();
}

void ConnectDialog::onFind() {
    if (isScanning())
        return m_scan->cancel();
    if (!canStart())
        return;
    m_scan = m_procedure.newScan();
    m_find->setText(QStringLiteral("Stop"));
    for (QWidget* w : {static_cast<QWidget*>(m_ports), static_cast<QWidget*>(okButton()),
                       static_cast<QWidget*>(cancelButton())})
        w->setEnabled(false);
    m_found->clear();
    m_found->hide();
    m_scanText->hide();
    m_progress->setValue(m_progress->minimum());
    m_progress->show();
    m_scan->setProgressCallback([this](int id) {
        m_progress->setValue(id);
        if (static_cast<int>(m_scan->found().size()) != m_found->count())
            showFound();
    });
    m_scan->setFinishedCallback([this](ProcedureOutcome) { scanFinished(); });
    m_scan->start(QString::number(m_ports->currentIndex() + 1));
}

void ConnectDialog::showFound() {
    m_found->clear();
    for (const FoundUnit& unit : m_scan->found()) {
        m_found->addItem(UnitScanProcedure::unitText(unit));
        m_found->item(m_found->count() - 1)->setToolTip(QString::fromLatin1(unit.info));
    }
    m_found->setVisible(m_found->count() > 0);
}

void ConnectDialog::scanFinished() {
    m_find->setText(QStringLiteral("Find units"));
    for (QWidget* w : {static_cast<QWidget*>(m_ports), static_cast<QWidget*>(okButton()),
                       static_cast<QWidget*>(cancelButton())})
        w->setEnabled(true);
    m_progress->hide();
    showFound();
    if (m_scan->portFailed())
        return;
    if (m_scan->isCancelled()) {
        m_scanText->setText(QStringLiteral("Stopped after ID %1.")
                                .arg(m_scan->currentId(), 2, 10, QLatin1Char('0')));
    } else if (m_scan->found().empty()) {
        m_scanText->setText(UnitScanProcedure::noneFoundText(m_ports->currentText().trimmed()));
    } else {
        m_scanText->clear();
        m_found->setCurrentRow(0);
        m_found->setFocus();
    }
    m_scanText->setVisible(!m_scanText->text().isEmpty());
}

void ConnectDialog::startProcedure() {
    m_procedure.start(m_ports->currentIndex() + 1, std::max(m_units->currentRow(), 0) + 1);
}

bool ConnectDialog::cancelProcedure() {
    return m_procedure.cancel();
}

} // namespace mqx
