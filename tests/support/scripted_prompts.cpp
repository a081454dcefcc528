#include "scripted_prompts.h"

namespace mqx::test {

void ScriptedPrompts::message(const QString& title, const QString& text, PromptIcon icon) {
    m_shown.push_back(Shown{title, text, icon, false});
}

bool ScriptedPrompts::confirm(const QString& title, const QString& text, PromptIcon icon) {
    m_shown.push_back(Shown{title, text, icon, true});
    if (m_answers.empty()) {
        ++m_unscripted;
        return m_defaultAnswer;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

} // namespace mqx::test
