#include "outcome_prompts.h"

namespace mqx::tool {

void OutcomePrompts::message(const QString&, const QString& text, PromptIcon icon) {
    if (icon == PromptIcon::Information) {
        if (!m_quiet)
            m_out << text << Qt::endl;
        return;
    }
    ++m_failures;
    m_err << "mqxtool: " << text << Qt::endl;
}

bool OutcomePrompts::confirm(const QString&, const QString&, PromptIcon) {
    return true;
}

} // namespace mqx::tool
