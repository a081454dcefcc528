#include "tool_verbs.h"

#include "backup_verbs.h"
#include "core/app_settings.h"
#include "core/session.h"
#include "diff_verb.h"
#include "link/port_catalog.h"
#include "program/program_file.h"
#include "program_verbs.h"
#include "record_listing.h"
#include "response_verb.h"
#include "scan_verb.h"
#include "sheet_verb.h"
#include "unit_verbs.h"

#include <QCommandLineParser>

#include <functional>
#include <vector>

namespace mqx::tool {
namespace {

struct Context {
    QCommandLineParser& parser;
    QTextStream& out;
    QTextStream& err;
};

struct Verb {
    const char* name;
    const char* arguments;
    const char* summary;
    std::function<void(QCommandLineParser&)> options;
    std::function<int(Context&)> run;
};

int fail(Context& c, const QString& file, const QString& reason) {
    c.err << "mqxtool: " << file << ": " << reason << Qt::endl;
    return 1;
}

// The single FILE argument of a verb, or a usage error.
bool oneFile(Context& c, QString& file) {
    const QStringList args = c.parser.positionalArguments();
    if (args.size() != 1) {
        c.err << "mqxtool: expected one FILE argument; see --help" << Qt::endl;
        return false;
    }
    file = args.first();
    return true;
}

int verbNew(Context& c) {
    QString file;
    if (!oneFile(c, file))
        return 2;
    Session session;
    ApplyDefaults(session);
    const FileResult saved = SaveProgramFile(session, file);
    if (!saved)
        return fail(c, file, QStringLiteral("cannot be written: ") + saved.error);
    return 0;
}

int verbShow(Context& c) {
    QString file;
    if (!oneFile(c, file))
        return 2;
    ProgramRecord record{};
    const FileResult loaded = LoadRecordFile(record, file);
    if (!loaded)
        return fail(c, file, loaded.error);
    // A loaded program shows each output's graph alone, as the controller does.
    for (int ch = 0; ch < kOutputCount; ++ch)
        record.out[static_cast<std::size_t>(ch)].display_mask = OutputBit(ch);
    if (c.parser.isSet(QStringLiteral("json")))
        c.out << QString::fromUtf8(RecordJson(record));
    else
        c.out << ListRecord(record);
    return 0;
}

int verbCheck(Context& c) {
    QString file;
    if (!oneFile(c, file))
        return 2;
    ProgramRecord record{};
    const FileResult loaded = LoadRecordFile(record, file);
    if (!loaded)
        return fail(c, file, loaded.error);
    return 0;
}

int verbPorts(Context& c) {
    if (!c.parser.positionalArguments().isEmpty()) {
        c.err << "mqxtool: ports takes no arguments; see --help" << Qt::endl;
        return 2;
    }
    c.out << PortCatalog::present().listing(PortMap::load(DefaultSettingsFolder()));
    return 0;
}

std::function<int(Context&)> program(ProgramVerb verb) {
    return [verb](Context& c) { return runProgramVerb(verb, c.parser, c.out, c.err); };
}

const std::vector<Verb>& verbs() {
    static const std::vector<Verb> list = {
        {"new", "FILE", "Write a program file holding the factory defaults.", {}, verbNew},
        {"show", "FILE", "List every field of a program file with its step and text.",
         [](QCommandLineParser& p) {
             p.addOption({QStringLiteral("json"), QStringLiteral("Print one JSON object.")});
         },
         verbShow},
        {"check",
         "FILE",
         "Exit 0 when a program file loads; else print why and exit 1.",
         {},
         verbCheck},
        {"response", "FILE",
         "Write the response curves of one output or PEQ channel as CSV, or draw them as a PNG "
         "(--png OUT).",
         addResponseOptions, [](Context& c) { return runResponse(c.parser, c.out, c.err); }},
        {"diff", "FILE1 FILE2|FILE",
         "List the fields two program files, or a file and a unit, differ in; exit 1 if any.",
         addDiffOptions, [](Context& c) { return runDiff(c.parser, c.out, c.err); }},
        {"sheet", "FILE", "Write the setup sheet of a program file as a PDF (--pdf OUT).",
         addSheetOptions, [](Context& c) { return runSheet(c.parser, c.out, c.err); }},
        {"info", "", "Greet a unit; print its ID, panel lock state and information text.",
         addUnitOptions,
         [](Context& c) { return runUnitVerb(UnitVerb::Info, c.parser, c.out, c.err); }},
        {"scan", "", "Greet unit IDs 1..99 on a port; print each that answers and its text.",
         addScanOptions, [](Context& c) { return runScan(c.parser, c.out, c.err); }},
        {"download", "FILE", "Write a unit's current program to a program file.", addUnitOptions,
         [](Context& c) { return runUnitVerb(UnitVerb::Download, c.parser, c.out, c.err); }},
        {"upload", "FILE", "Send a program file to a unit's current program.", addUnitOptions,
         [](Context& c) { return runUnitVerb(UnitVerb::Upload, c.parser, c.out, c.err); }},
        {"list", "", "Print the 50 program slots of a unit as the Program List shows them.",
         [](QCommandLineParser& p) {
             addProgramOptions(p);
             p.addOption({QStringLiteral("json"),
                          QStringLiteral("Print a JSON array: slot, used, name, comment, "
                                         "protected, recall-locked.")});
         },
         program(ProgramVerb::List)},
        {"recall", "SLOT", "Recall a stored program into the unit's current program.",
         addProgramOptions, program(ProgramVerb::Recall)},
        {"store", "SLOT|new", "Store the unit's current program into a slot.", addProgramOptions,
         program(ProgramVerb::Store)},
        {"delete", "SLOT", "Delete a stored program.", addProgramOptions,
         program(ProgramVerb::Delete)},
        {"protect", "SLOT on|off", "Protect a stored program from overwriting, or allow it.",
         addProgramOptions, program(ProgramVerb::Protect)},
        {"lock", "SLOT on|off", "Set or clear the recall lock of a stored program.",
         addProgramOptions, program(ProgramVerb::Lock)},
        {"name", "TEXT", "Rename the unit's current program (21 characters).", addProgramOptions,
         program(ProgramVerb::Name)},
        {"comment", "TEXT", "Set the information text of the unit's current program.",
         addProgramOptions, program(ProgramVerb::Comment)},
        {"backup", "DIR", "Save the current and every stored program with a manifest (--yes).",
         addBackupOptions, [](Context& c) { return runBackup(c.parser, c.out, c.err); }},
        {"restore", "DIR", "Make a unit's programs those of a backup (--yes).", addBackupOptions,
         [](Context& c) { return runRestore(c.parser, c.out, c.err); }},
        {"ports",
         "",
         "List the serial ports found and the devices COM1..COM4 open.",
         {},
         verbPorts},
    };
    return list;
}

// The unit verbs read best with the unit first ("mqxtool --port P --id N info"); the
// parser wants the verb first, so it is moved there. Options that take a value are
// skipped with their value, so a device path is never mistaken for the verb.
QStringList verbFirst(const QStringList& arguments) {
    static const QStringList valued = {QStringLiteral("--port"), QStringLiteral("--id"),
                                       QStringLiteral("--limit")};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (valued.contains(arguments[i])) {
            ++i;
            continue;
        }
        if (arguments[i].startsWith(u'-'))
            continue;
        QStringList reordered = arguments;
        reordered.move(i, 1);
        return reordered;
    }
    return arguments;
}

void usage(QTextStream& s) {
    s << "Usage: mqxtool VERB [options] [arguments]\n"
         "   or: mqxtool --port DEVICE_OR_COM_NUMBER --id N UNIT_VERB [arguments]\n\n"
         "Files and units of the MQX-T410 from the command line.\n\nOptions:\n"
         "  -h, --help     Displays help on commandline options.\n"
         "  -v, --version  Displays version information.\n\nVerbs:\n";
    for (const Verb& v : verbs())
        s << "  " << QString::fromLatin1(v.name).leftJustified(10) << v.summary << '\n';
    s << "\nmqxtool VERB --help describes a verb. COM numbers open the devices that the "
         "controller's\nOption > Ports... gives them (\"mqxtool ports\" lists them)."
      << Qt::endl;
}

} // namespace

