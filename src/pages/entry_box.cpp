#include "pages/entry_box.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace mqx {

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {}

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
    QLineEdit::keyPressEvent(event);
}

} // namespace mqx
