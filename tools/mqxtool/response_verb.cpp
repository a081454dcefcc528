#include "response_verb.h"

#include "graphs/output_response.h"
#include "graphs/peq_response.h"
#include "graphs/response_csv.h"
#include "program/program_file.h"

#include <optional>

namespace mqx::tool {
namespace {

const QString kOutputOption = QStringLiteral("output");
const QString kPeqOption = QStringLiteral("peq");

// The option's value as a number in 1..highest, or nothing after telling why.
std::optional<int> oneBased(const QCommandLineParser& parser, const QString& option, int highest,
                            QTextStream& err) {
    bool ok = false;
    const int n = parser.value(option).toInt(&ok);
    if (!ok || n < 1 || n > highest) {
        err << "mqxtool: --" << option << " expects a number from 1 to " << highest << ", not \""
            << parser.value(option) << "\"" << Qt::endl;
        return std::nullopt;
    }
    return n;
}

} // namespace

void addResponseOptions(QCommandLineParser& parser) {
    parser.addOption(
        {kOutputOption, QStringLiteral("The curves of output N (1..6)."), QStringLiteral("N")});
    parser.addOption(
        {kPeqOption, QStringLiteral("The PEQ curves of input CH (1, 2)."), QStringLiteral("CH")});
}

int runResponse(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1) {
        err << "mqxtool: expected one FILE argument; see --help" << Qt::endl;
        return 2;
    }
    const bool output = parser.isSet(kOutputOption);
    if (output == parser.isSet(kPeqOption)) {
        err << "mqxtool: give either --output N or --peq CH" << Qt::endl;
        return 2;
    }
    const std::optional<int> channel = output ? oneBased(parser, kOutputOption, kOutputCount, err)
                                              : oneBased(parser, kPeqOption, kInputCount, err);
    if (!channel)
        return 2;

    const QString& file = args.first();
    ProgramRecord record{};
    const FileResult loaded = LoadRecordFile(record, file);
    if (!loaded) {
        err << "mqxtool: " << file << ": " << loaded.error << Qt::endl;
        return 1;
    }
    const auto index = static_cast<std::size_t>(*channel - 1);
    out << (output ? OutputResponseCsv(OutputResponse(record.out[index]))
                   : PeqResponseCsv(PeqResponse(record, *channel - 1)));
    return 0;
}

} // namespace mqx::tool
