#include "pages/setup_sheet.h"

#include "pages/setup_sheet_content.h"
#include "pages/sheet_plots.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace mqx {
namespace {

// Laid out in points: the writer runs at 72 dots an inch.
constexpr int kDpi = 72;
constexpr qreal kBodyPt = 8;
constexpr qreal kTitlePt = 14;
constexpr qreal kSectionPt = 12;

class SheetPainter {
public:
    SheetPainter(QPdfWriter& writer, QPainter& painter) : m_writer(writer), m_painter(painter) {
        m_page = QRectF(0, 0, writer.width(), writer.height());
        m_y = m_page.top();
    }

    void newPage() {
        m_writer.newPage();
        m_y = m_page.top();
    }
    qreal room() const { return m_page.bottom() - m_y; }

    void heading(const QString& text, qreal pt) {
        setFont(pt, true);
        const qreal h = lineHeight();
        m_painter.drawText(QRectF(m_page.left(), m_y, m_page.width(), h),
                           Qt::AlignLeft | Qt::AlignVCenter, text);
        m_y += h * 1.3;
    }

    // Rows of a label and its values under the columns' heads; a page that fills goes on
    // to the next with the heads again.
    void table(const QString& title, const QStringList& columns,
               const std::vector<SheetRow>& rows) {
        setFont(kBodyPt, false);
        const qreal h = lineHeight() * 1.1;
        const int valueColumns = std::max<int>(1, static_cast<int>(columns.size()));
        const qreal labelWidth = m_page.width() * 0.42;
        const qreal valueWidth = (m_page.width() - labelWidth) / valueColumns;
        const auto heads = [&] {
            if (columns.isEmpty())
                return;
            setFont(kBodyPt, true);
            for (int c = 0; c < valueColumns; ++c)
                m_painter.drawText(
                    QRectF(m_page.left() + labelWidth + c * valueWidth, m_y, valueWidth, h),
                    Qt::AlignLeft | Qt::AlignVCenter, columns[c]);
            m_y += h;
            setFont(kBodyPt, false);
        };
        heads();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (room() < h) {
                newPage();
                heading(title + QStringLiteral(" (continued)"), kSectionPt);
                setFont(kBodyPt, false);
                heads();
            }
            if (r % 2 == 1)
                m_painter.fillRect(QRectF(m_page.left(), m_y, m_page.width(), h),
                                   QColor(242, 242, 242));
            const SheetRow& row = rows[r];
            m_painter.drawText(QRectF(m_page.left() + 2, m_y, labelWidth - 4, h),
                               Qt::AlignLeft | Qt::AlignVCenter, row.label);
            for (int c = 0; c < row.values.size() && c < valueColumns; ++c) {
                // A long text (the comment) may run on over the columns to its right.
                const qreal width =
                    c + 1 == row.values.size()
                        ? m_page.right() - (m_page.left() + labelWidth + c * valueWidth)
                        : valueWidth;
                m_painter.drawText(
                    QRectF(m_page.left() + labelWidth + c * valueWidth, m_y, width, h),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, row.values[c]);
            }
            m_y += h;
        }
        m_y += h;
    }

    // The plot takes `height`, or less down to `least` to stay on its section's page.
    void plot(const ResponsePlot& plot, qreal height, qreal least) {
        if (room() < least)
            newPage();
        height = std::min(height, room());
        DrawResponsePlot(m_painter, QRectF(m_page.left(), m_y, m_page.width(), height), plot);
        m_y += height + lineHeight();
    }

private:
    void setFont(qreal pt, bool bold) {
        QFont font = m_painter.font();
        font.setPointSizeF(pt);
        font.setBold(bold);
        // Without shaping "Off" stays three letters for whoever searches or copies the
        // sheet's text, not a ligature.
        font.setStyleStrategy(QFont::PreferNoShaping);
        m_painter.setFont(font);
    }
    qreal lineHeight() const { return QFontMetricsF(m_painter.font(), &m_writer).height(); }

    QPdfWriter& m_writer;
    QPainter& m_painter;
    QRectF m_page;
    qreal m_y = 0;
};

} // namespace

QPageSize::PageSizeId SheetPageSize(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                   : QPageSize::A4;
}

SheetResult WriteSetupSheet(const QString& path, const ProgramRecord& record, int unitId,
                            const QString& date, const QLocale& locale) {
    // QPdfWriter says nothing of a file it could not open; ask first.
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            return {false, probe.errorString()};
    }
    QPdfWriter writer(path);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(SheetPageSize(locale)));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("MQX-T410 Setup Sheet"));
    writer.setCreator(QStringLiteral("MQX-T410 Controller"));
    QPainter painter;
    if (!painter.begin(&writer))
        return {false, QStringLiteral("the PDF cannot be started")};
    painter.setPen(Qt::black);
    SheetPainter sheet(writer, painter);

    sheet.heading(QStringLiteral("MQX-T410 Setup Sheet"), kTitlePt);
    sheet.table(QString(), {}, SetupSheetHeader(record, unitId, date));
    const qreal overview = std::min<qreal>(300, sheet.room() / 2 - 24);
    sheet.plot(OutputSumsPlot(record), overview, overview);
    sheet.plot(InputEqPlot(record), overview, overview);

    for (const SheetSection& section : SetupSheetSections(record)) {
        sheet.newPage();
        sheet.heading(section.title, kSectionPt);
        sheet.table(section.title, section.columns, section.rows);
        if (section.plot == SheetPlot::InputEq)
            sheet.plot(InputEqPlot(record), 260, 170);
        else if (section.plot == SheetPlot::Output)
            sheet.plot(OutputChannelPlot(record, section.channel), 260, 170);
    }
    if (!painter.end())
        return {false, QStringLiteral("the PDF could not be finished")};
    return {true, {}};
}

} // namespace mqx
