#include "graphs/response_csv.h"

#include "graphs/output_response.h"
#include "graphs/peq_response.h"

#include <QStringList>

#include <cmath>
#include <vector>

namespace mqx {
namespace {

QString decibels(double db) {
    // Sums of curves leave dust such as -1e-15 that would print as "-0.0000".
    return QString::number(std::abs(db) < 5e-5 ? 0.0 : db, 'f', 4);
}

QString table(const QStringList& names, const std::vector<const ResponseCurve*>& curves) {
    QString text = QStringLiteral("Frequency (Hz)");
    for (const QString& name : names)
        text += QStringLiteral(",%1 (dB)").arg(name);
    text += u'\n';
    const auto& grid = FrequencyGrid();
    for (std::size_t i = 0; i < grid.size(); ++i) {
        text += QString::number(grid[i], 'f', 2);
        for (const ResponseCurve* curve : curves)
            text += u',' + decibels((*curve)[i]);
        text += u'\n';
    }
    return text;
}

} // namespace

QString OutputResponseCsv(const OutputCurves& curves) {
    QStringList names = {QStringLiteral("High-pass"), QStringLiteral("Low-pass")};
    std::vector<const ResponseCurve*> columns = {&curves.highPass, &curves.lowPass};
    for (std::size_t b = 0; b < curves.eq.size(); ++b) {
        names << QStringLiteral("EQ%1").arg(b + 1);
        columns.push_back(&curves.eq[b]);
    }
    names << QStringLiteral("Sum");
    columns.push_back(&curves.sum);
    return table(names, columns);
}

QString PeqResponseCsv(const PeqCurves& curves) {
    QStringList names;
    std::vector<const ResponseCurve*> columns;
    for (std::size_t b = 0; b < curves.band.size(); ++b) {
        names << QStringLiteral("Band %1").arg(b + 1);
        columns.push_back(&curves.band[b]);
    }
    names << QStringLiteral("Sum");
    columns.push_back(&curves.sum);
    return table(names, columns);
}

} // namespace mqx
