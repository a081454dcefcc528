#pragma once
// "Disconnect": asks before the connection ends; OK runs the DisconnectProcedure.

#include "link/procedure_dialog.h"

namespace mqx {

class DisconnectProcedure;

class DisconnectDialog : public ProcedureDialog {
public:
    explicit DisconnectDialog(DisconnectProcedure& procedure, QWidget* parent = nullptr);

protected:
    void startProcedure() override;

private:
    DisconnectProcedure& m_procedure;
};

} // namespace mqx
