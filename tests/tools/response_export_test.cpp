#include "graphs/output_response.h"
#include "graphs/peq_response.h"
#include "graphs/response_csv.h"
#include "program/program_file.h"
#include "test_paths.h"
#include "tool_run.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace mqx::test {
namespace {

void expectColumn(const QStringList& lines, int column, const ResponseCurve& curve) {
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const QStringList cells = lines[static_cast<qsizetype>(i) + 1].split(u',');
        bool ok = false;
        const double value = cells.value(column).toDouble(&ok);
        ASSERT_TRUE(ok) << lines[static_cast<qsizetype>(i) + 1].toStdString();
        ASSERT_NEAR(value, curve[i], 0.00005) << "grid point " << i;
        ASSERT_NEAR(cells[0].toDouble(), FrequencyGrid()[i], 0.005);
    }
}

ProgramRecord splitProgram() {
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    r.out[2].eq[1] = EqBand{1, 80, 40, 46}; // +8 dB at 2.8 kHz on output 3
    r.out[2].level = 0;                     // and that output at -Inf
    r.peq_band[4][1] = EqBand{5, 60, 24, 40};
    return r;
}

TEST(ResponseCsv, OneLinePerGridPointUnderAHeader) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German)); // a decimal comma would break the columns
    const ProgramRecord record = splitProgram();
    const OutputCurves out = OutputResponse(record.out[2]);
    const QStringList lines = OutputResponseCsv(out).split(u'\n', Qt::SkipEmptyParts);
    QLocale::setDefault(before);

    ASSERT_EQ(lines.size(), kGridPoints + 1);
    EXPECT_EQ(lines[0], QStringLiteral("Frequency (Hz),High-pass (dB),Low-pass (dB),EQ1 (dB),"
                                       "EQ2 (dB),EQ3 (dB),Sum (dB)"));
    expectColumn(lines, 1, out.highPass);
    expectColumn(lines, 4, out.eq[1]);
    expectColumn(lines, 6, out.sum);

    const PeqCurves peq = PeqResponse(record, 1);
    const QStringList peqLines = PeqResponseCsv(peq).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(peqLines.size(), kGridPoints + 1);
    EXPECT_TRUE(peqLines[0].endsWith(QStringLiteral(",Band 11 (dB),Sum (dB)")));
    expectColumn(peqLines, 5, peq.band[4]);
    expectColumn(peqLines, 12, peq.sum);
}

TEST(ResponseVerb, WritesTheChosenGraphOrRefusesWhatItCannotShow) {
    ScratchDir dir;
    const QString path = dir.path(QStringLiteral("split.mqx"));
    const ProgramRecord record = splitProgram();
    ASSERT_TRUE(SaveRecordFile(record, path));
    const ToolRun output = mqxtool(args({"response"}) << path << args({"--output", "3"}));
    EXPECT_EQ(std::pair(output.code, output.out),
              std::pair(0, OutputResponseCsv(OutputResponse(record.out[2]))));
    const ToolRun peq = mqxtool(args({"response", "--peq", "2"}) << path);
    EXPECT_EQ(std::pair(peq.code, peq.out), std::pair(0, PeqResponseCsv(PeqResponse(record, 1))));

    const QString missing = dir.path(QStringLiteral("none.mqx"));
    const std::pair<QStringList, int> refused[] = {
        {args({"response"}) << path, 2},
        {args({"response", "--output", "1", "--peq", "1"}) << path, 2},
        {args({"response", "--output", "0"}) << path, 2},
        {args({"response", "--output", "7"}) << path, 2},
        {args({"response", "--peq", "3"}) << path, 2},
        {args({"response", "--peq", "one"}) << path, 2},
        {args({"response", "--output", "1"}), 2},
        {args({"response", "--output", "1"}) << missing, 1},
    };
    for (const auto& [arguments, code] : refused) {
        const ToolRun r = mqxtool(arguments);
        EXPECT_EQ(r.code, code) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty() && !r.err.isEmpty());
    }
    EXPECT_TRUE(mqxtool(refused[7].first).err.contains(missing));
}

} // namespace
} // namespace mqx::test