int run(const QStringList& given, QTextStream& out, QTextStream& err) {
    const QStringList arguments = verbFirst(given);
    if (arguments.size() < 2 || arguments[1] == QLatin1StringView("--help") ||
        arguments[1] == QLatin1StringView("-h")) {
        usage(arguments.size() < 2 ? err : out);
        return arguments.size() < 2 ? 2 : 0;
    }
    if (arguments[1] == QLatin1StringView("--version") || arguments[1] == QLatin1StringView("-v")) {
        out << "mqxtool " << MQX_VERSION << Qt::endl;
        return 0;
    }
    for (const Verb& verb : verbs()) {
        if (arguments[1] != QLatin1StringView(verb.name))
            continue;
        QCommandLineParser parser;
        parser.setApplicationDescription(QLatin1StringView(verb.summary));
        parser.addHelpOption();
        if (*verb.arguments != '\0')
            parser.addPositionalArgument(QLatin1StringView(verb.arguments), QString{});
        if (verb.options)
            verb.options(parser);
        QStringList rest = arguments.mid(1);
        rest[0] = QStringLiteral("mqxtool ") + rest[0];
        if (!parser.parse(rest)) {
            err << "mqxtool: " << parser.errorText() << Qt::endl;
            return 2;
        }
        if (parser.isSet(QStringLiteral("help"))) {
            // The parser names the program by the path it was started with; the verb's
            // own usage line reads better.
            QString help = parser.helpText();
            const qsizetype lineEnd = help.indexOf(u'\n');
            const qsizetype options = help.indexOf(QLatin1StringView(" [options]"));
            if (options >= 0 && options < lineEnd)
                help.replace(0, options,
                             QStringLiteral("Usage: mqxtool ") + QLatin1StringView(verb.name));
            out << help;
            if (!help.endsWith(u'\n'))
                out << '\n';
            out.flush();
            return 0;
        }
        Context context{parser, out, err};
        const int code = verb.run(context);
        out.flush();
        err.flush();
        return code;
    }
    err << "mqxtool: unknown verb \"" << arguments[1] << "\"\n";
    usage(err);
    return 2;
}

} // namespace mqx::tool
