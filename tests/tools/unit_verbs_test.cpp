// mqxtool's unit verbs in real time: the real serial code against mqx-sim on its
// pseudo-terminal, run as the operator runs them.

#include "core/program_record.h"
#include "program/program_file.h"
#include "program/record_text.h"
#include "test_paths.h"
#include "tool_verbs.h"
#include "unit_verbs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace mqx::test {
namespace {

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

class MqxSim {
public:
    explicit MqxSim(QStringList extra, const QString& log) {
        extra << QStringLiteral("--id") << QStringLiteral("4") << QStringLiteral("--log") << log;
        m_process.start(QStringLiteral(MQX_SIM_PATH), extra);
        if (!m_process.waitForStarted(10000))
            return;
        QByteArray line;
        while (!line.contains('\n') && m_process.waitForReadyRead(10000))
            line += m_process.readAllStandardOutput();
        m_path = QString::fromLatin1(line.trimmed());
    }
    ~MqxSim() {
        m_process.terminate();
        m_process.waitForFinished(10000);
    }
    QString path() const { return m_path; }
    // Killed by its PID, as a crash or a pulled cable would end it: no goodbye at all.
    void kill() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
    QString m_path;
};

ToolRun mqxtool(const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(MQXTOOL_PATH), arguments);
    ToolRun r;
    if (!tool.waitForFinished(90000))
        return r;
    r.code = tool.exitCode();
    r.out = QString::fromLatin1(tool.readAllStandardOutput());
    r.err = QString::fromLatin1(tool.readAllStandardError());
    return r;
}

// The simulator logs a frame once the line has been quiet after it; wait for it.
bool logShows(const QString& log, const QByteArray& wanted) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 3000) {
        QFile file(log);
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(wanted))
            return true;
        QThread::msleep(50);
    }
    return false;
}

class UnitVerbsTest : public ::testing::Test {
protected:
    QStringList unit(const QStringList& tail) const {
        return QStringList{QStringLiteral("--port"), sim->path(), QStringLiteral("--id"),
                           QStringLiteral("4")} +
               tail;
    }
    void start(const QStringList& faults = {}) {
        sim = std::make_unique<MqxSim>(faults, log);
        ASSERT_TRUE(sim->path().startsWith(QStringLiteral("/dev/"))) << "mqx-sim did not start";
    }

    ScratchDir dir;
    QString log = dir.path(QStringLiteral("frames.log"));
    std::unique_ptr<MqxSim> sim;
};

TEST_F(UnitVerbsTest, InfoPrintsTheUnitInEitherArgumentOrder) {
    start();
    for (const QStringList& arguments :
         {unit({QStringLiteral("info")}),
          QStringList{QStringLiteral("info"), QStringLiteral("--port"), sim->path(),
                      QStringLiteral("--id"), QStringLiteral("4")}}) {
        const ToolRun r = mqxtool(arguments);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        const QStringList lines = r.out.split(u'\n');
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines[0], QStringLiteral("MQX-T410 ID = 04"));
        EXPECT_EQ(lines[1], QStringLiteral("Panel Lock = No"));
        EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Information = MQX-T410 simulated unit")));
        EXPECT_EQ(lines[2].size(), 14 + 256);
    }
    EXPECT_TRUE(logShows(log, "recv (04bye"));
}

TEST_F(UnitVerbsTest, ComNumbersOpenTheDevicesTheControllerWasGiven) {
    start();
    // The controller's Ports dialog wrote COM3 into its settings; mqxtool lists and uses it.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path(QStringLiteral("config")));
    QDir().mkpath(dir.path(QStringLiteral("config/mqx-controller")));
    QFile ini(dir.path(QStringLiteral("config/mqx-controller/mqx-controller.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Ports]\nCOM3=" + sim->path().toLocal8Bit() + "\nCOM4=/dev/mqx-test-gone\n");
    ini.close();

    const ToolRun ports = mqxtool({QStringLiteral("ports")}, environment);
    EXPECT_EQ(ports.code, 0) << ports.err.toStdString();
    const QStringList lines = ports.out.split(u'\n');
    EXPECT_TRUE(lines.contains(QStringLiteral("COM3  ") + sim->path())) << ports.out.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("COM4  /dev/mqx-test-gone (not found)")));

    const ToolRun info =
        mqxtool({QStringLiteral("--port"), QStringLiteral("3"), QStringLiteral("--id"),
                 QStringLiteral("4"), QStringLiteral("info")},
                environment);
    EXPECT_EQ(info.code, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.startsWith(QStringLiteral("MQX-T410 ID = 04\n")));
}

