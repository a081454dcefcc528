#pragma once
// "Panel Operation Lock": lock or release the unit's front panel. OK stays greyed until
// the operator clicks one of the two choices.

#include "link/procedure_dialog.h"

class QRadioButton;

namespace mqx {

class PanelLockProcedure;

class PanelLockDialog : public ProcedureDialog {
public:
    // `lockState` 'E' selects "No", 'D' selects "Yes", anything else neither.
    PanelLockDialog(PanelLockProcedure& procedure, char lockState, QWidget* parent = nullptr);

    QRadioButton* noButton() const { return m_no; }
    QRadioButton* yesButton() const { return m_yes; }

protected:
    void startProcedure() override;

private:
    PanelLockProcedure& m_procedure;
    QRadioButton* m_no = nullptr;
    QRadioButton* m_yes = nullptr;
};

} // namespace mqx
