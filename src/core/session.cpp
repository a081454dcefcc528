#include "core/session.h"

namespace mqx {

void ApplyDefaults(Session& session) {
    session.programs.resetCurrentIndex();
    ApplyRecordDefaults(session.CurrentRecord());
    ForgetBandMemories(session);
    session.meterLevels.setAtRest();
}

void ForgetBandMemories(Session& session) {
    session.peqBandOff.clear();
    session.savedBandSettings.clear();
}

} // namespace mqx
