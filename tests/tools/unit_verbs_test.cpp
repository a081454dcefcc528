#include "program/field_labels.h"
#include "program/program_file.h"
#include "program/record_text.h"
#include "sim_process.h"
#include "test_paths.h"
#include "tool_run.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>

namespace mqx::test {
namespace {

ToolRun runTool(const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(MQXTOOL_PATH), arguments);
    if (!tool.waitForFinished(90000))
        return {-1, {}, {}};
    return {tool.exitCode(), QString::fromLatin1(tool.readAllStandardOutput()),
            QString::fromLatin1(tool.readAllStandardError())};
}

// The simulator logs a frame once the line has been quiet after it; wait for it.
bool logShows(const QString& log, const QByteArray& wanted) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 3000 && !readFile(log).contains(wanted))
        QThread::msleep(50);
    return readFile(log).contains(wanted);
}

class UnitVerbs : public ::testing::Test {
protected:
    SimProcess& start(const QStringList& options = {}, const QString& log = "frames.log") {
        units.push_back(std::make_unique<SimProcess>(options + args({"--id", "4", "--log"}) +
                                                     QStringList{dir.path(log)}));
        return *units.back();
    }
    static ToolRun on(const SimProcess& unit, const QStringList& tail) {
        return runTool(args({"--port"}) << unit.devicePath() << args({"--id", "4"}) << tail);
    }
    static void change(const SimProcess& unit, std::initializer_list<const char*> verbs) {
        for (const char* verb : verbs)
            ASSERT_EQ(on(unit, QString::fromLatin1(verb).split(u' ')).code, 0) << verb;
    }

    ScratchDir dir;
    std::vector<std::unique_ptr<SimProcess>> units;
};

TEST_F(UnitVerbs, FailuresEndTheVerbWithTheirMessage) {
    // {fault, verb, error, says bye}
    const std::tuple<const char*, QStringList, const char*, bool> cases[] = {
        {"hello:silent", args({"info"}), "mqxtool: Cannot connect MQX-T410(ID=4)\n", false},
        {"pdatget:error:30", args({"download"}) << dir.path(QStringLiteral("never.mqx")),
         "mqxtool: There was injustice data in the data that received it.\nMQX-T410 ID = 04\n",
         true},
        // The store dialog would wait 10 s for the slot it reads; the limit ends it after 2.
        {"pinfget:silent", args({"--limit", "2", "store", "5"}),
         "mqxtool: the unit did not finish within 2 s\n", false},
    };
    for (const auto& [fault, verb, err, bye] : cases) {
        SCOPED_TRACE(fault);
        const QString log = QString::fromLatin1(fault).replace(u':', u'-') + ".log";
        const SimProcess& unit = start(args({"--no-pacing", "--fault", fault}), log);
        QElapsedTimer took;
        took.start();
        const ToolRun r = on(unit, verb);
        EXPECT_TRUE(!verb.contains(QStringLiteral("--limit")) || took.elapsed() < 4000)
            << "the limit ends it sooner than the unit's own wait";
        EXPECT_EQ(std::tuple(r.code, r.out, r.err.right(qsizetype(std::strlen(err)))),
                  std::tuple(1, QString(), QString::fromLatin1(err)));
        EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("never.mqx"))));
        EXPECT_TRUE(!bye || logShows(dir.path(log), "recv (04bye"));
    }
}

TEST_F(UnitVerbs, ALostLineEndsTheVerbAtOnceNamingThePort) {
    // {fault slowing the unit, verb, the frame after which the device goes, message}
    const std::tuple<const char*, QStringList, QByteArray, const char*> cases[] = {
        {"pdatget:bursts:900", args({"--id", "4", "download"}) << dir.path("never.mqx"),
         "recv (04Q000", "Connection lost on %1. MQX-T410 ID = 04"},
        // The ID being greeted when the device goes is no unit's: the scan names the port only.
        {"", args({"scan"}), "recv (06hello", "Connection lost on %1."},
    };
    for (const auto& [fault, verb, lostAfter, says] : cases) {
        SCOPED_TRACE(says);
        const QString log = verb.last().section(u'/', -1) + ".log";
        SimProcess& unit = start(*fault ? args({"--fault", fault}) : QStringList{}, log);
        QProcess tool;
        tool.start(QStringLiteral(MQXTOOL_PATH), args({"--port"}) << unit.devicePath() << verb);
        ASSERT_TRUE(logShows(dir.path(log), lostAfter));
        QThread::msleep(200);
        QElapsedTimer sinceLoss;
        sinceLoss.start();
        unit.kill();
        ASSERT_TRUE(tool.waitForFinished(15000));
        EXPECT_LE(sinceLoss.elapsed(), 1000);
        EXPECT_EQ(tool.exitCode(), 1);
        EXPECT_EQ(QString::fromLatin1(tool.readAllStandardError()),
                  "mqxtool: " + QString::fromLatin1(says).arg(unit.devicePath()) + '\n');
        EXPECT_FALSE(QFile::exists(dir.path("never.mqx")));
    }
}

