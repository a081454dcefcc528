#pragma once
// The undo and redo history of the current program. It keeps a copy of the record as last
// seen; capture() turns whatever changed since into a step (the bytes before and after,
// nothing else), so every page, dialog and graph drag is covered without telling it
// anything. Undo and redo write a step's bytes back and send the edits that bring the
// unit along (RestoreEdits), through the same sink and connection check as the pages.
//
//   operator acts --page/dialog changes the record--> capture() --> step on the undo stack
//   undo() --before bytes--> record --RestoreEdits--> ParameterEdits --> unit
//
// Only bytes that travel as parameter edits are tracked: a name or a comment is the
// unit's business (stored by its own dialogs), and what only the screen keeps is not a
// change of the program. Whole programs arriving (a file, File New, a download, a
// recall) start a new history: startNew().

#include "pages/parameter_edit.h"

#include "core/program_record.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace mqx {

struct ByteChange {
    std::uint16_t offset = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
};

struct EditStep {
    QString label; // given by a command; empty: named from the fields it changed
    std::vector<ByteChange> changes;
};

// "OUT-3 Level", "OUT-3+OUT-4 Level" for a linked pair, "IN-1 PEQ 2" for a band, or the
// first field's label and how many more.
QString StepLabel(const EditStep& step);

class EditHistory {
public:
    EditHistory(Session& session, ParameterEditSink& sink);

    // Forgets every step; the record as it is now is where the history starts.
    void startNew();

    // Takes what changed since the last capture as a step. Inside a gesture (a drag, a
    // held key) a change of the same bytes as the step before is added to that step.
    // `label` names a step made by a command. True when the history changed.
    bool capture(const QString& label = {});
    void beginGesture() { m_inGesture = true; }
    // Whether anything in the record, tracked or not, changed since the last capture: a
    // command that may have replaced the whole program asks before startNew().
    bool changedSinceCapture() const;
    void endGesture();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    QString undoLabel() const;
    QString redoLabel() const;
    // Each returns false when there was nothing to do.
    bool undo();
    bool redo();

    std::size_t undoCount() const { return m_undo.size(); }
    // What the steps hold in memory, the vectors' spare room included.
    std::size_t memoryBytes() const;

private:
    void apply(const EditStep& step, bool forward);

    Session& m_session;
    ParameterEdits m_edits;
    ProgramRecord m_seen{};
    std::vector<EditStep> m_undo;
    std::vector<EditStep> m_redo;
    bool m_inGesture = false;
    bool m_mergeable = false; // the last step may still grow within the gesture
};

} // namespace mqx