TEST_F(UnitVerbsTest, UploadThenDownloadGivesBackTheSameProgram) {
    start();
    const QString first = dir.path(QStringLiteral("first.mqx"));
    ToolRun r = mqxtool(unit({QStringLiteral("download"), first}));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    ProgramRecord edited{};
    ASSERT_TRUE(LoadRecordFile(edited, first));
    std::memcpy(edited.name.data(), "FROM MQXTOOL", 12);
    edited.out[3].delay = 4800;
    edited.geq_level[0][1] = 7;
    const QString sent = dir.path(QStringLiteral("sent.mqx"));
    ASSERT_TRUE(SaveRecordFile(edited, sent));
    r = mqxtool(unit({QStringLiteral("upload"), sent}));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    const QString back = dir.path(QStringLiteral("back.mqx"));
    r = mqxtool({QStringLiteral("download"), back, QStringLiteral("--id"), QStringLiteral("4"),
                 QStringLiteral("--port"), sim->path()});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    ProgramRecord returned{};
    ASSERT_TRUE(LoadRecordFile(returned, back));
    EXPECT_EQ(EncodeRecordText(returned, RecordImage::Upload),
              EncodeRecordText(edited, RecordImage::Upload));
}

TEST_F(UnitVerbsTest, AUnitThatDoesNotAnswerFailsWithTheControllersMessage) {
    start({QStringLiteral("--fault"), QStringLiteral("hello:silent")});
    const ToolRun r = mqxtool(unit({QStringLiteral("info")}));
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QStringLiteral("mqxtool: Cannot connect MQX-T410(ID=4)\n"));
}

TEST_F(UnitVerbsTest, ARefusedDownloadWritesNoFileAndStillSaysBye) {
    start({QStringLiteral("--fault"), QStringLiteral("pdatget:error:30")});
    const QString file = dir.path(QStringLiteral("never.mqx"));
    const ToolRun r = mqxtool(unit({QStringLiteral("download"), file}));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, QStringLiteral("mqxtool: There was injustice data in the data that "
                                    "received it.\nMQX-T410 ID = 04\n"));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(logShows(log, "recv (04bye"));
}

TEST_F(UnitVerbsTest, ALostLineEndsTheVerbAtOnceNamingThePort) {
    // A unit slow to send its program, so that the line goes in the middle of it.
    start({QStringLiteral("--fault"), QStringLiteral("pdatget:bursts:900")});
    const QString file = dir.path(QStringLiteral("never.mqx"));
    QProcess tool;
    tool.start(QStringLiteral(MQXTOOL_PATH), unit({QStringLiteral("download"), file}));
    ASSERT_TRUE(logShows(log, "recv (04Q000"));
    QThread::msleep(200);
    QElapsedTimer sinceLoss;
    sinceLoss.start();
    sim->kill();
    ASSERT_TRUE(tool.waitForFinished(15000));
    const qint64 endedMs = sinceLoss.elapsed();
    EXPECT_LE(endedMs, 1000);
    EXPECT_EQ(tool.exitCode(), 1);
    const QString err = QString::fromLatin1(tool.readAllStandardError());
    EXPECT_EQ(
        err, QStringLiteral("mqxtool: Connection lost on %1. MQX-T410 ID = 04\n").arg(sim->path()));
    EXPECT_FALSE(QFile::exists(file));
    std::printf("mqxtool ended %lld ms after mqx-sim was killed\n",
                static_cast<long long>(endedMs));
}

