#pragma once
// The small up/down pair beside a value box: each click (and each repeat while held)
// moves the value one step. The buttons never take the focus, so a text being typed in
// the box stays where it is.

#include <QWidget>

class QToolButton;

namespace mqx {

class SpinButtons : public QWidget {
    Q_OBJECT
public:
    explicit SpinButtons(QWidget* parent = nullptr);
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

Q_SIGNALS:
    void stepped(bool up);

private:
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};

} // namespace mqx
