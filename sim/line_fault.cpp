#include "line_fault.h"

#include <QStringList>

namespace mqx::sim {
namespace {

std::optional<FaultOption> refuse(QString* error, const QString& why) {
    if (error)
        *error = why;
    return std::nullopt;
}

std::optional<int> number(const QString& text, int lowest, int highest) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<FaultOption> ParseFaultOption(QStringView text, QString* error) {
    const QStringList parts = text.toString().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return refuse(
            error,
            QStringLiteral("expected COMMAND[@SLOT]:KIND[:ARG], got \"%1\"").arg(text.toString()));
    FaultOption parsed;
    QString name = parts[0];
    if (const qsizetype at = name.indexOf(u'@'); at >= 0) {
        const std::optional<int> slot = number(name.mid(at + 1), 0, 50);
        if (!slot)
            return refuse(error, QStringLiteral("@ takes a program number 0..50, as pinfget@12"));
        parsed.fault.slot = *slot;
        name.truncate(at);
    }
    const std::optional<UnitCommand> command = CommandFromName(name);
    if (!command)
        return refuse(error, QStringLiteral("unknown command \"%1\"").arg(name));
    parsed.command = *command;

    const QString& kind = parts[1];
    const bool hasArgument = parts.size() == 3;
    if (kind == QLatin1StringView("silent") || kind == QLatin1StringView("garbled") ||
        kind == QLatin1StringView("wrong-id")) {
        if (hasArgument)
            return refuse(error, QStringLiteral("%1 takes no argument").arg(kind));
        parsed.fault.kind = kind == QLatin1StringView("silent")    ? LineFault::Kind::Silent
                            : kind == QLatin1StringView("garbled") ? LineFault::Kind::Garbled
                                                                   : LineFault::Kind::WrongId;
        return parsed;
    }
    if (kind == QLatin1StringView("error")) {
        const std::optional<int> code = hasArgument ? number(parts[2], 0, 99) : std::nullopt;
        if (!code)
            return refuse(error, QStringLiteral("error needs a code 0..99, as error:13"));
        parsed.fault.kind = LineFault::Kind::Error;
        parsed.fault.errorCode = *code;
        return parsed;
    }
    if (kind == QLatin1StringView("bursts")) {
        const std::optional<int> gap = hasArgument ? number(parts[2], 0, 60000) : std::nullopt;
        if (!gap)
            return refuse(error, QStringLiteral("bursts needs a gap in ms, as bursts:300"));
        parsed.fault.kind = LineFault::Kind::Bursts;
        parsed.fault.gapMs = *gap;
        return parsed;
    }
    return refuse(error, QStringLiteral("unknown fault kind \"%1\" (silent, garbled, error:NN, "
                                        "bursts:MS, wrong-id)")
                             .arg(kind));
}

} // namespace mqx::sim
