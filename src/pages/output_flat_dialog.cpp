#include "pages/output_flat_dialog.h"

#include "pages/page_artwork.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace mqx {

OutputFlatDialog::OutputFlatDialog(const ProgramRecord& record, EqOperations& operations,
                                   QWidget* parent)
    : QDialog(parent), m_record(record), m_operations(operations) {
    setWindowTitle(QStringLiteral("PEQ Flat (Output Ch)"));
    setMinimumWidth(280); // room for the whole title
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(" Select Channels"), this));
    auto* grid = new QGridLayout;
    for (int c = 0; c < 6; ++c) {
        auto* tile = new QLabel(this);
        tile->setPixmap(ChannelLetterTile(c));
        tile->setAlignment(Qt::AlignCenter);
        grid->addWidget(tile, 0, c);
        auto* box = new QCheckBox(this);
        box->setAccessibleName(QString(QChar(u'A' + c)));
        grid->addWidget(box, 1, c, Qt::AlignCenter);
        m_box[static_cast<std::size_t>(c)] = box;
        connect(box, &QCheckBox::clicked, this, [this, c](bool on) {
            const auto t = TickOutput(m_record, ticks(), c, on);
            for (int i = 0; i < 6; ++i)
                m_box[static_cast<std::size_t>(i)]->setChecked(t[static_cast<std::size_t>(i)]);
        });
    }
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::array<bool, 6> OutputFlatDialog::ticks() const {
    std::array<bool, 6> t{};
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = m_box[i]->isChecked();
    return t;
}

void OutputFlatDialog::accept() {
    m_operations.outputFlat(ticks());
    QDialog::accept();
}

} // namespace mqx
