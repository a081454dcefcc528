#pragma once
// The texts of the main window's two panels: the connection status and the current
// program's header.

#include <QString>

namespace mqx {

struct ProgramRecord;
struct Session;

// "Disconnected", or the unit ID, its panel lock state and its information text.
QString StatusPanelText(const Session& session);

// Program number, name, recall lock, protection and the program's information text.
QString ProgramInfoText(const ProgramRecord& record);

} // namespace mqx