// Info by the COM number the controller's Ports dialog stored (the other verbs take the path);
// diff, upload and download; then each program verb.
TEST_F(UnitVerbs, InfoTransfersAndEachProgramVerbAgreeWithTheUnit) {
    const SimProcess& unit = start(args({"--no-pacing", "--fault", "pinfget@8:garbled"}));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path(QStringLiteral("config")));
    QDir().mkpath(dir.path(QStringLiteral("config/mqx-controller")));
    writeFile(dir, QStringLiteral("config/mqx-controller/mqx-controller.ini"),
              "[Ports]\nCOM3=" + unit.devicePath().toLocal8Bit() + "\n");
    EXPECT_TRUE(runTool(args({"ports"}), environment)
                    .out.split(u'\n')
                    .contains(QStringLiteral("COM3  ") + unit.devicePath()));
    const ToolRun info = runTool(args({"info", "--id", "4", "--port", "3"}), environment);
    EXPECT_EQ(std::pair(info.code, info.err), std::pair(0, QString()));
    EXPECT_TRUE(info.out.startsWith(QStringLiteral(
        "MQX-T410 ID = 04\nPanel Lock = No\nInformation = MQX-T410 simulated unit")));
    EXPECT_EQ(info.out.section(u'\n', 2, 2).size(), 14 + 256);
    EXPECT_TRUE(logShows(dir.path("frames.log"), "recv (04bye"));
    const QString first = dir.path(QStringLiteral("first.mqx"));
    const QString sent = dir.path(QStringLiteral("sent.mqx"));
    ASSERT_EQ(on(unit, args({"download"}) << first).code, 0);
    ProgramRecord original{}, returned{};
    ASSERT_TRUE(LoadRecordFile(original, first));
    ProgramRecord edited = original;
    edited.out[2].level = 175;
    edited.geq_level[0][1] = 7;
    ASSERT_TRUE(SaveRecordFile(edited, sent));
    const ToolRun diff = on(unit, args({"diff"}) << sent);
    EXPECT_EQ(std::pair(diff.code, diff.out),
              std::pair(1, DiffRecords(edited, original).join(u'\n') + u'\n'));
    ASSERT_EQ(on(unit, args({"upload"}) << sent).code, 0);
    ASSERT_EQ(on(unit, args({"download"}) << first).code, 0);
    ASSERT_TRUE(LoadRecordFile(returned, first));
    EXPECT_EQ(EncodeRecordText(returned, RecordImage::Upload),
              EncodeRecordText(edited, RecordImage::Upload));
    // {verb, exit code, output, error}
    const std::tuple<QStringList, int, const char*, const char*> steps[] = {
        {args({"name", "Ha(ll"}), 0, "Program name was renewed.\n", ""},
        {args({"comment", "Sunday service"}), 0, "Program information was renewed.\n", ""},
        {args({"store", "new"}), 0, "Program store OK!\nProgramNo = 07\n", ""},
        {args({"protect", "7", "on"}), 0, "The program was done protection.\nProgramNo = 07\n", ""},
        {args({"lock", "7", "on"}), 0, "The program was locked and was recall.\nProgramNo = 07\n",
         ""},
        {args({"delete", "7"}), 1, "", "mqxtool: The program is protected.\nProgramNo = 07\n"},
        {args({"recall", "2"}), 0, "The program was recalled.\nProgramNo = 02\n", ""},
        {args({"recall", "20"}), 1, "",
         "mqxtool: The program of the number is not effective.\nProgramNo = 20\n"},
        {args({"delete", "4"}), 0, "The program was deleted.\nProgramNo = 04\n", ""},
        {args({"list"}), 1,
         " 01 :   :   :Speech...............\n 02 :   :   :Live Band............\n"
         " 03 :   : P :Theatre..............\n 04 : ( not used )\n"
         " 05 : L :   :Pink Noise Test......\n 06 :   :   :Stereo 2-Way.........\n"
         " 07 : L : P :Hall.................\n",
         "mqxtool: the list stopped at slot 08: it could not be read\n"},
    };
    for (const auto& [arguments, code, out, err] : steps) {
        const ToolRun r = on(unit, arguments);
        EXPECT_EQ((std::tuple{r.code, r.out, r.err}),
                  (std::tuple{code, QString::fromLatin1(out), QString::fromLatin1(err)}))
            << arguments.join(u' ').toStdString();
    }
    const QJsonObject seventh =
        QJsonDocument::fromJson(on(unit, args({"list", "--json"})).out.toLatin1())
            .array()[6]
            .toObject();
    EXPECT_EQ(std::tuple(seventh["name"].toString(), seventh["protected"].toBool(),
                         seventh["recall-locked"].toBool()),
              std::tuple("Hall" + QString(17, u'.'), true, true));
}

