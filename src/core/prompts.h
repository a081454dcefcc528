#pragma once
// The prompt seam: every message box and question of the controller goes through
// here, so that procedures and editors can be run in tests with scripted answers.

#include <QString>

namespace mqx {

// The window title that messages without a title of their own carry.
inline constexpr char kApplicationTitle[] = "MQX-T410 Controller";

enum class PromptIcon { Information, Exclamation, Question, Stop };

class Prompts {
public:
    virtual ~Prompts() = default;
    // A message with an OK button.
    virtual void message(const QString& title, const QString& text, PromptIcon icon) = 0;
    // A question; true when the operator answered OK (or Yes).
    virtual bool confirm(const QString& title, const QString& text, PromptIcon icon) = 0;
    // A question whose Cancel button is the default, for answers that cannot be undone.
    virtual bool confirmCancelFirst(const QString& title, const QString& text, PromptIcon icon) {
        return confirm(title, text, icon);
    }
};

} // namespace mqx
