#include "app/message_box_prompts.h"

#include <QMessageBox>

namespace mqx {
namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxPrompts::message(const QString& title, const QString& text, PromptIcon icon) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, m_owner);
    box.exec();
}

bool MessageBoxPrompts::confirm(const QString& title, const QString& text, PromptIcon icon) {
    return ask(title, text, icon, false);
}

bool MessageBoxPrompts::confirmCancelFirst(const QString& title, const QString& text,
                                           PromptIcon icon) {
    return ask(title, text, icon, true);
}

bool MessageBoxPrompts::ask(const QString& title, const QString& text, PromptIcon icon,
                            bool cancelFirst) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok | QMessageBox::Cancel, m_owner);
    box.setDefaultButton(cancelFirst ? QMessageBox::Cancel : QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

} // namespace mqx
