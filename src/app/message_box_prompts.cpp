#include "app/message_box_prompts.h"

#include "link/title_width.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

// A message box is as narrow as its text, so "MQX-T410 Controller" over "Please enter a
// number." would lose its end: the box is given the width its title needs.
void fitTitle(QMessageBox& box) {
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(
            new QSpacerItem(TitleBarWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
            grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

void MessageBoxPrompts::message(const QString& title, const QString& text, PromptIcon icon) {
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, m_owner);
    fitTitle(box);
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
    fitTitle(box);
    return box.exec() == QMessageBox::Ok;
}

} // namespace mqx
