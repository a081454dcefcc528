#include "unit_command.h"

#include "parameter_address.h"
#include "simulated_unit.h"

#include "core/program_record.h"
#include "program/record_text.h"

#include <array>

namespace mqx::sim {
namespace {

struct CommandRow {
    UnitCommand command;
    const char* name;
    const char* text;
};

constexpr std::array<CommandRow, 22> kRows{{
    {UnitCommand::Hello, "hello", "hello"},
    {UnitCommand::Bye, "bye", "bye"},
    {UnitCommand::PanelLock, "plock", "CD"},
    {UnitCommand::PanelRelease, "aplock", "CE"},
    {UnitCommand::Version, "ver", "A"},
    {UnitCommand::ParameterEdit, "paredt", "$"},
    {UnitCommand::ParameterQuery, "pargiv", "%"},
    {UnitCommand::ProgramState, "cpinf", "N"},
    {UnitCommand::Recall, "recall", "R"},
    {UnitCommand::Store, "store", "S"},
    {UnitCommand::Delete, "pgdell", "G"},
    {UnitCommand::DataGet, "pdatget", "Q"},
    {UnitCommand::DataSet, "pdatset", "P"},
    {UnitCommand::InfoGet, "pinfget", "I"},
    {UnitCommand::InfoSet, "pinfset", "J"},
    {UnitCommand::RecallLock, "rcallr", "L"},
    {UnitCommand::Protect, "pprt", "W"},
    {UnitCommand::DeviceInfoGet, "devinfget", "X"},
    {UnitCommand::DeviceInfoSet, "devinfset", "Y"},
    {UnitCommand::LevelOn, "levon", "ME"},
    {UnitCommand::LevelOff, "levoff", "MD"},
    {UnitCommand::PanelLockState, "pnllock", "K"},
}};

const CommandRow& rowOf(UnitCommand command) {
    for (const CommandRow& row : kRows)
        if (row.command == command)
            return row;
    return kRows[0];
}

} // namespace

QString CommandName(UnitCommand command) {
    return QString::fromLatin1(rowOf(command).name);
}

std::optional<UnitCommand> CommandFromName(QStringView name) {
    for (const CommandRow& row : kRows)
        if (name == QLatin1StringView(row.name))
            return row.command;
    return std::nullopt;
}

std::optional<UnitCommand> IdentifyRequest(QByteArrayView body) {
    // Longest texts first, so that "hello" is not taken for a one-letter command.
    std::optional<UnitCommand> best;
    qsizetype bestLength = 0;
    for (const CommandRow& row : kRows) {
        const QByteArrayView text(row.text);
        if (text.size() > bestLength && body.startsWith(text)) {
            best = row.command;
            bestLength = text.size();
        }
    }
    return best;
}

int CommandTextLength(UnitCommand command) {
    return static_cast<int>(QByteArrayView(rowOf(command).text).size());
}

std::optional<int> RequestProgram(UnitCommand command, QByteArrayView body) {
    switch (command) {
    case UnitCommand::Recall:
    case UnitCommand::Store:
    case UnitCommand::Delete:
    case UnitCommand::DataGet:
    case UnitCommand::DataSet:
    case UnitCommand::InfoGet:
    case UnitCommand::InfoSet:
    case UnitCommand::RecallLock:
    case UnitCommand::Protect:
        break;
    default:
        return std::nullopt;
    }
    const qsizetype at = CommandTextLength(command);
    if (body.size() < at + 3)
        return std::nullopt;
    int value = 0;
    for (char c : body.sliced(at, 3)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<qsizetype> RequestLength(QByteArrayView body) {
    const std::optional<UnitCommand> command = IdentifyRequest(body);
    if (!command)
        return std::nullopt;
    const qsizetype text = CommandTextLength(*command);
    switch (*command) {
    case UnitCommand::Recall:
    case UnitCommand::Store:
    case UnitCommand::Delete:
    case UnitCommand::DataGet:
    case UnitCommand::InfoGet:
        return text + 3; // the program number
    case UnitCommand::RecallLock:
    case UnitCommand::Protect:
        return text + 4; // the program number and E or D
    case UnitCommand::DataSet:
        return text + 3 + kUploadImageLength;
    case UnitCommand::DeviceInfoSet:
        return text + kDeviceInfoLength;
    case UnitCommand::InfoSet: {
        // The program number, "2" for the name or "3" for the information, the text.
        if (body.size() < text + 4)
            return std::nullopt;
        const char kind = body[text + 3];
        if (kind != '2' && kind != '3')
            return std::nullopt;
        return text + 4 + (kind == '2' ? kNameLength : kCommentLength);
    }
    case UnitCommand::ParameterEdit: {
        // The code's layout says how many qualifier and value digits follow it.
        ParameterAddress address;
        qsizetype consumed = 0;
        if (ParseAddress(body.sliced(text), address, consumed) != 0)
            return std::nullopt;
        return text + consumed + address.layout.valueDigits;
    }
    case UnitCommand::ParameterQuery:
        return std::nullopt;
    default:
        return text;
    }
}

} // namespace mqx::sim
