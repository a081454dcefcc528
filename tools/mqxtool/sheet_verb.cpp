#include "sheet_verb.h"

#include "pages/setup_sheet.h"
#include "record_listing.h"

#include <QDate>

namespace mqx::tool {

void addSheetOptions(QCommandLineParser& parser) {
    parser.addOption({QStringLiteral("pdf"), QStringLiteral("Write the sheet into OUT."),
                      QStringLiteral("OUT")});
    parser.addOption({QStringLiteral("id"),
                      QStringLiteral("The unit ID the sheet names (1..99); none by default."),
                      QStringLiteral("N")});
}

int runSheet(const QCommandLineParser& parser, QTextStream&, QTextStream& err) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1 || !parser.isSet(QStringLiteral("pdf"))) {
        err << "mqxtool: expected one FILE argument and --pdf OUT; see --help" << Qt::endl;
        return 2;
    }
    int unitId = 0;
    if (parser.isSet(QStringLiteral("id"))) {
        bool ok = false;
        unitId = parser.value(QStringLiteral("id")).toInt(&ok);
        if (!ok || unitId < 1 || unitId > 99) {
            err << "mqxtool: --id takes a unit ID from 1 to 99" << Qt::endl;
            return 2;
        }
    }
    const QString& file = args.first();
    ProgramRecord record{};
    if (!LoadOrSay(file, record, err))
        return 1;
    const QString pdf = parser.value(QStringLiteral("pdf"));
    const QString date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    const SheetResult written = WriteSetupSheet(pdf, record, unitId, date);
    if (!written) {
        err << "mqxtool: " << pdf << ": cannot be written: " << written.error << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace mqx::tool
