#include "core/session.h"
#include "pages/ch_link_editor.h"
#include "recording_edit_sink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

using namespace mqx;
using Masks = std::array<std::uint8_t, 6>;
using Clicks = std::vector<std::pair<int, int>>;

namespace {

constexpr std::uint8_t A = 32, B = 16, C = 8, D = 4, E = 2, F = 1;
constexpr Masks kAlone{A, B, C, D, E, F};

auto shared(const OutputChannel& o) {
    return std::tuple(o.hpf_type, o.hpf_freq, o.lpf_type, o.lpf_freq, o.eq, o.level, o.limiter,
                      o.delay, o.phase);
}
auto own(const OutputChannel& o) {
    return std::tuple(o.source, o.on, o.display_mask);
}

// Six outputs that differ in every field, with the given masks.
Session withMasks(const Masks& masks) {
    Session s;
    ApplyDefaults(s);
    for (std::size_t c = 0; c < 6; ++c) {
        OutputChannel& o = s.CurrentRecord().out[c];
        std::memset(static_cast<void*>(&o), static_cast<int>(0x11 * (c + 1)), sizeof o);
        o.link_mask = masks[c];
    }
    return s;
}

} // namespace

// One row a group, in the order of each group's lowest output; masks from elsewhere that
// overlap or leave their own output out still put every output in exactly one row.
TEST(ChLinkEditor, RowsFromTheMasks) {
    const std::pair<Masks, Masks> cases[] = {
        {kAlone, kAlone},
        {{A | B, A | B, C, D, E, F}, {A | B, C, D, E, F, 0}},
        {{A | C | E, B | D, A | C | E, B | D, A | C | E, F}, {A | C | E, B | D, F, 0, 0, 0}},
        {{A | B, B | C, B | C, D, E, F}, {A | B, C, D, E, F, 0}},
        {{0, B, C, D, E, F}, kAlone},
    };
    for (const auto& [masks, rows] : cases) {
        Session s = withMasks(masks);
        test::RecordingEditSink sink;
        const ChLinkEditor editor(s, sink);
        for (int row = 0; row < 6; ++row)
            EXPECT_EQ(editor.rowMask(row), rows[static_cast<std::size_t>(row)]) << row;
    }
}

TEST(ChLinkEditor, OkWritesTheGroupsCopiesTheLowestAndSendsOneEdit) {
    // The masks before, clicks (row, channel; some off the grid), the masks after, whose
    // settings each output ends with, the edit sent (none while not connected).
    const std::tuple<Masks, Clicks, Masks, std::array<std::size_t, 6>, std::string> cases[] = {
        // clang-format off
        {{A | B, A | B, C, D, E, F}, {}, {A | B, A | B, C, D, E, F}, {0, 0, 2, 3, 4, 5},
         "054 048048008004002"},
        {kAlone, {{0, 2}, {6, 0}, {0, -1}}, {A | C, B, A | C, D, E, F}, {0, 1, 0, 3, 4, 5},
         "054 040016040004002"},
        {kAlone, {{4, 5}}, {A, B, C, D, E | F, E | F}, {0, 1, 2, 3, 4, 4}, "054 032016008004003"},
        {{A | B | C, A | B | C, A | B | C, D, E, F}, {{5, 0}, {0, 1}}, {A, B | C, B | C, D, E, F},
         {0, 1, 1, 3, 4, 5}, "054 032024024004002"},
        {kAlone, {{1, 3}, {1, 0}}, {A | B | D, A | B | D, C, A | B | D, E, F}, {0, 0, 2, 0, 4, 5},
         ""},
        // clang-format on
    };
    for (const auto& [before, clicks, after, takesFrom, sent] : cases) {
        Session s = withMasks(before);
        s.ConnectedUnitId = sent.empty() ? 0 : 1;
        const ProgramRecord original = s.CurrentRecord();
        test::RecordingEditSink sink;
        ChLinkEditor editor(s, sink);
        for (const auto& [row, channel] : clicks)
            editor.click(row, channel);
        EXPECT_EQ(s.CurrentRecord(), original) << "nothing changes before OK";
        editor.apply();
        for (std::size_t ch = 0; ch < 6; ++ch) {
            const OutputChannel& out = s.CurrentRecord().out[ch];
            EXPECT_EQ(
                std::tuple(out.link_mask, shared(out), own(out)),
                std::tuple(after[ch], shared(original.out[takesFrom[ch]]), own(original.out[ch])))
                << sent << " " << ch;
        }
        EXPECT_EQ(sink.edits, sent.empty() ? std::vector<std::string>{} : std::vector{sent});
    }
}

// Slots of 17 x 17 pixels, 19 apart: the 2 pixels between them belong to none.
TEST(ChLinkGeometry, SlotUnderThePointer) {
    const QPoint a = ch_link_geometry::SlotRect(0, 0).topLeft();
    const QPoint f = ch_link_geometry::SlotRect(5, 5).topLeft();
    const std::pair<QPoint, std::optional<ChLinkSlot>> cases[] = {
        {a, ChLinkSlot{0, 0}},
        {a + QPoint(16, 16), ChLinkSlot{0, 0}},
        {a + QPoint(-1, 0), {}},
        {a + QPoint(0, -1), {}},
        {a + QPoint(17, 8), {}},
        {a + QPoint(18, 8), {}},
        {a + QPoint(19, 8), ChLinkSlot{0, 1}},
        {a + QPoint(0, 17), {}},
        {f + QPoint(16, 16), ChLinkSlot{5, 5}},
        {f + QPoint(17, 16), {}},
    };
    for (const auto& [at, slot] : cases)
        EXPECT_EQ(ch_link_geometry::SlotAt(at), slot) << at.x() << "," << at.y();
    EXPECT_EQ(a - ch_link_geometry::BarRect(0).topLeft(), QPoint(2, 0));
}
