#pragma once
// "GEQ Flat" and "PEQ Flat (Input Ch)": which input channels' equalisers go flat. While
// the two are linked, ticking one ticks the other, since the unit flattens both.

#include "pages/eq_operations.h"

#include <QDialog>

class QCheckBox;

namespace mqx {

class EqFlatDialog : public QDialog {
    Q_OBJECT
public:
    EqFlatDialog(EqKind kind, EqOperations& operations, QWidget* parent = nullptr);
    QCheckBox* channelBox(int channel) const { return m_box[channel == 1 ? 1 : 0]; }
    void accept() override;

private:
    EqKind m_kind;
    EqOperations& m_operations;
    QCheckBox* m_box[2] = {};
};

} // namespace mqx
