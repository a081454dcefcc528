#pragma once
// "GEQ Link Off" / "PEQ Link Off": releases the link after the operator confirms; both
// channels keep the values they have.

#include "pages/eq_operations.h"

#include <QDialog>

namespace mqx {

class EqLinkOffDialog : public QDialog {
    Q_OBJECT
public:
    EqLinkOffDialog(EqKind kind, EqOperations& operations, QWidget* parent = nullptr);
    void accept() override;

private:
    EqKind m_kind;
    EqOperations& m_operations;
};

} // namespace mqx
