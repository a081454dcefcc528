#include "pages/ch_link_dialog.h"

#include "core/program_record.h"
#include "graphs/fitted_text.h"
#include "pages/page_artwork.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace mqx {
namespace {

namespace geo = ch_link_geometry;

constexpr int kMargin = 12;
constexpr QSize kTableSize(geo::kBarLeft + geo::kBarWidth + kMargin,
                           geo::kFirstBarTop + (ChLinkEditor::kRows - 1) * geo::kBarPitch +
                               geo::kBarHeight + kMargin);

class ChLinkTable : public QWidget {
public:
    ChLinkTable(ChLinkEditor& editor, QWidget* parent) : QWidget(parent), m_editor(editor) {
        setFixedSize(kTableSize);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // Drawn off screen and shown in one piece.
        const qreal ratio = devicePixelRatioF();
        QPixmap picture(size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(palette().color(QPalette::Window));
        {
            QPainter off(&picture);
            paintTable(off);
        }
        QPainter p(this);
        p.drawPixmap(0, 0, picture);
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        // Between and around the slots a click does nothing.
        if (const auto slot = geo::SlotAt(event->position().toPoint())) {
            m_editor.click(slot->row, slot->channel);
            update();
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        setCursor(geo::SlotAt(event->position().toPoint()) ? Qt::PointingHandCursor
                                                           : Qt::ArrowCursor);
    }

private:
    void paintTable(QPainter& p) const {
        p.setRenderHint(QPainter::Antialiasing);
        const QColor text = palette().color(QPalette::WindowText);
        p.setPen(text);
        p.setFont(ArtworkFont(font(), 13, true));
        DrawFittedText(p, QRectF(kMargin, 8, kTableSize.width() - 2 * kMargin, 20),
                       Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ch Link Table"));
        p.setFont(ArtworkFont(font(), 12, false));
        for (int row = 0; row < ChLinkEditor::kRows; ++row) {
            const QRect bar = geo::BarRect(row);
            p.setPen(text);
            DrawFittedText(p, QRectF(kMargin, bar.top() - 2, bar.left() - kMargin - 8, 21),
                           Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("Group %1").arg(row + 1));
            paintBar(p, row);
        }
    }

    void paintBar(QPainter& p, int row) const {
        const QRectF plate = QRectF(geo::BarRect(row)).adjusted(-2.5, -2.5, 2.5, 2.5);
        p.setPen(QColor(90, 94, 100));
        p.setBrush(QColor(36, 38, 42));
        p.drawRoundedRect(plate, 4, 4);
        for (int c = 0; c < kOutputCount; ++c) {
            const QRectF slot = geo::SlotRect(row, c);
            if (m_editor.holds(row, c)) {
                const QPixmap tile = ChannelLetterTile(c);
                p.drawPixmap(slot, tile, QRectF(tile.rect()));
                continue;
            }
            // An empty place still shows whose it is, faintly, so the operator sees where
            // a click would put that output.
            p.setPen(QPen(QColor(78, 82, 90), 1.0, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(slot.adjusted(1, 1, -1, -1), 3, 3);
            p.setPen(QColor(92, 96, 104));
            p.drawText(slot, Qt::AlignCenter, QString(QChar(u'A' + c)));
        }
    }

    ChLinkEditor& m_editor;
};

} // namespace

ChLinkDialog::ChLinkDialog(Session& session, ParameterEditSink& sink, QWidget* parent)
    : QDialog(parent), m_editor(session, sink) {
    setWindowTitle(QStringLiteral("CH Link"));
    auto* layout = new QVBoxLayout(this);
    // The table starts at the dialog's corner, so its pixels are the dialog's own.
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_table = new ChLinkTable(m_editor, this);
    layout->addWidget(m_table, 0, Qt::AlignLeft | Qt::AlignTop);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(kMargin, 0, kMargin, kMargin);
    row->addWidget(buttons);
    layout->addLayout(row);
}

void ChLinkDialog::accept() {
    m_editor.apply();
    QDialog::accept();
}

} // namespace mqx
