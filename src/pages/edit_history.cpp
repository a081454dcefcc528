#include "pages/edit_history.h"

#include "core/session.h"
#include "pages/restore_edits.h"
#include "program/field_labels.h"

#include <algorithm>
#include <set>

namespace mqx {
namespace {

bool sameBytes(const EditStep& step, const std::vector<ByteChange>& changes) {
    return std::equal(
        step.changes.begin(), step.changes.end(), changes.begin(), changes.end(),
        [](const ByteChange& a, const ByteChange& b) { return a.offset == b.offset; });
}

// "OUT-3 Level" as its channel ("OUT-3") and the rest ("Level").
std::pair<QString, QString> splitChannel(const QString& label) {
    if (label.startsWith(QLatin1String("IN-")) || label.startsWith(QLatin1String("OUT-"))) {
        const qsizetype space = label.indexOf(u' ');
        return {label.left(space), label.mid(space + 1)};
    }
    return {{}, label};
}

} // namespace

QString StepLabel(const EditStep& step) {
    if (!step.label.isEmpty())
        return step.label;
    std::vector<const RecordField*> fields;
    for (const ByteChange& c : step.changes)
        if (const RecordField* f = FieldAt(c.offset);
            f && std::find(fields.begin(), fields.end(), f) == fields.end())
            fields.push_back(f);
    if (fields.empty())
        return {};
    QStringList channels;
    std::set<QString> rests;
    QStringList labels;
    for (const RecordField* f : fields) {
        labels << FieldLabel(*f);
        const auto [channel, rest] = splitChannel(labels.back());
        if (!channels.contains(channel))
            channels << channel;
        rests.insert(rest);
    }
    if (rests.size() == 1) {
        if (channels.size() <= 1)
            return labels.front();
        const QString group = channels.size() <= 3
                                  ? channels.join(u'+')
                                  : channels.front() + QStringLiteral("..") + channels.back();
        return group + u' ' + *rests.begin();
    }
    // Several fields of one band or one block: the words they share.
    QStringList common = labels.front().split(u' ');
    for (const QString& label : labels) {
        const QStringList words = label.split(u' ');
        qsizetype n = 0;
        while (n < common.size() && n < words.size() && common[n] == words[n])
            ++n;
        common = common.first(n);
    }
    if (common.size() >= 2)
        return common.join(u' ');
    return QStringLiteral("%1 and %2 more").arg(labels.front()).arg(labels.size() - 1);
}

EditHistory::EditHistory(Session& session, ParameterEditSink& sink)
    : m_session(session), m_edits(session, sink), m_seen(session.CurrentRecord()) {}

void EditHistory::startNew() {
    m_undo.clear();
    m_redo.clear();
    m_undo.shrink_to_fit();
    m_redo.shrink_to_fit();
    m_seen = m_session.CurrentRecord();
    m_mergeable = false;
}

bool EditHistory::capture(const QString& label) {
    const ProgramRecord& now = m_session.CurrentRecord();
    std::vector<ByteChange> changes;
    for (int i = 0; i < kRecordSize; ++i)
        if (now.bytes()[i] != m_seen.bytes()[i] && TravelsAsEdit(i))
            changes.push_back({static_cast<std::uint16_t>(i), m_seen.bytes()[i], now.bytes()[i]});
    m_seen = now;
    if (changes.empty())
        return false;
    if (m_mergeable && label.isEmpty() && !m_undo.empty() && sameBytes(m_undo.back(), changes)) {
        EditStep& open = m_undo.back();
        for (std::size_t i = 0; i < changes.size(); ++i)
            open.changes[i].after = changes[i].after;
        // Dragged back to where it started: nothing left to undo.
        if (std::all_of(open.changes.begin(), open.changes.end(),
                        [](const ByteChange& c) { return c.before == c.after; }))
            m_undo.pop_back();
    } else {
        changes.shrink_to_fit();
        m_undo.push_back({label, std::move(changes)});
    }
    m_redo.clear();
    m_mergeable = m_inGesture && label.isEmpty();
    return true;
}

bool EditHistory::changedSinceCapture() const {
    return !(m_session.CurrentRecord() == m_seen);
}

void EditHistory::endGesture() {
    m_inGesture = false;
    m_mergeable = false;
}

QString EditHistory::undoLabel() const {
    return m_undo.empty() ? QString() : StepLabel(m_undo.back());
}

QString EditHistory::redoLabel() const {
    return m_redo.empty() ? QString() : StepLabel(m_redo.back());
}

void EditHistory::apply(const EditStep& step, bool forward) {
    ProgramRecord& record = m_session.CurrentRecord();
    ProgramRecord target = record;
    for (const ByteChange& c : step.changes)
        target.bytes()[c.offset] = forward ? c.after : c.before;
    const std::vector<RestoreEdit> edits = RestoreEdits(record, target);
    record = target;
    m_seen = target;
    m_mergeable = false;
    for (const RestoreEdit& e : edits)
        m_edits.sendText(e.code, e.value);
}

bool EditHistory::undo() {
    capture();
    if (m_undo.empty())
        return false;
    EditStep step = std::move(m_undo.back());
    m_undo.pop_back();
    apply(step, false);
    m_redo.push_back(std::move(step));
    return true;
}

bool EditHistory::redo() {
    capture();
    if (m_redo.empty())
        return false;
    EditStep step = std::move(m_redo.back());
    m_redo.pop_back();
    apply(step, true);
    m_undo.push_back(std::move(step));
    return true;
}

std::size_t EditHistory::memoryBytes() const {
    std::size_t bytes = 0;
    for (const auto* stack : {&m_undo, &m_redo}) {
        bytes += stack->capacity() * sizeof(EditStep);
        for (const EditStep& s : *stack)
            bytes += s.changes.capacity() * sizeof(ByteChange) +
                     static_cast<std::size_t>(s.label.capacity()) * sizeof(QChar);
    }
    return bytes;
}

} // namespace mqx
