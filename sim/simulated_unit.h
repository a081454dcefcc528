#pragma once
// One MQX-T410 as it behaves on the line: a current program, 50 program slots with
// protection and recall lock, device information text, the front-panel lock and the
// level stream. It carries out one request at a time and says what it answers; when the
// answer reaches the line is the UnitSimulator's business.
//
// The level stream runs from a `levon` until any other request reaches the unit: the
// controller purges its input before each request and restarts the stream with `levon`
// after the exchange (a parameter edit carries its own `levon`), so level frames never
// mix with an answer.

#include "demo_programs.h"
#include "level_generator.h"
#include "unit_command.h"

#include "core/program_record.h"

#include <QByteArray>
#include <QByteArrayView>

namespace mqx::sim {

inline constexpr int kDeviceInfoLength = 256;
inline constexpr int kVersionLength = 16;

class SimulatedUnit {
public:
    explicit SimulatedUnit(int id);

    int id() const { return m_id; }
    // "(" and the two-digit ID that begin every frame of this unit.
    QByteArray head() const;

    // Carries out one request: `body` is the frame after "(" and the ID. Returns the
    // whole answer, or an error answer "(" + ID + "e" + two digits.
    QByteArray handle(QByteArrayView body);

    // The answer a unit gives to a request it refuses with `code`.
    QByteArray errorReply(int code) const;

    bool isMetering() const { return m_metering; }
    void stopLevels() { m_metering = false; }
    // The next 52-character level frame.
    QByteArray levelFrame();

    ProgramRecord& currentProgram() { return m_current; }
    const ProgramRecord& currentProgram() const { return m_current; }
    // Slot n = 1..50.
    ProgramRecord& slot(int n) { return m_slots.at(static_cast<std::size_t>(n - 1)); }
    const ProgramRecord& slot(int n) const { return m_slots.at(static_cast<std::size_t>(n - 1)); }
    bool slotIsEmpty(int n) const { return slot(n).empty_flag != 0; }

    QByteArray deviceInfo() const { return m_deviceInfo; }
    // "E" panel operation enabled, "D" locked.
    char panelLock() const { return m_panelLock; }
    // Whether the current program has changed since it was recalled or stored.
    bool isEdited() const { return m_edited; }
    const MeterLevels& lastLevels() const { return m_lastLevels; }

private:
    QByteArray reply(char letter, QByteArrayView payload = {}) const;
    QByteArray slotCommand(UnitCommand command, QByteArrayView arguments);
    QByteArray dataCommand(UnitCommand command, QByteArrayView arguments);
    QByteArray textCommand(UnitCommand command, QByteArrayView arguments);
    QByteArray parameterEdit(QByteArrayView body);
    QByteArray parameterQuery(QByteArrayView body);
    bool isProtected(int n) const;

    int m_id = 1;
    ProgramRecord m_current;
    std::array<ProgramRecord, kSlotCount> m_slots{};
    QByteArray m_deviceInfo;
    char m_panelLock = 'E';
    bool m_edited = false;
    bool m_metering = false;
    LevelGenerator m_levels;
    MeterLevels m_lastLevels;
};

} // namespace mqx::sim
