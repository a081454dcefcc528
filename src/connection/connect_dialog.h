#pragma once
// "Connect": the COM port and the unit ID to greet. OK runs the ConnectProcedure and the
// dialog ends with OK once the unit has answered all of it.

#include "link/procedure_dialog.h"

class QComboBox;
class QListWidget;

namespace mqx {

class ConnectProcedure;

class ConnectDialog : public ProcedureDialog {
public:
    // `port` 1..4 and `unitId` 1..99 are preselected.
    ConnectDialog(ConnectProcedure& procedure, int port, int unitId, QWidget* parent = nullptr);

    QComboBox* portBox() const { return m_ports; }
    QListWidget* unitList() const { return m_units; }

protected:
    void startProcedure() override;
    bool cancelProcedure() override;

private:
    ConnectProcedure& m_procedure;
    QComboBox* m_ports = nullptr;
    QListWidget* m_units = nullptr;
};

} // namespace mqx
