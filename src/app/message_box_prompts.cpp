#include "app/message_box_prompts.h"

#include <QFontMetrics>
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

// A message box is as narrow as its text, and a window manager cuts a title that does not
// fit beside its buttons ("MQX-T410 Controller" over "Please enter a number." loses its
// end). The box is made wide enough for the title set in a bold face, as title bars use,
// with room for four title-bar buttons about as wide as the bar is tall.
void fitTitle(QMessageBox& box) {
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int buttons = 4 * (metrics.height() + 8);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + buttons + 24;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
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
