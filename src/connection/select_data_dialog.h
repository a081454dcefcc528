#pragma once
// "Select Data": after a unit has been reached, send the controller's program to it or
// fetch the unit's. OK stays greyed until a direction is chosen.

#include "link/procedure_dialog.h"

class QRadioButton;

namespace mqx {

class SelectDataProcedure;

class SelectDataDialog : public ProcedureDialog {
public:
    explicit SelectDataDialog(SelectDataProcedure& procedure, QWidget* parent = nullptr);

    QRadioButton* uploadButton() const { return m_upload; }
    QRadioButton* downloadButton() const { return m_download; }

protected:
    void startProcedure() override;
    bool cancelProcedure() override;

private:
    SelectDataProcedure& m_procedure;
    QRadioButton* m_upload = nullptr;
    QRadioButton* m_download = nullptr;
};

} // namespace mqx
