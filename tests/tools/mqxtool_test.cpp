#include "program/program_file.h"
#include "program/record_text.h"
#include "test_paths.h"
#include "tool_run.h"
#include "unit_verbs.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace mqx::test {
namespace {

TEST(Mqxtool, NewCheckAndDiff) {
    ScratchDir dir;
    const QString a = dir.path(QStringLiteral("a.mqx"));
    const QString b = dir.path(QStringLiteral("b.mqx"));
    ASSERT_EQ(mqxtool(args({"new"}) << a).code, 0);
    ASSERT_EQ(mqxtool(args({"new"}) << b).code, 0);
    ProgramRecord edited{};
    ApplyRecordDefaults(edited);
    EXPECT_EQ(readFile(a), "MQX-T410VER1.50\r\n" + EncodeRecordText(edited));
    EXPECT_EQ(mqxtool(args({"check"}) << a).code, 0);
    EXPECT_EQ(mqxtool(args({"diff"}) << a << b).code, 0);
    edited.out[2].level = 175;
    ASSERT_TRUE(SaveRecordFile(edited, b));
    const ToolRun diff = mqxtool(args({"diff"}) << a << b);
    EXPECT_EQ(std::pair(diff.code, diff.out),
              std::pair(1, QStringLiteral("OUT-3 Level: a.mqx 0.0 dB, b.mqx -3.0 dB\n")));

    const QString bad = writeFile(dir, QStringLiteral("c.mqx"), readFile(a).left(500));
    const QString none = dir.path(QStringLiteral("none/d.mqx"));
    const std::tuple<QStringList, int, QString> failures[] = {
        {args({"check"}) << bad, 1, "mqxtool: " + bad + ": "},
        {args({"new"}) << none, 1, "mqxtool: " + none},
        {args({"diff"}) << a << bad, 2, "mqxtool: "},
        {args({"diff"}) << a, 2, "mqxtool: "},
    };
    for (const auto& [arguments, code, says] : failures) {
        const ToolRun r = mqxtool(arguments);
        EXPECT_EQ(std::pair(r.code, r.err.count(u'\n')), std::pair(code, qsizetype(1)))
            << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(says)) << r.err.toStdString();
    }
}

TEST(Mqxtool, ShowListsEveryFieldWithStepAndText) {
    ScratchDir dir;
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    r.out[4].source = 7;
    r.out[1].display_mask = 0x3F;
    const QString path = dir.path(QStringLiteral("odd.mqx"));
    ASSERT_TRUE(SaveRecordFile(r, path));
    const QStringList lines = mqxtool(args({"show"}) << path).out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), static_cast<qsizetype>(RecordFields().size()));
    for (const char* line :
         {"out[1].hpf_freq = 29 (100.0Hz)", "geq_level[0][1] = 24 (0.0dB)",
          "comp_ratio[0] = 0 (1.00:1)", "pink_level = 181 (0.0dB)", "out[0].limiter = 0 (Off)",
          "input_select = 4", "out[4].source = 7 (?\?\?)", "out[1].display_mask = 16"})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(line))) << line;
    const QJsonObject o =
        QJsonDocument::fromJson(mqxtool(args({"show", "--json"}) << path).out.toUtf8()).object();
    EXPECT_EQ(o.size(), static_cast<qsizetype>(RecordFields().size()));
    EXPECT_EQ(o["out[4].source"].toObject(), (QJsonObject{{"step", 7}, {"text", "???"}}));
    EXPECT_EQ(o["write_enable"].toInt(), 255);
    EXPECT_EQ(o["name"].toString(), QString(21, u'.'));
}

// No port named here exists: opening one would end in exit code 1, not 2.
TEST(Mqxtool, ArgumentsAreCheckedBeforeAnyPortIsOpened) {
    // Ports first, so a wrong one fails before the table below opens anything; "" = refused.
    const std::pair<const char*, const char*> ports[] = {
        {"1", "1"},          {"4", "4"},     {"0", ""},
        {"5", ""},           {"com2", "2"},  {" 2 ", "2"},
        {"COM5", ""},        {"ttyUSB", ""}, {"ttyUSB0", "/dev/ttyUSB0"},
        {"./port", "./port"}};
    for (const auto& [given, opened] : ports)
        ASSERT_EQ(tool::PortText(QString::fromLatin1(given)), QString::fromLatin1(opened)) << given;
    // {arguments, exit code, what the error names}
    const std::tuple<QStringList, int, const char*> cases[] = {
        {args({"check"}), 2, "FILE"},
        {args({"ports", "extra"}), 2, "no arguments"},
        {args({"--id", "4", "info"}), 2, "--port"},
        {args({"--port", "/nonexistent/port", "--id", "100", "info"}), 2, "1 to 99"},
        // A port named like a verb is still the port; upload wants a FILE.
        {args({"--port", "./info", "--id", "3", "upload"}), 2, "FILE"},
        {args({"--port", "/nonexistent/port", "--id", "3", "upload", "/nonexistent/no.mqx"}), 1,
         "no.mqx"},
        {args({"--port", "COM5", "--id", "4", "info"}), 2, "COM1..COM4"},
        {args({"--port", "/x", "--id", "4", "store", "51"}), 2, "SLOT from 1 to 50"},
        {args({"--port", "/x", "--id", "4", "backup", "saved"}), 2, "--yes"},
        {args({"--port", "/x", "--id", "4", "--limit", "0", "info"}), 2, "1 to 3600"},
        {args({"--port", "/x", "--id", "4", "--limit", "3601", "info"}), 2, "1 to 3600"},
    };
    for (const auto& [arguments, code, says] : cases) {
        const ToolRun r = mqxtool(arguments);
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        EXPECT_EQ(std::pair(r.code, r.err.count(u'\n')), std::pair(code, qsizetype(1)));
        EXPECT_TRUE(r.err.contains(QLatin1StringView(says))) << r.err.toStdString();
    }
    for (const QStringList& unknown : {args({"frobnicate"}), QStringList()})
        EXPECT_EQ(mqxtool(unknown).code, 2) << "usage follows";
    for (const char* option : {"--version", "-v"})
        EXPECT_EQ(mqxtool(args({option})).out, QStringLiteral("mqxtool " MQX_VERSION "\n"));
    const ToolRun help = mqxtool(args({"show", "--help"}));
    EXPECT_TRUE(help.code == 0 && help.out.contains(QLatin1StringView("--json")));
}

} // namespace
} // namespace mqx::test
