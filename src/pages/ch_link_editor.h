#pragma once
// The CH Link dialog's working: which link group each of the six outputs A..F is in, and
// what OK does with that. No widgets: the dialog paints what this holds.
//
//   six link_masks --one row a group, in the order of each group's lowest output--> grid
//   click(row, channel): the output leaves its row and joins `row`
//   apply(): masks from the rows --> every member takes the settings of its group's
//            lowest output --> one "054" edit carrying the masks of A..E
//
// The unit copies the settings within a group itself when it takes "054", so the copies
// are not sent one by one. F's mask does not travel: the unit derives it from the group
// that names F, and the rows here always form whole groups, so both sides agree.

#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>
#include <optional>

namespace mqx {

class ParameterEditSink;
struct ProgramRecord;
struct Session;

struct ChLinkSlot {
    int row = 0;     // group 0..5, shown as "Group 1".."Group 6"
    int channel = 0; // output 0..5, A..F
    friend bool operator==(const ChLinkSlot&, const ChLinkSlot&) = default;
};

// Where the dialog's table puts things, in the table's logical pixels (the table sits at
// the dialog's top-left corner). One bar a group; a letter's slot on a bar is 17 x 17
// pixels at 2 + 19 * channel from the bar's left, at the bar's top.
namespace ch_link_geometry {
inline constexpr int kBarLeft = 78;
inline constexpr int kFirstBarTop = 38;
inline constexpr int kBarPitch = 27;
inline constexpr int kSlotSize = 17;
inline constexpr int kSlotPitch = 19;
inline constexpr int kSlotOffset = 2;
inline constexpr int kBarWidth = kSlotOffset + 5 * kSlotPitch + kSlotSize + kSlotOffset; // 116
inline constexpr int kBarHeight = kSlotSize;

QRect BarRect(int row);
QRect SlotRect(int row, int channel);
// The slot under `point`, or nothing between and around the slots.
std::optional<ChLinkSlot> SlotAt(QPoint point);
} // namespace ch_link_geometry

class ChLinkEditor {
public:
    static constexpr int kRows = 6;

    // Reads the groups from the current record's link masks.
    ChLinkEditor(Session& session, ParameterEditSink& sink);

    bool holds(int row, int channel) const;
    // The row that holds `channel`; every output is in exactly one row.
    int rowOf(int channel) const;
    // The mask of the outputs in `row`, bit (5 - c) for output c; 0 for an empty row.
    std::uint8_t rowMask(int row) const;

    // A click on the slot of `channel` in `row`: the output moves there. Out-of-range
    // arguments change nothing.
    void click(int row, int channel);

    // OK: writes the masks into the current record, gives every member its group's lowest
    // output's settings and sends "054" while a unit is connected.
    void apply();

private:
    using Grid = std::array<std::array<bool, 6>, kRows>;

    Session& m_session;
    ParameterEditSink& m_sink;
    Grid m_grid{};
};

// Gives each output in a link group the crossover, EQ, level, limiter, delay and phase of
// the group's lowest output, as the masks in `record` name the groups. Source, mute and
// the graph's display choice stay each output's own.
void CopyLinkedSettings(ProgramRecord& record);

} // namespace mqx
