#pragma once
// "Caution": asked before an operation that throws away what the equalisers' OFF buttons
// put aside (disconnection, closing while connected, recall). It changes nothing itself.

#include <QDialog>

namespace mqx {

class CautionDialog : public QDialog {
    Q_OBJECT
public:
    explicit CautionDialog(QWidget* parent = nullptr);
};

} // namespace mqx
