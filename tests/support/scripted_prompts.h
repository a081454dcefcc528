#pragma once
// Prompts for tests: records every message and question and answers questions from a
// script (then with the default answer once the script runs out).

#include "core/prompts.h"

#include <deque>
#include <functional>
#include <vector>

namespace mqx::test {

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString title;
        QString text;
        PromptIcon icon = PromptIcon::Information;
        bool question = false;
        bool cancelFirst = false; // asked with Cancel as the default button
    };

    void message(const QString& title, const QString& text, PromptIcon icon) override {
        show({title, text, icon});
    }
    bool confirm(const QString& title, const QString& text, PromptIcon icon) override {
        return ask({title, text, icon, true});
    }
    bool confirmCancelFirst(const QString& title, const QString& text, PromptIcon icon) override {
        return ask({title, text, icon, true, true});
    }

    // The answer to the next unanswered question.
    void answerNext(bool answer) { m_answers.push_back(answer); }
    void setDefaultAnswer(bool answer) { m_defaultAnswer = answer; }
    // Called as each prompt comes up, before it is recorded: a test can look at the screen
    // as the operator would see it behind the box.
    void setOnShow(std::function<void(const Shown&)> onShow) { m_onShow = std::move(onShow); }

    const std::vector<Shown>& shown() const { return m_shown; }
    // Questions that found no scripted answer.
    int unscriptedQuestions() const { return m_unscripted; }
    void clear() { m_shown.clear(); }

private:
    void show(const Shown& shown) {
        if (m_onShow)
            m_onShow(shown);
        m_shown.push_back(shown);
    }
    bool ask(const Shown& shown) {
        show(shown);
        const bool scripted = !m_answers.empty();
        const bool answer = scripted ? m_answers.front() : m_defaultAnswer;
        if (scripted)
            m_answers.pop_front();
        m_unscripted += scripted ? 0 : 1;
        return answer;
    }

    std::vector<Shown> m_shown;
    std::deque<bool> m_answers;
    bool m_defaultAnswer = false;
    int m_unscripted = 0;
    std::function<void(const Shown&)> m_onShow;
};

} // namespace mqx::test