// Only the unit's own refusal keeps a slot without data; no answer or noise ends the verb.
TEST_F(UnitVerbs, BackupAndRestoreCarryTheSlotsOrSayWhereTheyStopped) {
    const SimProcess& source = start(args({"--no-pacing"}));
    const SimProcess& target = start(args({"--no-pacing"}), QStringLiteral("target.log"));
    // Two units with different contents: what the target held must not survive.
    change(source,
           {"name Elsewhere", "store 9", "protect 9 on", "lock 9 on", "delete 2", "recall 4"});
    change(target, {"protect 1 on", "lock 3 on", "store 12", "protect 12 on", "delete 5"});
    const QString saved = dir.path(QStringLiteral("saved"));
    const QString back = dir.path(QStringLiteral("back"));
    EXPECT_EQ(on(source, args({"backup", "--yes"}) << saved).code, 0);
    EXPECT_EQ(on(target, args({"restore", "--yes"}) << saved).code, 0);
    EXPECT_EQ(on(target, args({"backup", "--yes"}) << back).code, 0);
    const QStringList files = QDir(saved).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(QDir(back).entryList(QDir::Files, QDir::Name), files);
    for (const QString& file : files)
        EXPECT_EQ(readFile(saved + u'/' + file), readFile(back + u'/' + file))
            << file.toStdString();
    EXPECT_TRUE(readFile(saved + QStringLiteral("/manifest.json")).contains("\"protected\": true"));

    // {fault, verb, exit code, what the error says, what it does not say}
    const std::tuple<const char*, const char*, int, const char*, const char*> cases[] = {
        {"recall@6:error:17", "backup", 0, "slot 06 kept in the manifest without its data",
         "stopped"},
        {"recall@5:garbled", "backup", 1, "backup stopped at slot 05", "slot 06"},
        {"store@3:garbled", "restore", 1, "restore stopped at slot 03", "slot 04"},
    };
    for (const auto& [fault, verb, code, says, notSays] : cases) {
        SCOPED_TRACE(fault);
        const QString name = QString::fromLatin1(fault).replace(u':', u'-');
        const SimProcess& unit = start(args({"--no-pacing", "--fault", fault}), name + ".log");
        const bool backup = verb == QByteArrayView("backup");
        const QString folder = backup ? dir.path(name) : saved;
        const ToolRun r = on(unit, args({verb, "--yes"}) << folder);
        EXPECT_EQ(r.code, code);
        EXPECT_TRUE(r.err.contains(QLatin1StringView(says))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QLatin1StringView(notSays)));
        EXPECT_TRUE(code == 0 || r.out.isEmpty());
        if (!backup)
            continue;
        EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/slot-06.mqx")));
        // A backup cut short leaves no manifest; a refused slot is listed without a file.
        const QJsonObject sixth =
            QJsonDocument::fromJson(readFile(folder + QStringLiteral("/manifest.json")))
                .object()[QStringLiteral("slots")][5]
                .toObject();
        EXPECT_EQ(sixth[QStringLiteral("name")].toString().left(12),
                  code == 1 ? QString() : QStringLiteral("Stereo 2-Way"));
        EXPECT_TRUE(code == 1 || sixth[QStringLiteral("file")].isNull());
    }
}

} // namespace
} // namespace mqx::test
