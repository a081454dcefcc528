#include "program_verbs.h"

#include "core/program_table.h"
#include "outcome_prompts.h"
#include "program/program_list_procedure.h"
#include "program/program_list_text.h"
#include "program/program_store_procedure.h"
#include "program/program_text_procedure.h"
#include "unit_link.h"
#include "unit_verbs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace mqx::tool {
namespace {

struct Arguments {
    UnitOptions unit;
    int slot = 0; // store: 0 = new
    bool on = false;
    QString text;
};

bool usage(QTextStream& err, const char* what) {
    err << "mqxtool: " << what << "; see --help" << Qt::endl;
    return false;
}

bool readSlot(const QString& text, int lowest, int& slot) {
    bool ok = false;
    slot = text.toInt(&ok);
    return ok && slot >= lowest && slot <= kProgramSlots;
}

bool readArguments(ProgramVerb verb, const QCommandLineParser& parser, QTextStream& err,
                   Arguments& a) {
    if (!readUnitOptions(parser, err, a.unit))
        return false;
    const QStringList rest = parser.positionalArguments();
    switch (verb) {
    case ProgramVerb::List:
        return rest.isEmpty() || usage(err, "list takes no arguments");
    case ProgramVerb::Recall:
    case ProgramVerb::Delete:
        if (rest.size() != 1 || !readSlot(rest[0], 1, a.slot))
            return usage(err, "expected one SLOT from 1 to 50");
        return true;
    case ProgramVerb::Store:
        if (rest.size() == 1 &&
            rest[0].compare(QLatin1StringView("new"), Qt::CaseInsensitive) == 0) {
            a.slot = 0;
            return true;
        }
        if (rest.size() != 1 || !readSlot(rest[0], 1, a.slot))
            return usage(err, "expected one SLOT from 1 to 50, or new");
        return true;
    case ProgramVerb::Protect:
    case ProgramVerb::Lock:
        if (rest.size() != 2 || !readSlot(rest[0], 1, a.slot) ||
            (rest[1] != QLatin1StringView("on") && rest[1] != QLatin1StringView("off")))
            return usage(err, "expected SLOT (1 to 50) and on or off");
        a.on = rest[1] == QLatin1StringView("on");
        return true;
    case ProgramVerb::Name:
    case ProgramVerb::Comment:
        if (rest.size() != 1)
            return usage(err, "expected one TEXT argument (quote it when it holds spaces)");
        a.text = rest[0];
        return true;
    }
    return false;
}

// Reads the list; false when the reading stopped (the lines read stay in the session).
bool readList(UnitLink& unit, Prompts& prompts, int& read) {
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
    const bool ended = unit.run(list);
    read = list.slotsRead();
    return ended && complete;
}

// One action of the list on one slot; true when it went through.
bool listAction(UnitLink& unit, OutcomePrompts& prompts, ProgramVerb verb, const Arguments& a) {
    ProgramListProcedure list(unit.session(), unit.engine(), prompts, unit.timers());
    list.start(false);
    const int failuresBefore = prompts.failures();
    bool started = false;
    switch (verb) {
    case ProgramVerb::Recall:
        started = list.recall(a.slot);
        break;
    case ProgramVerb::Delete:
        started = list.remove(a.slot);
        break;
    case ProgramVerb::Protect:
        started = list.protect(a.slot, a.on ? 0 : 255);
        break;
    case ProgramVerb::Lock:
        started = list.lock(a.slot, a.on ? 255 : 0);
        break;
    default:
        break;
    }
    if (!started)
        return false;
    const bool settled = unit.waitUntil(list, [&list] { return !list.isBusy(); });
    list.exit();
    unit.run(list);
    return settled && prompts.failures() == failuresBefore;
}

bool store(UnitLink& unit, OutcomePrompts& prompts, int slot) {
    ProgramStoreProcedure store(unit.session(), unit.engine(), prompts, unit.timers());
    store.start();
    if (!unit.waitUntil(store, [&store] { return !store.isBusy(); }))
        return false;
    store.choose(slot);
    if (!unit.waitUntil(store, [&store] { return !store.isBusy(); }))
        return false;
    store.storeExec();
    unit.run(store);
    return store.stored();
}

bool editText(UnitLink& unit, OutcomePrompts& prompts, ProgramVerb verb, const QString& text) {
    ProgramTextProcedure edit(verb == ProgramVerb::Name ? ProgramTextKind::Name
                                                        : ProgramTextKind::Information,
                              unit.session(), unit.engine(), prompts, unit.timers());
    edit.ok(text);
    return unit.run(edit);
}

QString fieldText(const std::array<char, kNameLength>& field) {
    return QString::fromLatin1(field.data(), kNameLength);
}
QString fieldText(const std::array<char, kCommentLength>& field) {
    return QString::fromLatin1(field.data(), kCommentLength);
}

} // namespace

