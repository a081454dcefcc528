#pragma once
// The requests a unit understands, as the unit sees them: a frame "(" + two-digit ID +
// command text + arguments. The names are those of the controller's command table, so
// that faults can be injected by the name an operator knows ("recall", "pdatget").

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace mqx::sim {

enum class UnitCommand {
    Hello,
    Bye,
    PanelLock,
    PanelRelease,
    Version,
    ParameterEdit,
    ParameterQuery,
    ProgramState,
    Recall,
    Store,
    Delete,
    DataGet,
    DataSet,
    InfoGet,
    InfoSet,
    RecallLock,
    Protect,
    DeviceInfoGet,
    DeviceInfoSet,
    LevelOn,
    LevelOff,
    PanelLockState,
};

// "hello", "plock", "rcallr", ...; both recall-lock rows share "rcallr", both protection
// rows "pprt", as in the controller's table.
QString CommandName(UnitCommand command);
std::optional<UnitCommand> CommandFromName(QStringView name);

// Which request a frame body (everything after "(" and the ID) is, judged by its command
// text alone; arguments are checked when the request is carried out. Nothing for a text
// the unit does not know.
std::optional<UnitCommand> IdentifyRequest(QByteArrayView body);

// Length of the command text at the start of a recognised body ("hello" 5, "CD" 2, "R" 1;
// the recall-lock and protection texts count their letter only, the program number and
// E/D that follow are arguments).
int CommandTextLength(UnitCommand command);

// The program number a recognised request names (three digits after its command text:
// recall, store, delete, recall lock, protection, the program data and information
// requests), or nothing.
std::optional<int> RequestProgram(UnitCommand command, QByteArrayView body);

// The whole length of the request that `body` (a frame after "(" and the ID, received so
// far) begins, once enough of it has come to tell: the unit knows every command's
// arguments, so it can answer the moment the last character is in. Nothing while it cannot
// tell yet, and for requests whose length it never learns (an unknown text, a parameter
// query with its free-form extras); those end at the next "(" or when the line falls
// silent.
std::optional<qsizetype> RequestLength(QByteArrayView body);

} // namespace mqx::sim
