#include "simulated_unit.h"

#include "parameter_editor.h"

#include "program/record_text.h"

#include <cstdio>

namespace mqx::sim {
namespace {

constexpr char kVersionText[] = "MQX-T410 VER1.50";
static_assert(sizeof kVersionText - 1 == kVersionLength);
// What pargiv answers after its head: the code as asked and the value, space-padded.
constexpr int kQueryPayloadLength = 18;

enum : int {
    kBadArgument = 2,
    kUnknownCommand = 3,
    kBadProgramNumber = 10,
    kEmptyProgram = 11,
    kNoFreeSlot = 12,
    kProtected = 13,
    kBadParameter = 20,
    kBadData = 30,
};

QByteArray number(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return QByteArray(buffer);
}

// A program number on the line: exactly three decimal digits.
int programNumber(QByteArrayView text) {
    if (text.size() < 3)
        return -1;
    int value = 0;
    for (char c : text.first(3)) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

SimulatedUnit::SimulatedUnit(int id)
    : m_id(id), m_slots(DemoPrograms()), m_levels(static_cast<std::uint32_t>(id) * 7919u) {
    // A fresh unit plays the program of slot 1.
    m_current = m_slots[0];
    m_deviceInfo = QByteArray(kDeviceInfoLength, '.');
    const QByteArray info = "MQX-T410 simulated unit, ID " + number(id, 2);
    m_deviceInfo.replace(0, info.size(), info);
}

QByteArray SimulatedUnit::head() const {
    return "(" + number(m_id, 2);
}

QByteArray SimulatedUnit::reply(char letter, QByteArrayView payload) const {
    QByteArray r = head();
    r.append(letter);
    r.append(payload);
    return r;
}

QByteArray SimulatedUnit::errorReply(int code) const {
    return reply('e', number(code, 2));
}

bool SimulatedUnit::isProtected(int n) const {
    return !slotIsEmpty(n) && slot(n).write_enable == 0;
}

QByteArray SimulatedUnit::handle(QByteArrayView body) {
    const std::optional<UnitCommand> command = IdentifyRequest(body);
    if (!command) {
        m_metering = false;
        return errorReply(kUnknownCommand);
    }
    if (*command != UnitCommand::LevelOn)
        m_metering = false;
    const QByteArrayView arguments = body.sliced(CommandTextLength(*command));
    const bool bare = arguments.isEmpty();
    switch (*command) {
    case UnitCommand::Hello:
        return bare ? reply('h', "ello") : errorReply(kBadArgument);
    case UnitCommand::Bye:
        return bare ? reply('b', "ye") : errorReply(kBadArgument);
    case UnitCommand::PanelLock:
    case UnitCommand::PanelRelease:
        if (!bare)
            return errorReply(kBadArgument);
        m_panelLock = *command == UnitCommand::PanelLock ? 'D' : 'E';
        return reply('C');
    case UnitCommand::Version:
        return bare ? reply('A', kVersionText) : errorReply(kBadArgument);
    case UnitCommand::ParameterEdit:
        return parameterEdit(arguments);
    case UnitCommand::ParameterQuery:
        return parameterQuery(arguments);
    case UnitCommand::ProgramState:
        return bare ? reply('N', m_edited ? "1" : "0") : errorReply(kBadArgument);
    case UnitCommand::Recall:
    case UnitCommand::Store:
    case UnitCommand::Delete:
    case UnitCommand::RecallLock:
    case UnitCommand::Protect:
        return slotCommand(*command, arguments);
    case UnitCommand::DataGet:
    case UnitCommand::DataSet:
    case UnitCommand::InfoGet:
        return dataCommand(*command, arguments);
    case UnitCommand::InfoSet:
    case UnitCommand::DeviceInfoGet:
    case UnitCommand::DeviceInfoSet:
        return textCommand(*command, arguments);
    case UnitCommand::LevelOn:
    case UnitCommand::LevelOff:
        if (!bare)
            return errorReply(kBadArgument);
        m_metering = *command == UnitCommand::LevelOn;
        return reply('M');
    case UnitCommand::PanelLockState:
        return bare ? reply('K', QByteArrayView(&m_panelLock, 1)) : errorReply(kBadArgument);
    }
    return errorReply(kUnknownCommand);
}

QByteArray SimulatedUnit::slotCommand(UnitCommand command, QByteArrayView arguments) {
    const bool lockOrProtect =
        command == UnitCommand::RecallLock || command == UnitCommand::Protect;
    // Recall lock and protection carry E (allow) or D (forbid) after the number.
    const qsizetype length = lockOrProtect ? 4 : 3;
    const int n = programNumber(arguments);
    if (n < 0 || arguments.size() != length)
        return errorReply(kBadArgument);
    const char allow = lockOrProtect ? arguments[3] : 'E';
    if (allow != 'E' && allow != 'D')
        return errorReply(kBadArgument);

    if (command == UnitCommand::Store) {
        int target = n;
        if (n == 0) {
            // "New": the lowest empty slot.
            target = 0;
            for (int s = kSlotCount; s >= 1; --s)
                if (slotIsEmpty(s))
                    target = s;
            if (target == 0)
                return errorReply(kNoFreeSlot);
        }
        if (target > kSlotCount)
            return errorReply(kBadProgramNumber);
        if (isProtected(target))
            return errorReply(kProtected);
        m_current.program_number = static_cast<std::uint8_t>(target);
        m_current.empty_flag = 0;
        m_current.recall_lock = 0;
        m_current.write_enable = 255;
        slot(target) = m_current;
        m_edited = false;
        return reply('S', number(target, 3));
    }

    if (n < 1 || n > kSlotCount)
        return errorReply(kBadProgramNumber);
    if (slotIsEmpty(n))
        return errorReply(kEmptyProgram);
    switch (command) {
    case UnitCommand::Recall:
        // The recall lock guards the front panel's recall keys; the controller's operator
        // set it and may still recall.
        m_current = slot(n);
        m_current.program_number = static_cast<std::uint8_t>(n);
        m_edited = false;
        return reply('R', number(n, 3));
    case UnitCommand::Delete:
        if (isProtected(n))
            return errorReply(kProtected);
        slot(n).empty_flag = 255;
        slot(n).recall_lock = 0;
        slot(n).write_enable = 255;
        return reply('G');
    case UnitCommand::RecallLock:
        slot(n).recall_lock = allow == 'D' ? 255 : 0;
        return reply('L');
    case UnitCommand::Protect:
        slot(n).write_enable = allow == 'D' ? 0 : 255;
        return reply('W');
    default:
        return errorReply(kUnknownCommand);
    }
}

QByteArray SimulatedUnit::dataCommand(UnitCommand command, QByteArrayView arguments) {
    const int n = programNumber(arguments);
    if (n < 0 || (command != UnitCommand::DataSet && arguments.size() != 3))
        return errorReply(kBadArgument);
    if (n > kSlotCount)
        return errorReply(kBadProgramNumber);

    if (command == UnitCommand::DataSet) {
        const QByteArrayView data = arguments.sliced(3);
        if (n > 0 && isProtected(n))
            return errorReply(kProtected);
        ProgramRecord& target = n == 0 ? m_current : slot(n);
        ProgramRecord incoming = target;
        if (data.size() != kUploadImageLength ||
            !DecodeRecordText(data, incoming, RecordImage::Upload))
            return errorReply(kBadData);
        incoming.empty_flag = 0;
        if (n > 0)
            incoming.program_number = static_cast<std::uint8_t>(n);
        target = incoming;
        if (n == 0)
            m_edited = true;
        return reply('P', "OK");
    }

    if (n > 0 && slotIsEmpty(n))
        return errorReply(kEmptyProgram);
    const ProgramRecord& source = n == 0 ? m_current : slot(n);
    const RecordImage image =
        command == UnitCommand::DataGet ? RecordImage::Full : RecordImage::Header;
    const QByteArray text = EncodeRecordText(source, image);
    // Program number, the length of the data in four digits, then the data.
    return reply(command == UnitCommand::DataGet ? 'Q' : 'I',
                 number(n, 3) + number(static_cast<int>(text.size()), 4) + text);
}

QByteArray SimulatedUnit::textCommand(UnitCommand command, QByteArrayView arguments) {
    if (command == UnitCommand::DeviceInfoGet)
        return arguments.isEmpty() ? reply('X', m_deviceInfo) : errorReply(kBadArgument);
    if (command == UnitCommand::DeviceInfoSet) {
        if (arguments.size() > kDeviceInfoLength)
            return errorReply(kBadArgument);
        FillText(m_deviceInfo.data(), kDeviceInfoLength, arguments);
        return reply('Y');
    }
    // pinfset: program number, "2" name or "3" information, then the text.
    const int n = programNumber(arguments);
    if (n < 0 || arguments.size() < 4)
        return errorReply(kBadArgument);
    const char kind = arguments[3];
    const QByteArrayView text = arguments.sliced(4);
    const int width = kind == '2' ? kNameLength : kCommentLength;
    if ((kind != '2' && kind != '3') || text.size() > width)
        return errorReply(kBadArgument);
    if (n > kSlotCount)
        return errorReply(kBadProgramNumber);
    if (n > 0 && slotIsEmpty(n))
        return errorReply(kEmptyProgram);
    if (n > 0 && isProtected(n))
        return errorReply(kProtected);
    ProgramRecord& target = n == 0 ? m_current : slot(n);
    FillText(kind == '2' ? target.name.data() : target.comment.data(), width, text);
    if (n == 0)
        m_edited = true;
    return reply('J', number(n, 3) + QByteArray(1, kind));
}

QByteArray SimulatedUnit::parameterEdit(QByteArrayView body) {
    const ParsedEdit edit = ParseEdit(body);
    const int result = ParameterEditor::apply(m_current, edit);
    if (result != 0)
        return errorReply(result);
    m_edited = true;
    // The echo names the code that was changed.
    return reply('$', body.first(3));
}

QByteArray SimulatedUnit::parameterQuery(QByteArrayView body) {
    ParameterAddress address;
    qsizetype consumed = 0;
    if (ParseAddress(body, address, consumed) != 0)
        return errorReply(kBadParameter);
    const QByteArray value = ParameterEditor::read(m_current, address);
    if (value.isEmpty())
        return errorReply(kBadParameter);
    QByteArray payload = (address.qualifiedCode + value).left(kQueryPayloadLength);
    payload.append(QByteArray(kQueryPayloadLength - payload.size(), ' '));
    return reply('%', payload);
}

QByteArray SimulatedUnit::levelFrame() {
    m_lastLevels = m_levels.next(m_current);
    return reply('M', LevelGenerator::frameDigits(m_lastLevels));
}

} // namespace mqx::sim