QByteArray ProgramListJson(const ProgramTable& programs, int count) {
    QJsonArray list;
    for (int n = 1; n <= count; ++n) {
        const ProgramRecord& r = programs.Record(n);
        const bool used = r.empty_flag == 0;
        QJsonObject slot{{QStringLiteral("slot"), n}, {QStringLiteral("used"), used}};
        if (used) {
            slot.insert(QStringLiteral("name"), fieldText(r.name));
            slot.insert(QStringLiteral("comment"), fieldText(r.comment));
            slot.insert(QStringLiteral("protected"), r.write_enable == 0);
            slot.insert(QStringLiteral("recall-locked"), r.recall_lock != 0);
        }
        list.append(slot);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

void addProgramOptions(QCommandLineParser& parser) {
    addUnitOptions(parser);
}

int runProgramVerb(ProgramVerb verb, const QCommandLineParser& parser, QTextStream& out,
                   QTextStream& err) {
    Arguments a;
    if (!readArguments(verb, parser, err, a))
        return 2;
    OutcomePrompts prompts(out, err);
    // Only the operation's own outcome is printed, not the greeting's or the goodbye's.
    prompts.setQuiet(true);
    UnitLink unit(prompts, a.unit.limitMs);
    bool ok = unit.connect(a.unit.port, a.unit.unitId);
    prompts.setQuiet(false);
    if (ok) {
        switch (verb) {
        case ProgramVerb::List: {
            int read = 0;
            ok = readList(unit, prompts, read);
            if (parser.isSet(QStringLiteral("json"))) {
                out << QString::fromUtf8(ProgramListJson(unit.session().programs, read));
            } else {
                for (int n = 1; n <= read; ++n)
                    out << ProgramListLine(unit.session().programs.Record(n), n) << '\n';
            }
            out.flush();
            if (!ok && !unit.lineLost() && !unit.timedOut())
                err << "mqxtool: the list stopped at slot "
                    << QStringLiteral("%1").arg(read + 1, 2, 10, QLatin1Char('0'))
                    << ": it could not be read" << Qt::endl;
            break;
        }
        case ProgramVerb::Recall:
        case ProgramVerb::Delete:
        case ProgramVerb::Protect:
        case ProgramVerb::Lock:
            ok = listAction(unit, prompts, verb, a);
            break;
        case ProgramVerb::Store:
            ok = store(unit, prompts, a.slot);
            break;
        case ProgramVerb::Name:
        case ProgramVerb::Comment:
            ok = editText(unit, prompts, verb, a.text);
            break;
        }
    }
    prompts.setQuiet(true);
    const bool farewell = unit.disconnect();
    if (unit.lineLost())
        err << "mqxtool: " << unit.lostText().replace(QLatin1Char('\n'), QLatin1Char(' '))
            << Qt::endl;
    if (unit.timedOut())
        err << "mqxtool: the unit did not finish within " << a.unit.limitMs / 1000 << " s"
            << Qt::endl;
    return ok && farewell ? 0 : 1;
}

} // namespace mqx::tool
