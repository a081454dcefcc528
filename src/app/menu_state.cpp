#include "app/menu_state.h"

#include "core/session.h"

namespace mqx {

std::map<MenuId, MenuItemState> UpdateMenus(const Session& session) {
    const ProgramRecord& r = session.CurrentRecord();
    const bool connected = session.ConnectedUnitId != 0;
    const bool geqMode = r.eq_mode == 0;
    std::map<MenuId, MenuItemState> m;
    const auto enable = [&m](MenuId id, bool on) { m[id].enabled = on; };

    enable(MenuId::FileNew, !connected);
    enable(MenuId::FileOpen, !connected);
    enable(MenuId::GeqFlat, geqMode);
    enable(MenuId::GeqLinkOn, geqMode && r.geq_link == 0);
    enable(MenuId::GeqLinkOff, geqMode && r.geq_link == 1);
    enable(MenuId::PeqFlat, !geqMode);
    enable(MenuId::PeqLinkOn, !geqMode && r.peq_link == 0);
    enable(MenuId::PeqLinkOff, !geqMode && r.peq_link == 1);
    enable(MenuId::ProgramStore, connected);
    enable(MenuId::ProgramList, connected);
    enable(MenuId::Connect, !connected);
    enable(MenuId::Disconnect, connected);
    enable(MenuId::Information, connected);
    enable(MenuId::PanelLock, connected);
    // What a COM number opens changes only while no port is open.
    enable(MenuId::Ports, !connected);

    const bool coarse = session.settings.levelMeterMode != 0;
    m[MenuId::LevelMeterFine].checked = !coarse;
    m[MenuId::LevelMeterCoarse].checked = coarse;
    const bool feet = session.settings.delayUnit != 0;
    m[MenuId::DelayMeters].checked = !feet;
    m[MenuId::DelayFeetInches].checked = feet;
    return m;
}

} // namespace mqx
