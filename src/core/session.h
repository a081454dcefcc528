#pragma once
// The application-wide state of one run of the controller, owned by the application and
// passed by reference to whatever needs it: the program table with its staging record,
// the memories the pages keep beside the record, the meter block, the connection values
// and the options.

#include "core/app_settings.h"
#include "core/meter_levels.h"
#include "core/page_memories.h"
#include "core/program_table.h"

#include <QByteArray>
#include <QString>

namespace mqx {

struct Session {
    ProgramTable programs;
    ProgramRecord staging; // a file is read here before it replaces the current record
    PeqBandOffMemory peqBandOff;
    SavedBandSettings savedBandSettings;
    MeterLevels meterLevels;

    int ConnectedUnitId = 0;   // 0 = not connected
    AppSettings settings;      // last port, unit and file; the options
    QByteArray DeviceInfoText; // the unit's information text, 256 characters once read
    char PanelLockState = 0;   // 'E' panel free, 'D' locked, anything else unknown

    ProgramRecord& CurrentRecord() { return programs.CurrentRecord(); }
    const ProgramRecord& CurrentRecord() const { return programs.CurrentRecord(); }
    ProgramRecord& Record(int n) { return programs.Record(n); }
};

// Resets the current record to the factory program and empties the page memories
// and the meter block.
void ApplyDefaults(Session& session);

// Empties what the OFF buttons put aside; done whenever a whole program arrives.
void ForgetBandMemories(Session& session);

} // namespace mqx
