#pragma once
// Prompts for tests: records every message and question and answers questions from a
// script (then with the default answer once the script runs out).

#include "core/prompts.h"

#include <deque>
#include <vector>

namespace mqx::test {

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString title;
        QString text;
        PromptIcon icon = PromptIcon::Information;
        bool question = false;
    };

    void message(const QString& title, const QString& text, PromptIcon icon) override;
    bool confirm(const QString& title, const QString& text, PromptIcon icon) override;

    // The answer to the next unanswered question.
    void answerNext(bool answer) { m_answers.push_back(answer); }
    void setDefaultAnswer(bool answer) { m_defaultAnswer = answer; }

    const std::vector<Shown>& shown() const { return m_shown; }
    // Questions that found no scripted answer.
    int unscriptedQuestions() const { return m_unscripted; }
    void clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    std::deque<bool> m_answers;
    bool m_defaultAnswer = false;
    int m_unscripted = 0;
};

} // namespace mqx::test
