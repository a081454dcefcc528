#include "unit_command.h"

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

} // namespace mqx::sim
