#pragma once
// The program verbs' messages on a terminal: the unit's outcome texts, successes on
// standard output and failures on standard error. The command line is the operator's
// answer, so every question is answered yes.

#include "core/prompts.h"

#include <QTextStream>

namespace mqx::tool {

class OutcomePrompts : public Prompts {
public:
    OutcomePrompts(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

    void message(const QString& title, const QString& text, PromptIcon icon) override;
    bool confirm(const QString& title, const QString& text, PromptIcon icon) override;

    int failures() const { return m_failures; }
    // While quiet, successes are not printed (failures still are).
    void setQuiet(bool quiet) { m_quiet = quiet; }

private:
    QTextStream& m_out;
    QTextStream& m_err;
    int m_failures = 0;
    bool m_quiet = false;
};

} // namespace mqx::tool
