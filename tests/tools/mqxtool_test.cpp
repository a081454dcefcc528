#include "program/program_file.h"
#include "program/record_text.h"
#include "test_paths.h"
#include "tool_run.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace mqx;
using mqx::test::mqxtool;
using mqx::test::readFile;
using mqx::test::ScratchDir;
using mqx::test::ToolRun;
using mqx::test::writeFile;

TEST(Mqxtool, NewWritesTheDefaultProgram) {
    ScratchDir dir;
    const QString path = dir.path(QStringLiteral("d.mqx"));
    const ToolRun r = mqxtool({QStringLiteral("new"), path});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QByteArray bytes = readFile(path);
    EXPECT_EQ(bytes.size(), kProgramFileSize);
    ProgramRecord expected{};
    ApplyRecordDefaults(expected);
    EXPECT_EQ(bytes.mid(17), EncodeRecordText(expected));

    const ToolRun failed = mqxtool({QStringLiteral("new"), dir.path(QStringLiteral("none/d.mqx"))});
    EXPECT_EQ(failed.code, 1);
    EXPECT_TRUE(failed.err.contains(QLatin1StringView("none/d.mqx"))) << failed.err.toStdString();
}

TEST(Mqxtool, ShowListsEveryFieldWithStepAndText) {
    ScratchDir dir;
    const QString path = dir.path(QStringLiteral("d.mqx"));
    ASSERT_EQ(mqxtool({QStringLiteral("new"), path}).code, 0);
    const ToolRun r = mqxtool({QStringLiteral("show"), path});
    ASSERT_EQ(r.code, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), static_cast<qsizetype>(RecordFields().size()));
    EXPECT_TRUE(lines.contains(QStringLiteral("out[1].hpf_freq = 29 (100.0Hz)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("geq_level[0][1] = 24 (0.0dB)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("comp_ratio[0] = 0 (1.00:1)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("pink_level = 181 (0.0dB)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("out[0].limiter = 0 (Off)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("input_select = 4")));
}

TEST(Mqxtool, ShowJsonAndOutOfScaleSteps) {
    ScratchDir dir;
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    r.out[4].source = 7; // no such source: shown, never read past the table
    const QString path = dir.path(QStringLiteral("odd.mqx"));
    ASSERT_TRUE(SaveRecordFile(r, path));
    const ToolRun run = mqxtool({QStringLiteral("show"), QStringLiteral("--json"), path});
    ASSERT_EQ(run.code, 0);
    const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(
        o.value(QStringLiteral("out[4].source")).toObject().value(QStringLiteral("step")).toInt(),
        7);
    EXPECT_EQ(o.value(QStringLiteral("out[4].source"))
                  .toObject()
                  .value(QStringLiteral("text"))
                  .toString(),
              QStringLiteral("???"));
    EXPECT_EQ(o.value(QStringLiteral("write_enable")).toInt(), 255);
    EXPECT_EQ(o.value(QStringLiteral("name")).toString(), QString(21, u'.'));
    EXPECT_EQ(o.size(), static_cast<qsizetype>(RecordFields().size()));
}

TEST(Mqxtool, CheckAndUsageErrors) {
    ScratchDir dir;
    const QString good = dir.path(QStringLiteral("g.mqx"));
    ASSERT_EQ(mqxtool({QStringLiteral("new"), good}).code, 0);
    EXPECT_EQ(mqxtool({QStringLiteral("check"), good}).code, 0);

    const QString bad = writeFile(dir, QStringLiteral("b.mqx"), readFile(good).left(500));
    const ToolRun r = mqxtool({QStringLiteral("check"), bad});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.count(u'\n'), 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("mqxtool: ") + bad + QStringLiteral(": ")));

    EXPECT_EQ(mqxtool({QStringLiteral("check")}).code, 2);
    EXPECT_EQ(mqxtool({QStringLiteral("frobnicate")}).code, 2);
    EXPECT_EQ(mqxtool({}).code, 2);
    EXPECT_EQ(mqxtool({QStringLiteral("ports"), QStringLiteral("extra")}).code, 2);
    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("-v")}) {
        const ToolRun version = mqxtool({option});
        EXPECT_EQ(version.code, 0);
        EXPECT_EQ(version.out, QStringLiteral("mqxtool " MQX_VERSION "\n"));
    }
    const ToolRun help = mqxtool({QStringLiteral("show"), QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QLatin1StringView("--json")));
}

TEST(Mqxtool, DiffListsTheDifferingFieldsAndExitsByWhetherThereAreAny) {
    ScratchDir dir;
    const QString a = dir.path(QStringLiteral("a.mqx"));
    const QString b = dir.path(QStringLiteral("b.mqx"));
    ASSERT_EQ(mqxtool({QStringLiteral("new"), a}).code, 0);
    ASSERT_EQ(mqxtool({QStringLiteral("new"), b}).code, 0);
    ToolRun r = mqxtool({QStringLiteral("diff"), a, b});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    ProgramRecord edited{};
    ASSERT_TRUE(LoadRecordFile(edited, b));
    edited.out[2].level = 175;
    ASSERT_TRUE(SaveRecordFile(edited, b));
    r = mqxtool({QStringLiteral("diff"), a, b});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, QStringLiteral("OUT-3 Level: a.mqx 0.0 dB, b.mqx -3.0 dB\n"));

    const QString broken = writeFile(dir, QStringLiteral("c.mqx"), readFile(a).left(100));
    for (const QStringList& bad :
         {QStringList{QStringLiteral("diff"), a, broken}, QStringList{QStringLiteral("diff"), a}}) {
        r = mqxtool(bad);
        EXPECT_EQ(r.code, 2) << bad.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
}
