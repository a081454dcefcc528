#include "pages/output_editor.h"

#include "core/prompts.h"
#include "core/session.h"
#include "pages/output_links.h"
#include "program/value_scales.h"

#include <algorithm>

namespace mqx {
namespace {

constexpr int kLastLimiter = 53;
constexpr int kLimiterEntryKind = 7;
constexpr int kLimiterScaleNumber = 10;
constexpr int kLevelEntryKind = 10;
constexpr int kLevelScaleNumber = 1;

} // namespace

int SourceOfItem(int item) {
    return item == 2 ? 0 : std::clamp(item, 0, 1) + 1;
}
int ItemOfSource(int source) {
    return source == 0 ? 2 : source == 2 ? 1 : 0;
}

OutputEditor::OutputEditor(Session& session, ParameterEditSink& sink, Prompts& prompts,
                           TimerSource& timers, int channel)
    : m_session(session), m_edits(session, sink), m_prompts(prompts),
      m_channel(std::clamp(channel, 0, kOutputCount - 1)), m_delay(session, sink, prompts, timers),
      m_levelDrag(
          timers, OutputLayout::kLevelTrackLeft, OutputLayout::kLevelTrackTop,
          [this] { return level(); }, [this](int value) { storeLevel(value); },
          [this] {
              if (m_changed)
                  m_changed();
          }) {}

const ProgramRecord& OutputEditor::record() const {
    return m_session.CurrentRecord();
}
const OutputChannel& OutputEditor::output() const {
    return record().out[static_cast<std::size_t>(m_channel)];
}

void OutputEditor::setChangedCallback(std::function<void()> callback) {
    m_changed = std::move(callback);
    m_delay.setChangedCallback([this] {
        if (m_changed)
            m_changed();
    });
}

QByteArray OutputEditor::code(const char* base) const {
    return QByteArray(base) + EditDigits(m_channel, 1);
}

void OutputEditor::refuseEntry() const {
    m_prompts.message(QString::fromLatin1(kApplicationTitle),
                      QString::fromLatin1(kEnterNumberMessage), PromptIcon::Exclamation);
}

void OutputEditor::selectSourceItem(int item) {
    const int source = SourceOfItem(item);
    OutputChannel& mine = m_session.CurrentRecord().out[static_cast<std::size_t>(m_channel)];
    if (mine.source == source)
        return;
    mine.source = static_cast<std::uint8_t>(source);
    m_edits.send(code("040"), source);
}

void OutputEditor::setPhase(bool inverse) {
    const int value = inverse ? 1 : 0;
    ForLinkedOutputs(m_session.CurrentRecord(), m_channel, [value](OutputChannel& o, int) {
        o.phase = static_cast<std::uint8_t>(value);
    });
    // Every click is sent, changed or not: the unit may have been set from its panel.
    m_edits.send(code("052"), value);
}

QString OutputEditor::limiterText() const {
    const QString text = StepText(Scale::LimiterDbfs, output().limiter);
    return output().limiter == 0 ? text : text + QStringLiteral("dBFS");
}

void OutputEditor::storeLimiter(int value) {
    value = std::clamp(value, 0, kLastLimiter);
    if (value == output().limiter)
        return;
    ForLinkedOutputs(m_session.CurrentRecord(), m_channel, [value](OutputChannel& o, int) {
        o.limiter = static_cast<std::uint8_t>(value);
    });
    m_edits.send(code("050"), value);
}

void OutputEditor::stepLimiter(int steps) {
    storeLimiter(output().limiter - steps);
}

bool OutputEditor::commitLimiterText(QStringView text) {
    if (!IsValidEntry(text, kLimiterEntryKind)) {
        refuseEntry();
        return false;
    }
    storeLimiter(TextToStep(text, kLimiterScaleNumber, 0, kLastLimiter));
    return true;
}

QString OutputEditor::levelText() const {
    return StepText(Scale::LevelDb, level()) + QStringLiteral("dB");
}

void OutputEditor::storeLevel(int value) {
    const int old = level();
    ForLinkedOutputs(m_session.CurrentRecord(), m_channel, [value](OutputChannel& o, int) {
        o.level = static_cast<std::uint8_t>(value);
    });
    if (value != old)
        m_edits.send(code("049"), value);
}

bool OutputEditor::pressLevel(int x, int y) {
    return m_levelDrag.onTrack(x, y) && m_levelDrag.press(x, y);
}

bool OutputEditor::commitLevelText(QStringView text) {
    if (!IsValidEntry(text, kLevelEntryKind)) {
        releaseLevel();
        refuseEntry();
        return false;
    }
    const FaderGeometry& g = m_levelDrag.geometry();
    const int value = TextToStep(text, kLevelScaleNumber, g.lowestStep, g.highestStep);
    if (value != level())
        storeLevel(value);
    return true;
}

bool OutputEditor::displays(int c) const {
    return c == m_channel || (output().display_mask & OutputBit(c)) != 0;
}

void OutputEditor::toggleDisplay(int c) {
    if (c < 0 || c >= kOutputCount || c == m_channel)
        return;
    m_session.CurrentRecord().out[static_cast<std::size_t>(m_channel)].display_mask ^= OutputBit(c);
}

bool OutputEditor::linkedWith(int c) const {
    return c == m_channel || (output().link_mask & OutputBit(c)) != 0;
}

} // namespace mqx
