#pragma once
// A value box whose typed text is taken when it loses the focus or on Enter, the way
// every value box of the pages works. Focus lost to another window or to a menu takes
// nothing: the operator has not left the box, and a message box raised by the taking
// itself must not take it a second time.

#include <QLineEdit>

namespace mqx {

class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryBox(QWidget* parent = nullptr);

Q_SIGNALS:
    void commitRequested();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace mqx
