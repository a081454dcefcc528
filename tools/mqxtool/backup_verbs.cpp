#include "backup_verbs.h"

#include "core/session.h"
#include "link/error_text.h"
#include "link/link_engine.h"
#include "outcome_prompts.h"
#include "program/program_file.h"
#include "program/program_list_procedure.h"
#include "program/program_list_text.h"
#include "program/program_outcome.h"
#include "program/program_transfer.h"
#include "unit_link.h"
#include "unit_verbs.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <map>
#include <optional>

namespace mqx::tool {
namespace {

const QString kManifest = QStringLiteral("manifest.json");
const QString kCurrent = QStringLiteral("current.mqx");

QString slotFile(int n) {
    return QStringLiteral("slot-%1.mqx").arg(TwoDigits(n));
}

struct Setup {
    UnitOptions unit;
    QDir dir;
};

bool readSetup(const QCommandLineParser& parser, QTextStream& err, const char* verb, Setup& s) {
    if (!readUnitOptions(parser, err, s.unit))
        return false;
    const QStringList rest = parser.positionalArguments();
    if (rest.size() != 1) {
        err << "mqxtool: expected one DIR argument; see --help" << Qt::endl;
        return false;
    }
    if (!parser.isSet(QStringLiteral("yes"))) {
        err << "mqxtool: " << verb
            << " recalls programs on the unit, so its outputs change while it runs; "
               "run it again with --yes when the unit may be used so"
            << Qt::endl;
        return false;
    }
    s.dir = QDir(rest.first());
    return true;
}

QString field(const char* data, int width) {
    return QString::fromLatin1(data, width);
}

// One slot of the manifest.
struct SlotEntry {
    int slot = 0;
    bool used = false;
    QString name;
    QString comment;
    bool isProtected = false;
    bool recallLocked = false;
    QString file; // empty when the data could not be read
};

bool writeManifest(const QDir& dir, int unitId, const std::vector<SlotEntry>& entries) {
    QJsonArray list;
    for (const SlotEntry& e : entries) {
        QJsonObject o{{QStringLiteral("slot"), e.slot}, {QStringLiteral("used"), e.used}};
        if (e.used) {
            o.insert(QStringLiteral("name"), e.name);
            o.insert(QStringLiteral("comment"), e.comment);
            o.insert(QStringLiteral("protected"), e.isProtected);
            o.insert(QStringLiteral("recall-locked"), e.recallLocked);
            o.insert(QStringLiteral("file"), e.file.isEmpty() ? QJsonValue() : QJsonValue(e.file));
        }
        list.append(o);
    }
    const QJsonObject root{{QStringLiteral("unit"), unitId},
                           {QStringLiteral("current"), kCurrent},
                           {QStringLiteral("slots"), list}};
    QSaveFile file(dir.filePath(kManifest));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(root).toJson(QJsonDocument::Indented));
    return file.commit();
}

// The slot-by-slot steps on a greeted unit, each judged the way the dialogs judge them.
class Steps {
public:
    Steps(UnitLink& unit, QTextStream& err) : m_unit(unit), m_err(err) {}

    // The command's outcome as the dialogs show it; true for success.
    bool run(int command, ProgramAction action, int slot) {
        LinkEngine& engine = m_unit.engine();
        engine.setProgramArg(slot);
        engine.arguments().ArgCode = engine.arguments().ProgramArg;
        const bool answered = m_unit.exchange(command);
        const ReplyCheck check = engine.CheckReply(command);
        m_refused = answered && check.kind() == ReplyCheck::Kind::UnitError;
        const ProgramMessage m = ProgramOutcome(action, answered, check, slot);
        if (!m.success)
            m_err << "mqxtool: " << m.text << Qt::endl;
        return m.success;
    }
    // Whether the last failed run was the unit saying no, rather than no answer or noise.
    bool refused() const { return m_refused; }
    // The unit's current program into record 0.
    bool download(int slot) {
        LinkEngine& engine = m_unit.engine();
        engine.setProgramArg(0);
        const bool answered = m_unit.exchange(CmdPdatget);
        const ReplyCheck check = engine.CheckReply(CmdPdatget);
        if (answered && check.isMatch() && DownloadCurrent(engine, m_unit.session()))
            return true;
        m_err << "mqxtool: "
              << ProgramOutcome(ProgramAction::Download, answered && !check.isMatch(), check, slot)
                     .text
              << Qt::endl;
        return false;
    }
    bool upload(const ProgramRecord& record) {
        LinkEngine& engine = m_unit.engine();
        engine.setProgramArg(0);
        const QByteArray data = EncodeUpload(record);
        engine.arguments().ArgData = data;
        const bool answered = m_unit.exchange(CmdPdatset);
        const ReplyCheck check = engine.CheckReply(CmdPdatset);
        if (answered && check.isMatch())
            return true;
        m_err << "mqxtool: the program could not be sent: "
              << (answered ? ErrorText(check.code()) : QStringLiteral("no answer")) << Qt::endl;
        return false;
    }
    // Store the current program into `slot`; true when the unit stored it there.
    bool store(int slot) { return run(CmdStore, ProgramAction::Store, slot); }

private:
    UnitLink& m_unit;
    QTextStream& m_err;
    bool m_refused = false;
};

bool readList(UnitLink& unit, Prompts& prompts) {
    ProgramListProcedure list(unit.session(), unit.engine(), prompts, unit.timers());
    bool complete = false;
    list.setStateCallback([&](int) {
        using Phase = ProgramListProcedure::Phase;
        if (list.phase() == Phase::Ready || list.phase() == Phase::Stopped) {
            complete = list.phase() == Phase::Ready;
            list.exit();
        }
    });
    list.start();
    unit.run(list);
    if (!complete && !unit.lineLost() && !unit.timedOut())
        prompts.message(
            {}, QStringLiteral("the list stopped at slot %1").arg(TwoDigits(list.slotsRead() + 1)),
            PromptIcon::Exclamation);
    return complete;
}

// Puts the program the unit played back: recalled from the slot it came from, when that
// still holds it, so the unit shows the same number, then its data sent over.
bool putBack(Steps& steps, UnitLink& unit, const ProgramRecord& current) {
    const int origin = current.program_number;
    if (origin >= 1 && origin <= kProgramSlots && unit.session().Record(origin).empty_flag == 0)
        steps.run(CmdRecall, ProgramAction::Recall, origin);
    return steps.upload(current);
}

int finish(UnitLink& unit, OutcomePrompts& prompts, const UnitOptions& options, bool ok,
           QTextStream& err) {
    prompts.setQuiet(true);
    const bool farewell = unit.disconnect();
    if (unit.lineLost())
        err << "mqxtool: " << unit.lostText().replace(QLatin1Char('\n'), QLatin1Char(' '))
            << Qt::endl;
    if (unit.timedOut())
        err << "mqxtool: the unit did not finish within " << options.limitMs / 1000 << " s"
            << Qt::endl;
    return ok && farewell ? 0 : 1;
}

} // namespace

