#include "record_listing.h"

#include "program/program_file.h"
#include "program/record_text.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace mqx::tool {
namespace {

// The scale text as a page shows it, trimmed: "100.0Hz", "-Inf dB" reads "-Inf", "Off".
QString shownText(const RecordField& field, quint32 step) {
    const QString text = StepText(*field.scale, static_cast<int>(step)).trimmed();
    const bool numeric = !text.isEmpty() && (text[0].isDigit() || text[0] == u'-') &&
                         text != QLatin1StringView("-Inf");
    return numeric ? text + QLatin1StringView(field.unit) : text;
}

} // namespace

QString ListRecord(const ProgramRecord& record) {
    QString listing;
    for (const RecordField& f : RecordFields()) {
        listing += f.name + QLatin1StringView(" = ");
        if (f.kind == FieldKind::Text) {
            listing += u'"' + QString::fromLatin1(FieldText(record, f)) + u'"';
        } else {
            const quint32 value = FieldValue(record, f);
            listing += QString::number(value);
            if (f.scale)
                listing += QLatin1StringView(" (") + shownText(f, value) + u')';
        }
        listing += u'\n';
    }
    return listing;
}

QByteArray RecordJson(const ProgramRecord& record) {
    QJsonObject object;
    for (const RecordField& f : RecordFields()) {
        if (f.kind == FieldKind::Text) {
            object.insert(f.name, QString::fromLatin1(FieldText(record, f)));
            continue;
        }
        const quint32 value = FieldValue(record, f);
        if (f.scale) {
            object.insert(f.name, QJsonObject{{QStringLiteral("step"), static_cast<qint64>(value)},
                                              {QStringLiteral("text"), shownText(f, value)}});
        } else {
            object.insert(f.name, static_cast<qint64>(value));
        }
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool LoadOrSay(const QString& file, ProgramRecord& record, QTextStream& err) {
    const FileResult loaded = LoadRecordFile(record, file);
    if (!loaded)
        err << "mqxtool: " << file << ": " << loaded.error << Qt::endl;
    return loaded.ok;
}

} // namespace mqx::tool
