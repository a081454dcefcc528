#include "response_verb.h"

#include "graphs/output_response.h"
#include "graphs/peq_response.h"
#include "graphs/response_csv.h"
#include "pages/sheet_plots.h"
#include "record_listing.h"

#include <QImageWriter>

#include <optional>

namespace mqx::tool {
namespace {

const QString kOutputOption = QStringLiteral("output");
const QString kPeqOption = QStringLiteral("peq");
const QString kPngOption = QStringLiteral("png");
// Wide enough for the grid's 382 points to stay apart; a report page's width at 150 dpi.
constexpr QSize kPngSize(1000, 560);

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
    parser.addOption({kPngOption,
                      QStringLiteral("Draw the curves as a PNG image into OUT instead of CSV."),
                      QStringLiteral("OUT")});
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
    if (!LoadOrSay(file, record, err))
        return 1;
    const auto index = static_cast<std::size_t>(*channel - 1);
    if (parser.isSet(kPngOption)) {
        const QString png = parser.value(kPngOption);
        const ResponsePlot plot =
            output ? OutputChannelPlot(record, *channel - 1) : PeqChannelPlot(record, *channel - 1);
        QImageWriter writer(png, "png");
        if (!writer.write(RenderResponsePlot(plot, kPngSize))) {
            err << "mqxtool: " << png << ": cannot be written: " << writer.errorString()
                << Qt::endl;
            return 1;
        }
        return 0;
    }
    out << (output ? OutputResponseCsv(OutputResponse(record.out[index]))
                   : PeqResponseCsv(PeqResponse(record, *channel - 1)));
    return 0;
}

} // namespace mqx::tool
