#pragma once
// "Device Information": the unit's ID and its 256-character information text. Read-only
// in connection mode; in edit mode the operator rewrites the text, which is kept to what
// the line can carry as it is typed or pasted, and OK sends it.

#include "link/procedure_dialog.h"

class QLineEdit;
class QPlainTextEdit;

namespace mqx {

class DeviceInfoProcedure;

class DeviceInfoDialog : public ProcedureDialog {
public:
    DeviceInfoDialog(DeviceInfoProcedure& procedure, int unitId, const QByteArray& text,
                     QWidget* parent = nullptr);

    QLineEdit* unitBox() const { return m_unit; }
    QPlainTextEdit* textBox() const { return m_text; }

protected:
    void startProcedure() override;
    bool cancelProcedure() override;

private:
    void filterText();

    DeviceInfoProcedure& m_procedure;
    QLineEdit* m_unit = nullptr;
    QPlainTextEdit* m_text = nullptr;
};

} // namespace mqx