void addBackupOptions(QCommandLineParser& parser) {
    addUnitOptions(parser);
    parser.addOption({QStringLiteral("yes"),
                      QStringLiteral("Go ahead although the unit's outputs change meanwhile.")});
}

int runBackup(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    Setup s;
    if (!readSetup(parser, err, "backup", s))
        return 2;
    if (!s.dir.mkpath(QStringLiteral("."))) {
        err << "mqxtool: " << s.dir.path() << ": cannot be made" << Qt::endl;
        return 1;
    }
    OutcomePrompts prompts(out, err);
    prompts.setQuiet(true);
    UnitLink unit(prompts, s.unit.limitMs);
    if (!unit.connect(s.unit.port, s.unit.unitId))
        return finish(unit, prompts, s.unit, false, err);
    Steps steps(unit, err);
    Session& session = unit.session();

    if (!steps.download(0))
        return finish(unit, prompts, s.unit, false, err);
    const ProgramRecord current = session.CurrentRecord();
    if (FileResult saved = SaveProgramFile(session, s.dir.filePath(kCurrent)); !saved) {
        err << "mqxtool: " << kCurrent << ": " << saved.error << Qt::endl;
        return finish(unit, prompts, s.unit, false, err);
    }
    if (!readList(unit, prompts))
        return finish(unit, prompts, s.unit, false, err);

    std::vector<SlotEntry> entries;
    int used = 0;
    for (int n = 1; n <= kProgramSlots; ++n)
        used += session.Record(n).empty_flag == 0 ? 1 : 0;
    int done = 0;
    bool ok = true;
    for (int n = 1; n <= kProgramSlots && ok; ++n) {
        const ProgramRecord header = session.Record(n);
        SlotEntry e;
        e.slot = n;
        e.used = header.empty_flag == 0;
        if (e.used) {
            e.name = field(header.name.data(), kNameLength);
            e.comment = field(header.comment.data(), kCommentLength);
            e.isProtected = header.write_enable == 0;
            e.recallLocked = header.recall_lock != 0;
            ++done;
            err << "backup: slot " << TwoDigits(n) << " (" << done << " of " << used << ")"
                << Qt::endl;
            const bool recalled = steps.run(CmdRecall, ProgramAction::Recall, n);
            if (!recalled && !steps.refused()) {
                // No answer is not a refusal: the slots after it cannot be trusted either.
                err << "mqxtool: backup stopped at slot " << TwoDigits(n) << Qt::endl;
                ok = false;
            } else if (!recalled) {
                err << "mqxtool: slot " << TwoDigits(n) << " kept in the manifest without its data"
                    << Qt::endl;
            } else if (!steps.download(n)) {
                err << "mqxtool: backup stopped at slot " << TwoDigits(n) << Qt::endl;
                ok = false;
            } else if (FileResult saved = SaveProgramFile(session, s.dir.filePath(slotFile(n)));
                       !saved) {
                err << "mqxtool: " << slotFile(n) << ": " << saved.error
                    << "; backup stopped at slot " << TwoDigits(n) << Qt::endl;
                ok = false;
            } else {
                e.file = slotFile(n);
            }
        }
        entries.push_back(e);
    }
    const bool restored = putBack(steps, unit, current);
    if (!restored)
        err << "mqxtool: the unit's current program could not be put back; it is in "
            << s.dir.filePath(kCurrent) << Qt::endl;
    if (ok && !writeManifest(s.dir, s.unit.unitId, entries)) {
        err << "mqxtool: " << kManifest << ": cannot be written" << Qt::endl;
        ok = false;
    }
    if (ok)
        out << "backup of " << used << " programs in " << s.dir.path() << Qt::endl;
    return finish(unit, prompts, s.unit, ok && restored, err);
}

