#include "diff_verb.h"

#include "program/field_labels.h"
#include "record_listing.h"
#include "stream_prompts.h"
#include "unit_link.h"
#include "unit_verbs.h"

#include <QFileInfo>

namespace mqx::tool {
namespace {

constexpr int kCannotCompare = 2;

int usage(QTextStream& err, const char* what) {
    err << "mqxtool: " << what << "; see --help" << Qt::endl;
    return kCannotCompare;
}

bool download(const QCommandLineParser& parser, ProgramRecord& record, QTextStream& err) {
    UnitOptions options;
    if (!readUnitOptions(parser, err, options))
        return false;
    StreamPrompts prompts(err);
    UnitLink unit(prompts, options.limitMs);
    const bool ok =
        unit.connect(options.port, options.unitId) && unit.transfer(TransferDirection::Download);
    unit.disconnect();
    if (unit.lineLost())
        err << "mqxtool: " << unit.lostText().replace(QLatin1Char('\n'), QLatin1Char(' '))
            << Qt::endl;
    if (unit.timedOut())
        err << "mqxtool: the unit did not finish within " << options.limitMs / 1000 << " s"
            << Qt::endl;
    if (ok)
        record = unit.session().CurrentRecord();
    return ok;
}

} // namespace

void addDiffOptions(QCommandLineParser& parser) {
    addUnitOptions(parser);
}

int runDiff(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    const QStringList files = parser.positionalArguments();
    const bool onUnit = parser.isSet(QStringLiteral("port")) || parser.isSet(QStringLiteral("id"));
    if (files.size() != (onUnit ? 1 : 2))
        return usage(err, onUnit ? "expected one FILE to compare with the unit"
                                 : "expected FILE1 FILE2, or one FILE with --port and --id");
    ProgramRecord first{};
    ProgramRecord second{};
    if (!LoadOrSay(files[0], first, err))
        return kCannotCompare;
    QString firstName = QStringLiteral("PC");
    QString secondName = QStringLiteral("unit");
    if (onUnit) {
        if (!download(parser, second, err))
            return kCannotCompare;
    } else {
        if (!LoadOrSay(files[1], second, err))
            return kCannotCompare;
        firstName = QFileInfo(files[0]).fileName();
        secondName = QFileInfo(files[1]).fileName();
    }
    const QStringList lines = DiffRecords(first, second, firstName, secondName);
    for (const QString& line : lines)
        out << line << '\n';
    out.flush();
    return lines.isEmpty() ? 0 : 1;
}

} // namespace mqx::tool
