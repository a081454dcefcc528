#pragma once
// Which items of the menu bar are greyed and which are checked, from the connection,
// the EQ mode, the link states and the options.

#include <map>

namespace mqx {

struct Session;

enum class MenuId {
    FileNew = 57600,
    FileOpen = 57601,
    FileSaveAs = 57604,
    FileExportSheet = 57605,
    FileExit = 57665,
    GeqFlat = 32779,
    GeqLinkOn = 32775,
    GeqLinkOff = 32777,
    PeqFlat = 32789,
    PeqLinkOn = 32778,
    PeqLinkOff = 32776,
    ProgramStore = 32783,
    ProgramList = 32784,
    Connect = 32771,
    Disconnect = 32772,
    Information = 32773,
    PanelLock = 32774,
    LevelMeterFine = 32787,
    LevelMeterCoarse = 32788,
    DelayMeters = 32792,
    DelayFeetInches = 32793,
    Ports = 32794,
    About = 32781,
    ProgramName = 32785,
    ProgramInformation = 32782,
    OutputPeqFlat = 32790,
    OutputLinkCh = 32786,
};

struct MenuItemState {
    bool enabled = true;
    bool checked = false;
    friend bool operator==(const MenuItemState&, const MenuItemState&) = default;
};

// The state of every item that has a rule; items without one stay enabled and unchecked.
std::map<MenuId, MenuItemState> UpdateMenus(const Session& session);

} // namespace mqx
