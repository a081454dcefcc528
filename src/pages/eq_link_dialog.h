#pragma once
// "GEQ Link" / "PEQ Link": which channel's values both channels take when the two input
// equalisers are linked. On OK the link is made and sent.

#include "pages/eq_operations.h"

#include <QDialog>

class QRadioButton;

namespace mqx {

class EqLinkDialog : public QDialog {
    Q_OBJECT
public:
    EqLinkDialog(EqKind kind, EqOperations& operations, QWidget* parent = nullptr);
    QRadioButton* choice(int channel) const { return m_choice[channel == 1 ? 1 : 0]; }

    void accept() override;

private:
    EqKind m_kind;
    EqOperations& m_operations;
    QRadioButton* m_choice[2] = {};
};

} // namespace mqx
