#pragma once
// The controller's messages on a terminal: warnings and failures go to standard error as
// "mqxtool: " and the controller's own text; confirmations of success are left to the
// verb's own output. Nothing is ever asked.

#include "core/prompts.h"

#include <QTextStream>

namespace mqx::tool {

class StreamPrompts : public Prompts {
public:
    explicit StreamPrompts(QTextStream& err) : m_err(err) {}

    void message(const QString& title, const QString& text, PromptIcon icon) override;
    bool confirm(const QString& title, const QString& text, PromptIcon icon) override;

    int failures() const { return m_failures; }

private:
    QTextStream& m_err;
    int m_failures = 0;
};

} // namespace mqx::tool
