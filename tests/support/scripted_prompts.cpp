#include "scripted_prompts.h"

namespace mqx::test {

void ScriptedPrompts::message(const QString& title, const QString& text, PromptIcon icon) {
    const Shown shown{title, text, icon, false};
    if (m_onShow)
        m_onShow(shown);
    m_shown.push_back(shown);
}

bool ScriptedPrompts::confirm(const QString& title, const QString& text, PromptIcon icon) {
    return ask(Shown{title, text, icon, true});
}

bool ScriptedPrompts::confirmCancelFirst(const QString& title, const QString& text,
                                         PromptIcon icon) {
    return ask(Shown{title, text, icon, true, true});
}

bool ScriptedPrompts::ask(Shown shown) {
    if (m_onShow)
        m_onShow(shown);
    m_shown.push_back(std::move(shown));
    if (m_answers.empty()) {
        ++m_unscripted;
        return m_defaultAnswer;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

} // namespace mqx::test
