// The setup sheet and the response images as files: a program made here goes through
// mqxtool sheet and response --png, and the PDF is read back with poppler's pdftotext, as
// someone opening the sheet would read it.

#include "core/session.h"
#include "graphs/response_plot.h"
#include "pages/setup_sheet.h"
#include "pages/sheet_plots.h"
#include "program/program_file.h"
#include "test_paths.h"
#include "tool_run.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace mqx::test {
namespace {

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyDefaults(session);
        ProgramRecord& r = session.CurrentRecord();
        const QByteArray name = QByteArray("Hall B").leftJustified(kNameLength, '.');
        std::copy(name.begin(), name.end(), r.name.begin());
        const QByteArray comment =
            QByteArray("Balcony fills, tuned 7 Dec").leftJustified(kCommentLength, '.');
        std::copy(comment.begin(), comment.end(), r.comment.begin());
        r.program_number = 12;
        r.eq_mode = 1;
        r.peq_band[3][1] = {1, 69, 36, 46}; // IN-2 band 4: Peaking 1 kHz +6 dB
        r.comp_ratio[0] = 4;
        r.out[2].delay = 960; // 10 ms: 3.44 m at 344 m/s
        r.out[3].phase = 1;
        r.out[4].on = 0;
        r.out[0].link_mask = r.out[1].link_mask = OutputBit(0) | OutputBit(1);
        // Each output 6 dB below the one before, so the six sums lie apart on the plot.
        for (int c = 0; c < kOutputCount; ++c)
            r.out[static_cast<std::size_t>(c)].level = static_cast<std::uint8_t>(181 - 12 * c);
        ASSERT_TRUE(SaveProgramFile(session, program));
        const ToolRun run = mqxtool({"sheet", program, "--pdf", pdf, "--id", "7"});
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
    }

    ScratchDir dir;
    Session session;
    const QString program = dir.path(QStringLiteral("hall.mqx"));
    const QString pdf = dir.path(QStringLiteral("hall.pdf"));
};

TEST_F(SheetTest, TextHoldsTheProgramsValuesAsThePagesShowThem) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000) && pdftotext.exitCode() == 0);
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    // Label and values on one line, as a reader of the sheet finds them.
    QStringList expected[] = {
        {"Program No.", "12"},
        {"Name", "Hall B"},
        {"Comment", "Balcony fills, tuned 7 Dec"},
        {"MQX-T410 ID", "07"},
        {"EQ Mode", "PEQ+Comp."},
        {"PEQ 4 Type", "Off", "Peaking"},
        {"PEQ 4 Level", "0.0 dB", "6.0 dB"},
        {"Comp Ratio", "1.04:1", "1.00:1"},
        {"OUT-3 Delay", "10.0000 msec", "3.4400 m"},
        {"Phase", "Inverse"},
        {"Mute", "Muting"},
        {"Linked with", "OUT-1+OUT-2"},
        {"HPF Freq"},
        {"Limiter", "Off"},
    };
    for (QStringList& row : expected) {
        for (QString& part : row)
            part = QRegularExpression::escape(part);
        const QRegularExpression line(QStringLiteral("^\\s*") + row.join(u".*"),
                                      QRegularExpression::MultilineOption);
        EXPECT_TRUE(text.contains(line)) << row.join(u" | ").toStdString();
    }
    for (const char* axis : {"Frequency (Hz)", "Level (dB)", "Gain (dB)"})
        EXPECT_TRUE(text.contains(QLatin1String(axis))) << axis;
    EXPECT_FALSE(text.contains(QStringLiteral("GEQ 1k Level"))) << "GEQ not shown in PEQ mode";
    // Each section opens a page of its own; the PEQ page's plot needs one more.
    QStringList heads;
    std::vector<qsizetype> plots; // each plot names its frequency axis once
    for (const QString& page : text.split(u'\f', Qt::SkipEmptyParts)) {
        heads << page.trimmed().section(u'\n', 0, 0).trimmed();
        plots.push_back(page.count(QStringLiteral("Frequency (Hz)")));
    }
    EXPECT_EQ(plots, (std::vector<qsizetype>{2, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(heads, (QStringList{"MQX-T410 Setup Sheet", "Input and Signal Generator",
                                  "PEQ and Compressor", "PEQ sums of both inputs", "Delay", "OUT-1",
                                  "OUT-2", "OUT-3", "OUT-4", "OUT-5", "OUT-6"}));
}

// mqxtool response --png draws the channel's plot as the window draws it.
TEST_F(SheetTest, ResponseImagesAreTheChannelsPlots) {
    const ProgramRecord& r = session.CurrentRecord();
    const std::tuple<const char*, const char*, ResponsePlot> images[] = {
        {"--output", "3", OutputChannelPlot(r, 2)}, {"--peq", "2", PeqChannelPlot(r, 1)}};
    for (const auto& [option, channel, plot] : images) {
        const QString png = dir.path(QStringLiteral("response.png"));
        const ToolRun image = mqxtool({"response", program, option, channel, "--png", png});
        ASSERT_EQ(image.code, 0) << image.err.toStdString();
        EXPECT_TRUE(image.out.isEmpty()) << "the image instead of the CSV";
        const QImage drawn = QImage(png).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(drawn, RenderResponsePlot(plot, drawn.size()).convertToFormat(drawn.format()))
            << option;
    }
}

TEST(SheetFile, FollowsTheLocalesMeasuresAndReportsAnUnwritablePlace) {
    EXPECT_EQ(SheetPageSize(QLocale(QLocale::English, QLocale::UnitedStates)), QPageSize::Letter);
    EXPECT_EQ(SheetPageSize(QLocale(QLocale::German, QLocale::Germany)), QPageSize::A4);
    const SheetResult result =
        WriteSetupSheet(QStringLiteral("/nonexistent-folder/x.pdf"), ProgramRecord{}, 0, {});
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.error.isEmpty());
}

} // namespace
} // namespace mqx::test
