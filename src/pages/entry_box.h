#pragma once
// A value box whose typed text is taken when it loses the focus or on Enter, the way
// every value box of the pages works. Focus lost to another window or to a menu takes
// nothing: the operator has not left the box, and a message box raised by the taking
// itself must not take it a second time. The keys and the wheel step the value as the
// box's spin arrows do; whatever was typed and not yet taken gives way to the step.

#include <QLineEdit>

#include <functional>

namespace mqx {

class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryBox(QWidget* parent = nullptr);

    // Hands a typed text to `take` once, showing `stored` meanwhile (a message that `take`
    // raises must not find the refused text still in the box). A refused text gives the
    // box the focus back. True when a text was taken; false when there was none or it was
    // refused.
    bool commitTyped(const QString& stored, const std::function<bool(const QString&)>& take);

Q_SIGNALS:
    void commitRequested();
    // Up/Down, Page Up/Down and the wheel: steps up (positive) or down, taken by the page
    // the way its spin arrows are.
    void stepped(int steps);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int m_wheelRest = 0;
};

} // namespace mqx
