#include "pages/entry_box.h"

#include "pages/fader.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWheelEvent>

namespace mqx {

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {}

bool EntryBox::commitTyped(const QString& stored, const std::function<bool(const QString&)>& take) {
    if (!isModified())
        return false;
    const QString typed = text();
    setModified(false);
    setText(stored);
    if (!take(typed)) {
        setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void EntryBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT commitRequested();
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT commitRequested();
        selectAll();
        return;
    }
    if (const int steps = StepsOfKey(event->key()); steps != 0) {
        Q_EMIT stepped(steps);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EntryBox::wheelEvent(QWheelEvent* event) {
    if (const int notches = WheelNotches(event->angleDelta().y(), m_wheelRest); notches != 0)
        Q_EMIT stepped(notches);
    event->accept();
}

} // namespace mqx
