#pragma once
// The prompt seam on screen: QMessageBox, owned by the window given.

#include "core/prompts.h"

class QWidget;

namespace mqx {

class MessageBoxPrompts : public Prompts {
public:
    explicit MessageBoxPrompts(QWidget* owner) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    void message(const QString& title, const QString& text, PromptIcon icon) override;
    bool confirm(const QString& title, const QString& text, PromptIcon icon) override;
    bool confirmCancelFirst(const QString& title, const QString& text, PromptIcon icon) override;

private:
    bool ask(const QString& title, const QString& text, PromptIcon icon, bool cancelFirst);
    QWidget* m_owner = nullptr;
};

} // namespace mqx
