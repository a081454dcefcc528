#pragma once
// A modal dialog that runs a LinkProcedure: its OK (and for some dialogs its Cancel)
// starts the procedure, and the dialog closes on the procedure's outcome. While a chain
// runs the buttons are greyed and Escape and the close box do nothing, so no second chain
// can start and no chain is left running behind a closed dialog.

#include "link/link_procedure.h"

#include <QDialog>

class QDialogButtonBox;
class QPushButton;

namespace mqx {

class ProcedureDialog : public QDialog {
public:
    ProcedureDialog(LinkProcedure& procedure, QWidget* parent);
    ~ProcedureDialog() override;

    QPushButton* okButton() const;
    QPushButton* cancelButton() const;

    void reject() override;

protected:
    // The dialog is made wide enough to show its whole title.
    void showEvent(QShowEvent* event) override;

    // OK was pressed: start the procedure with the operator's choice.
    virtual void startProcedure() = 0;
    // Cancel was pressed before anything ran. Returns true when that started a chain of
    // its own (the dialog then closes on its outcome); false closes the dialog at once.
    virtual bool cancelProcedure() { return false; }

    // Nothing has been started yet.
    bool canStart() const { return m_procedure.isIdle(); }
    // The dialog's OK and Cancel, to be placed in its layout.
    QDialogButtonBox* buttons() const { return m_buttons; }

private:
    void onOk();
    void onFinished(ProcedureOutcome outcome);
    void greyButtons();

    LinkProcedure& m_procedure;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace mqx