TEST(UnitVerbArguments, AreCheckedBeforeAnyPortIsOpened) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const auto run = [&](QStringList arguments) {
        arguments.prepend(QStringLiteral("mqxtool"));
        err.clear();
        return tool::run(arguments, o, e);
    };
    EXPECT_EQ(run({QStringLiteral("--id"), QStringLiteral("4"), QStringLiteral("info")}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("--port"))) << err.toStdString();
    EXPECT_EQ(run({QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("--id"),
                   QStringLiteral("100"), QStringLiteral("info")}),
              2);
    EXPECT_EQ(run({QStringLiteral("--port"), QStringLiteral("./info"), QStringLiteral("--id"),
                   QStringLiteral("3"), QStringLiteral("upload")}),
              2)
        << "a port named like a verb is still the port; upload wants a FILE";
    EXPECT_TRUE(err.contains(QStringLiteral("FILE"))) << err.toStdString();
    ScratchDir dir;
    EXPECT_EQ(
        run({QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("--id"),
             QStringLiteral("3"), QStringLiteral("upload"), dir.path(QStringLiteral("no.mqx"))}),
        1)
        << "a missing file fails before the port is opened";
    EXPECT_TRUE(err.contains(QStringLiteral("no.mqx"))) << err.toStdString();
}

TEST(UnitVerbArguments, PortForms) {
    struct Row {
        const char* given;
        const char* opened;
    };
    for (const Row& row :
         {Row{"1", "1"}, Row{"4", "4"}, Row{"COM3", "3"}, Row{"com2", "2"}, Row{" 2 ", "2"},
          Row{"ttyUSB0", "/dev/ttyUSB0"}, Row{"rfcomm1", "/dev/rfcomm1"},
          Row{"/dev/pts/7", "/dev/pts/7"}, Row{"./port", "./port"}})
        EXPECT_EQ(tool::PortText(QString::fromLatin1(row.given)), QString::fromLatin1(row.opened))
            << row.given;
}

// Each refused option is a usage error before any port is opened (no port in the table
// exists, so an attempt to open one would end in exit code 1, not 2).
TEST(UnitVerbArguments, RefusedOptionsAreUsageErrors) {
    struct Row {
        const char* option;
        const char* value;
        const char* says;
    };
    const Row rows[] = {
        {"--port", "5", "COM1..COM4"},
        {"--port", "0", "COM1..COM4"},
        {"--port", "COM5", "COM1..COM4"},
        {"--port", "abc", "ttyUSB0"},
        {"--port", "", "ttyUSB0"},
        {"--port", "ttyUSB", "ttyUSB0"},
        {"--port", "-1", "COM1..COM4"},
        {"--limit", "0", "1 to 3600"},
        {"--limit", "3601", "1 to 3600"},
        {"--limit", "3000000", "1 to 3600"},
        {"--limit", "-2", "1 to 3600"},
        {"--limit", "ten", "1 to 3600"},
        {"--limit", "99999999999", "1 to 3600"},
    };
    for (const Row& row : rows) {
        QStringList arguments{QStringLiteral("--port"), QStringLiteral("/nonexistent/port"),
                              QStringLiteral("--id"), QStringLiteral("4"), QStringLiteral("info")};
        const qsizetype at = arguments.indexOf(QLatin1StringView(row.option));
        if (at >= 0)
            arguments[at + 1] = QString::fromLatin1(row.value);
        else
            arguments << QString::fromLatin1(row.option) << QString::fromLatin1(row.value);
        arguments.prepend(QStringLiteral("mqxtool"));
        QString out, err;
        QTextStream o(&out), e(&err);
        EXPECT_EQ(tool::run(arguments, o, e), 2) << row.option << ' ' << row.value;
        EXPECT_EQ(err.count(u'\n'), 1) << row.option << ' ' << row.value;
        EXPECT_TRUE(err.contains(QLatin1StringView(row.says)))
            << row.option << ' ' << row.value << ": " << err.toStdString();
    }
}

