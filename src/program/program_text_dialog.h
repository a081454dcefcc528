#pragma once
// Program Name and Program Information: one box over the current program's name (one line)
// or information (several lines), filtered as the operator types; OK runs the procedure.

#include "link/procedure_dialog.h"

class QLineEdit;
class QPlainTextEdit;

namespace mqx {

class ProgramTextProcedure;

class ProgramTextDialog : public ProcedureDialog {
public:
    ProgramTextDialog(ProgramTextProcedure& procedure, QWidget* parent);

    QString text() const;
    QLineEdit* nameBox() const { return m_name; }
    QPlainTextEdit* informationBox() const { return m_information; }

private:
    void startProcedure() override;
    void filterName();
    void filterInformation();

    ProgramTextProcedure& m_procedure;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_information = nullptr;
};

} // namespace mqx
