#pragma once
// "Select Data": after a unit has been reached, send the controller's program to it or
// fetch the unit's. OK stays greyed until a direction is chosen. Unlike the other
// procedure dialogs, Cancel (and Escape, and the close box) stays live while the transfer
// runs and stops it.

#include "link/procedure_dialog.h"

class QRadioButton;

namespace mqx {

class SelectDataProcedure;

class SelectDataDialog : public ProcedureDialog {
public:
    explicit SelectDataDialog(SelectDataProcedure& procedure, QWidget* parent = nullptr);

    QRadioButton* uploadButton() const { return m_upload; }
    QRadioButton* downloadButton() const { return m_download; }

    void reject() override;

protected:
    void startProcedure() override;
    bool cancelProcedure() override;

private:
    SelectDataProcedure& m_procedure;
    QRadioButton* m_upload = nullptr;
    QRadioButton* m_download = nullptr;
};

} // namespace mqx