// The program verbs on a unit answering at once (the wire's pace is the benchmark's).
class ProgramVerbsTest : public UnitVerbsTest {
protected:
    ToolRun on(const MqxSim& unit, QStringList tail) const {
        return mqxtool(QStringList{QStringLiteral("--port"), unit.path(), QStringLiteral("--id"),
                                   QStringLiteral("4")} +
                       tail);
    }
    static QStringList args(std::initializer_list<const char*> words) {
        QStringList list;
        for (const char* w : words)
            list << QString::fromLatin1(w);
        return list;
    }
};

TEST_F(ProgramVerbsTest, EachVerbPrintsTheUnitsOwnTextAndFailsOnARefusal) {
    MqxSim unit({QStringLiteral("--no-pacing"), QStringLiteral("--fault"),
                 QStringLiteral("pinfget@8:garbled")},
                log);
    ASSERT_FALSE(unit.path().isEmpty());
    struct Step {
        QStringList arguments;
        int code;
        const char* out;
        const char* err;
    };
    const Step steps[] = {
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
        {args({"store", "51"}), 2, "",
         "mqxtool: expected one SLOT from 1 to 50, or new; see --help\n"},
        {args({"list"}), 1,
         " 01 :   :   :Speech...............\n 02 :   :   :Live Band............\n"
         " 03 :   : P :Theatre..............\n 04 : ( not used )\n"
         " 05 : L :   :Pink Noise Test......\n 06 :   :   :Stereo 2-Way.........\n"
         " 07 : L : P :Hall.................\n",
         "mqxtool: the list stopped at slot 08: it could not be read\n"},
    };
    for (const Step& step : steps) {
        const ToolRun r = on(unit, step.arguments);
        EXPECT_EQ(r.code, step.code) << step.arguments.join(u' ').toStdString();
        EXPECT_EQ(r.out, QString::fromLatin1(step.out)) << step.arguments.join(u' ').toStdString();
        EXPECT_EQ(r.err, QString::fromLatin1(step.err)) << step.arguments.join(u' ').toStdString();
    }
    const ToolRun json = on(unit, args({"list", "--json"}));
    const QJsonArray listed = QJsonDocument::fromJson(json.out.toLatin1()).array();
    ASSERT_EQ(listed.size(), 7);
    const QJsonObject seventh = listed[6].toObject();
    EXPECT_EQ(seventh.value(QStringLiteral("name")).toString(),
              QStringLiteral("Hall") + QString(17, u'.'));
    EXPECT_TRUE(seventh.value(QStringLiteral("comment"))
                    .toString()
                    .startsWith(QStringLiteral("Sunday service...")));
    EXPECT_TRUE(seventh.value(QStringLiteral("protected")).toBool());
    EXPECT_TRUE(seventh.value(QStringLiteral("recall-locked")).toBool());
    EXPECT_FALSE(listed[3].toObject().value(QStringLiteral("used")).toBool());
}

TEST_F(ProgramVerbsTest, BackupThenRestoreOntoAnotherUnitGivesTheSameSlots) {
    MqxSim source({QStringLiteral("--no-pacing")}, log);
    MqxSim target({QStringLiteral("--no-pacing")}, dir.path(QStringLiteral("target.log")));
    ASSERT_FALSE(source.path().isEmpty());
    ASSERT_FALSE(target.path().isEmpty());
    // Two units with different contents: what the target held must not survive.
    for (const QStringList& change :
         {args({"name", "Only here"}), args({"store", "9"}), args({"protect", "9", "on"}),
          args({"lock", "9", "on"}), args({"delete", "2"}), args({"recall", "4"})})
        ASSERT_EQ(on(source, change).code, 0) << change.join(u' ').toStdString();
    for (const QStringList& change :
         {args({"protect", "1", "on"}), args({"lock", "3", "on"}), args({"store", "12"}),
          args({"protect", "12", "on"}), args({"delete", "5"})})
        ASSERT_EQ(on(target, change).code, 0) << change.join(u' ').toStdString();

    const QString saved = dir.path(QStringLiteral("saved"));
    ToolRun r = on(source, args({"backup"}) << saved);
    EXPECT_EQ(r.code, 2) << "not without --yes";
    EXPECT_TRUE(r.err.contains(QStringLiteral("outputs change")));
    EXPECT_FALSE(QDir(saved).exists());

    r = on(source, args({"backup", "--yes"}) << saved);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    r = on(target, args({"restore", "--yes"}) << saved);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();

    // The target read back the same way: every slot with data, byte for byte.
    const QString back = dir.path(QStringLiteral("back"));
    r = on(target, args({"backup", "--yes"}) << back);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList files = QDir(saved).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(QDir(back).entryList(QDir::Files, QDir::Name), files);
    for (const QString& file : files)
        EXPECT_EQ(readFile(saved + u'/' + file), readFile(back + u'/' + file))
            << file.toStdString();
    EXPECT_TRUE(readFile(saved + QStringLiteral("/manifest.json")).contains("\"protected\": true"));
}

