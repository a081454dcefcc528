#pragma once
// The Program Name and Program Information dialogs' sequence: the operator's text, padded
// with "." to the field's width, goes to the unit's current program (pinfset "000") and
// into record 0 once the unit has taken it. Without a unit it goes into record 0 at once.

#include "link/link_procedure.h"

#include <QByteArray>
#include <QString>

namespace mqx {

class Prompts;
struct Session;

enum class ProgramTextKind { Name, Information };

class ProgramTextProcedure : public LinkProcedure {
public:
    enum TimerId : int { SetReplyTimer = 60 };

    ProgramTextProcedure(ProgramTextKind kind, Session& session, LinkEngine& engine,
                         Prompts& prompts, TimerSource& timers);

    ProgramTextKind kind() const { return m_kind; }
    // The field's width: 21 for the name, 256 for the information.
    int width() const;
    // The field as record 0 holds it now.
    QString currentText() const;
    // OK, once; false when the procedure ran before.
    bool ok(const QString& text);

private:
    void step(int id) override;
    void store();

    ProgramTextKind m_kind;
    Session& m_session;
    Prompts& m_prompts;
    QByteArray m_padded;
};

// `text` with what the line cannot carry removed, cut to `width` and laid over `width`
// "." characters.
QByteArray PadProgramText(const QString& text, int width);

} // namespace mqx
