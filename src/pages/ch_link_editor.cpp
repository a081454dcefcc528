#include "pages/ch_link_editor.h"

#include "core/session.h"
#include "pages/parameter_edit.h"

namespace mqx {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

bool valid(int i) {
    return i >= 0 && i < kOutputCount;
}

} // namespace

namespace ch_link_geometry {

QRect BarRect(int row) {
    return {kBarLeft, kFirstBarTop + row * kBarPitch, kBarWidth, kBarHeight};
}

QRect SlotRect(int row, int channel) {
    const QRect bar = BarRect(row);
    return {bar.left() + kSlotOffset + kSlotPitch * channel, bar.top(), kSlotSize, kSlotSize};
}

std::optional<ChLinkSlot> SlotAt(QPoint point) {
    for (int row = 0; row < ChLinkEditor::kRows; ++row)
        for (int channel = 0; channel < kOutputCount; ++channel)
            if (SlotRect(row, channel).contains(point))
                return ChLinkSlot{row, channel};
    return std::nullopt;
}

} // namespace ch_link_geometry

ChLinkEditor::ChLinkEditor(Session& session, ParameterEditSink& sink)
    : m_session(session), m_sink(sink) {
    const ProgramRecord& r = session.CurrentRecord();
    std::array<bool, kOutputCount> placed{};
    int row = 0;
    for (int c = 0; c < kOutputCount; ++c) {
        if (placed[at(c)])
            continue;
        // A mask read from a file may leave out its own output or name one already
        // placed with another group; each output still lands in exactly one row.
        const std::uint8_t mask = r.out[at(c)].link_mask | OutputBit(c);
        for (int b = 0; b < kOutputCount; ++b)
            if ((mask & OutputBit(b)) != 0 && !placed[at(b)]) {
                m_grid[at(row)][at(b)] = true;
                placed[at(b)] = true;
            }
        ++row;
    }
}

bool ChLinkEditor::holds(int row, int channel) const {
    return valid(row) && valid(channel) && m_grid[at(row)][at(channel)];
}

int ChLinkEditor::rowOf(int channel) const {
    for (int row = 0; row < kRows; ++row)
        if (holds(row, channel))
            return row;
    return -1;
}

std::uint8_t ChLinkEditor::rowMask(int row) const {
    std::uint8_t mask = 0;
    for (int c = 0; c < kOutputCount; ++c)
        if (holds(row, c))
            mask |= OutputBit(c);
    return mask;
}

void ChLinkEditor::click(int row, int channel) {
    if (!valid(row) || !valid(channel))
        return;
    for (auto& members : m_grid)
        members[at(channel)] = false;
    m_grid[at(row)][at(channel)] = true;
}

void ChLinkEditor::apply() {
    ProgramRecord& r = m_session.CurrentRecord();
    for (OutputChannel& out : r.out)
        out.link_mask = 0;
    for (int row = 0; row < kRows; ++row) {
        const std::uint8_t mask = rowMask(row);
        for (int c = 0; c < kOutputCount; ++c)
            if ((mask & OutputBit(c)) != 0)
                r.out[at(c)].link_mask = mask;
    }
    CopyLinkedSettings(r);
    ParameterEdits(m_session, m_sink)
        .sendGroups("054", {r.out[0].link_mask, r.out[1].link_mask, r.out[2].link_mask,
                            r.out[3].link_mask, r.out[4].link_mask});
}

void CopyLinkedSettings(ProgramRecord& record) {
    // Lower outputs are settled first, so each member ends with its lowest output's values.
    for (int c = 1; c < kOutputCount; ++c) {
        OutputChannel& to = record.out[at(c)];
        for (int k = 0; k < c; ++k) {
            if ((to.link_mask & OutputBit(k)) == 0)
                continue;
            const OutputChannel& from = record.out[at(k)];
            to.hpf_type = from.hpf_type;
            to.hpf_freq = from.hpf_freq;
            to.lpf_type = from.lpf_type;
            to.lpf_freq = from.lpf_freq;
            to.eq = from.eq;
            to.level = from.level;
            to.limiter = from.limiter;
            to.delay = from.delay;
            to.phase = from.phase;
        }
    }
}

} // namespace mqx