TEST_F(ProgramVerbsTest, ASlotTheUnitWillNotRecallIsKeptWithoutData) {
    MqxSim unit({QStringLiteral("--no-pacing"), QStringLiteral("--fault"),
                 QStringLiteral("recall@6:error:17")},
                log);
    const QString saved = dir.path(QStringLiteral("saved"));
    const ToolRun r = on(unit, args({"backup", "--yes"}) << saved);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("The program of the number is not effective.[Special]\nProgramNo = 06")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("slot 06 kept in the manifest without its data")));
    EXPECT_FALSE(QFile::exists(saved + QStringLiteral("/slot-06.mqx")));
    const QJsonObject sixth =
        QJsonDocument::fromJson(readFile(saved + QStringLiteral("/manifest.json")))
            .object()
            .value(QStringLiteral("slots"))
            .toArray()[5]
            .toObject();
    EXPECT_TRUE(
        sixth.value(QStringLiteral("name")).toString().startsWith(QStringLiteral("Stereo 2-Way")));
    EXPECT_TRUE(sixth.value(QStringLiteral("file")).isNull());
}

TEST_F(ProgramVerbsTest, ABackupCutShortByASilentOrGarbledRecallSaysWhereAndWritesNoManifest) {
    // Only the unit's own refusal keeps a slot without data; no answer or noise ends it.
    for (const char* fault : {"recall@5:silent", "recall@5:garbled"}) {
        MqxSim unit(
            {QStringLiteral("--no-pacing"), QStringLiteral("--fault"), QString::fromLatin1(fault)},
            log);
        const QString saved = dir.path(QString::fromLatin1(fault).replace(u':', u'-'));
        const ToolRun r = on(unit, args({"backup", "--yes"}) << saved);
        EXPECT_EQ(r.code, 1) << fault;
        EXPECT_TRUE(r.err.contains(QStringLiteral("backup stopped at slot 05")))
            << fault << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("slot 06"))) << fault;
        EXPECT_FALSE(QFile::exists(saved + QStringLiteral("/manifest.json"))) << fault;
        EXPECT_TRUE(r.out.isEmpty()) << fault;
    }
}

TEST_F(ProgramVerbsTest, ARestoreCutShortByASilentUnitSaysWhereAndGoesNoFurther) {
    MqxSim source({QStringLiteral("--no-pacing")}, log);
    MqxSim target({QStringLiteral("--no-pacing"), QStringLiteral("--fault"),
                   QStringLiteral("store@3:silent")},
                  dir.path(QStringLiteral("target.log")));
    const QString saved = dir.path(QStringLiteral("saved"));
    ASSERT_EQ(on(source, args({"backup", "--yes"}) << saved).code, 0);
    const ToolRun r = on(target, args({"restore", "--yes"}) << saved);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("restore stopped at slot 03")))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("slot 04"))) << "nothing is tried after the loss";
    EXPECT_TRUE(r.out.isEmpty());
}

} // namespace
} // namespace mqx::test