namespace {

struct Backup {
    ProgramRecord current{};
    std::map<int, SlotEntry> entries;
    std::map<int, ProgramRecord> data;
};

std::optional<Backup> loadBackup(const QDir& dir, QTextStream& err) {
    QFile file(dir.filePath(kManifest));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "mqxtool: " << file.fileName() << ": cannot be read" << Qt::endl;
        return std::nullopt;
    }
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    Backup b;
    if (FileResult loaded = LoadRecordFile(b.current, dir.filePath(kCurrent)); !loaded) {
        err << "mqxtool: " << kCurrent << ": " << loaded.error << Qt::endl;
        return std::nullopt;
    }
    const QJsonArray list = root.value(QStringLiteral("slots")).toArray();
    if (list.size() != kProgramSlots) {
        err << "mqxtool: " << kManifest << ": expected " << kProgramSlots << " entries" << Qt::endl;
        return std::nullopt;
    }
    for (const QJsonValue& v : list) {
        const QJsonObject o = v.toObject();
        SlotEntry e;
        e.slot = o.value(QStringLiteral("slot")).toInt();
        e.used = o.value(QStringLiteral("used")).toBool();
        e.isProtected = o.value(QStringLiteral("protected")).toBool();
        e.recallLocked = o.value(QStringLiteral("recall-locked")).toBool();
        e.file = o.value(QStringLiteral("file")).toString();
        if (e.slot < 1 || e.slot > kProgramSlots || b.entries.count(e.slot) != 0) {
            err << "mqxtool: " << kManifest << ": a slot number is wrong or twice" << Qt::endl;
            return std::nullopt;
        }
        if (e.used && !e.file.isEmpty()) {
            ProgramRecord r{};
            if (FileResult loaded = LoadRecordFile(r, dir.filePath(e.file)); !loaded) {
                err << "mqxtool: " << e.file << ": " << loaded.error << Qt::endl;
                return std::nullopt;
            }
            b.data[e.slot] = r;
        }
        b.entries[e.slot] = e;
    }
    return b;
}

} // namespace

int runRestore(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    Setup s;
    if (!readSetup(parser, err, "restore", s))
        return 2;
    // Everything is read before the unit is touched: a bad backup changes nothing.
    const std::optional<Backup> backup = loadBackup(s.dir, err);
    if (!backup)
        return 1;
    OutcomePrompts prompts(out, err);
    prompts.setQuiet(true);
    UnitLink unit(prompts, s.unit.limitMs);
    if (!unit.connect(s.unit.port, s.unit.unitId) || !readList(unit, prompts))
        return finish(unit, prompts, s.unit, false, err);
    Steps steps(unit, err);
    Session& session = unit.session();

    bool ok = true;
    int n = 1;
    for (; n <= kProgramSlots && ok; ++n) {
        const SlotEntry& e = backup->entries.at(n);
        const ProgramRecord there = session.Record(n);
        const bool usedThere = there.empty_flag == 0;
        if (e.used && e.file.isEmpty()) {
            err << "mqxtool: slot " << TwoDigits(n) << " has no data in the backup; left as it is"
                << Qt::endl;
            continue;
        }
        if (!e.used && !usedThere)
            continue;
        err << "restore: slot " << TwoDigits(n) << Qt::endl;
        // A protected slot takes neither a store nor a delete.
        if (usedThere && there.write_enable == 0)
            ok = steps.run(CmdPprtEnable, ProgramAction::ProtectionClear, n);
        if (ok && !e.used) {
            ok = steps.run(CmdPgdell, ProgramAction::Delete, n);
            if (ok)
                session.Record(n).empty_flag = 255;
            continue;
        }
        ok = ok && steps.upload(backup->data.at(n)) && steps.store(n);
        if (ok && e.isProtected)
            ok = steps.run(CmdPprtDisable, ProgramAction::ProtectionSet, n);
        // Whatever a store does to the lock, the slot ends as the backup has it.
        if (ok)
            ok = steps.run(
                e.recallLocked ? CmdRcallrDisable : CmdRcallrEnable,
                e.recallLocked ? ProgramAction::RecallLockSet : ProgramAction::RecallLockClear, n);
        if (ok)
            session.Record(n).empty_flag = 0;
    }
    if (!ok)
        err << "mqxtool: restore stopped at slot " << TwoDigits(n - 1) << Qt::endl;
    const bool restored = ok && putBack(steps, unit, backup->current);
    if (restored)
        out << "restored " << s.dir.path() << Qt::endl;
    return finish(unit, prompts, s.unit, restored, err);
}

} // namespace mqx::tool
