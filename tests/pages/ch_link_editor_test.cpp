#include "core/session.h"
#include "pages/ch_link_editor.h"
#include "recording_edit_sink.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>

using namespace mqx;
using Edits = std::vector<std::string>;
using Masks = std::array<std::uint8_t, 6>;

namespace {

constexpr std::uint8_t A = OutputBit(0), B = OutputBit(1), C = OutputBit(2), D = OutputBit(3),
                       E = OutputBit(4), F = OutputBit(5);
constexpr Masks kAlone{A, B, C, D, E, F};

// Each output's settings different from every other's, so a copy shows where it came from.
void giveEachOutputItsOwnSettings(ProgramRecord& r) {
    for (int c = 0; c < kOutputCount; ++c) {
        OutputChannel& o = r.out[static_cast<std::size_t>(c)];
        const auto v = [c](int base) { return static_cast<std::uint8_t>(base + c); };
        o.source = v(0) % 3;
        o.hpf_type = v(1);
        o.hpf_freq = v(20);
        o.lpf_type = v(5);
        o.lpf_freq = v(90);
        for (std::size_t k = 0; k < o.eq.size(); ++k)
            o.eq[k] = EqBand{v(1), v(40), v(10), v(30)};
        o.level = v(150);
        o.limiter = v(10);
        o.delay = 1000u * static_cast<std::uint32_t>(c + 1);
        o.phase = v(0) % 2;
        o.on = v(1) % 2;
        o.display_mask = v(1);
    }
}

// The fields a group shares.
auto shared(const OutputChannel& o) {
    return std::tuple(o.hpf_type, o.hpf_freq, o.lpf_type, o.lpf_freq, o.eq, o.level, o.limiter,
                      o.delay, o.phase);
}
// The fields that stay each output's own.
auto own(const OutputChannel& o) {
    return std::tuple(o.source, o.on, o.display_mask);
}

struct ChLinkEditorTest : ::testing::Test {
    void SetUp() override {
        ApplyDefaults(session);
        giveEachOutputItsOwnSettings(record());
        session.ConnectedUnitId = 1;
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    void setMasks(const Masks& masks) {
        for (std::size_t c = 0; c < masks.size(); ++c)
            record().out[c].link_mask = masks[c];
    }
    Masks masks() {
        Masks m{};
        for (std::size_t c = 0; c < m.size(); ++c)
            m[c] = record().out[c].link_mask;
        return m;
    }

    Session session;
    test::RecordingEditSink sink;
};

} // namespace

// The rows come in the order of each group's lowest output, one group a row; whatever the
// masks say, every output ends in exactly one row.
TEST_F(ChLinkEditorTest, RowsFromTheMasks) {
    struct Case {
        const char* name;
        Masks masks;
        Masks rows;
    };
    const Case cases[] = {
        {"all alone: A in Group 1 through F in Group 6", kAlone, kAlone},
        {"A and B linked", {A | B, A | B, C, D, E, F}, {A | B, C, D, E, F, 0}},
        {"interleaved groups",
         {A | C | E, B | D, A | C | E, B | D, A | C | E, F},
         {A | C | E, B | D, F, 0, 0, 0}},
        {"all six together", {63, 63, 63, 63, 63, 63}, {63, 0, 0, 0, 0, 0}},
        {"E and F linked", {A, B, C, D, E | F, E | F}, {A, B, C, D, E | F, 0}},
        // From a file that was not written by us: masks that overlap or leave out their
        // own output.
        {"overlapping masks", {A | B, B | C, B | C, D, E, F}, {A | B, C, D, E, F, 0}},
        {"a mask without its own output", {0, B, C, D, E, F}, kAlone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setMasks(c.masks);
        const ChLinkEditor editor(session, sink);
        for (int row = 0; row < ChLinkEditor::kRows; ++row)
            EXPECT_EQ(editor.rowMask(row), c.rows[static_cast<std::size_t>(row)]) << row;
        for (int ch = 0; ch < kOutputCount; ++ch) {
            const int row = editor.rowOf(ch);
            ASSERT_GE(row, 0) << ch;
            EXPECT_EQ(editor.rowMask(row) & OutputBit(ch), OutputBit(ch)) << ch;
        }
    }
}

// OK after some clicks: the masks written, the settings each output ends with, the one
// edit sent. The controller's masks are the groups the rows show.
TEST_F(ChLinkEditorTest, OkWritesTheGroupsCopiesTheLowestAndSendsOneEdit) {
    struct Case {
        const char* name;
        Masks before;
        std::function<void(ChLinkEditor&)> clicks;
        Masks after;
        std::array<int, 6> takesFrom; // whose settings each output holds afterwards
        std::string edit;
    };
    const auto none = [](ChLinkEditor&) {};
    const Case cases[] = {
        {"OK without a change, A and B linked",
         {A | B, A | B, C, D, E, F},
         none,
         {A | B, A | B, C, D, E, F},
         {0, 0, 2, 3, 4, 5},
         "054 048048008004002"},
        {"C moved into A's row",
         kAlone,
         [](ChLinkEditor& e) { e.click(0, 2); },
         {A | C, B, A | C, D, E, F},
         {0, 1, 0, 3, 4, 5},
         "054 040016040004002"},
        {"F joins E: F's mask is not part of the value",
         kAlone,
         [](ChLinkEditor& e) { e.click(4, 5); },
         {A, B, C, D, E | F, E | F},
         {0, 1, 2, 3, 4, 4},
         "054 032016008004003"},
        {"A leaves a group of three for an empty row: B leads what is left",
         {A | B | C, A | B | C, A | B | C, D, E, F},
         [](ChLinkEditor& e) { e.click(5, 0); },
         {A, B | C, B | C, D, E, F},
         {0, 1, 1, 3, 4, 5},
         "054 032024024004002"},
        {"D, E and F into the row of B; clicks outside the grid ignored",
         kAlone,
         [](ChLinkEditor& e) {
             for (int ch : {3, 4, 5})
                 e.click(1, ch);
             e.click(6, 0);
             e.click(0, 6);
             e.click(-1, 2);
         },
         {A, B | D | E | F, C, B | D | E | F, B | D | E | F, B | D | E | F},
         {0, 1, 2, 1, 1, 1},
         "054 032023008023023"},
        {"a click on the slot an output already has changes nothing",
         {A | B, A | B, C, D, E, F},
         [](ChLinkEditor& e) { e.click(0, 1); },
         {A | B, A | B, C, D, E, F},
         {0, 0, 2, 3, 4, 5},
         "054 048048008004002"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        sink.edits.clear();
        setMasks(c.before);
        const ProgramRecord original = record();
        ChLinkEditor editor(session, sink);
        c.clicks(editor);
        EXPECT_EQ(masks(), c.before) << "nothing is written before OK";
        editor.apply();
        EXPECT_EQ(masks(), c.after);
        for (std::size_t ch = 0; ch < 6; ++ch) {
            const auto from = static_cast<std::size_t>(c.takesFrom[ch]);
            EXPECT_EQ(shared(record().out[ch]), shared(original.out[from])) << ch;
            EXPECT_EQ(own(record().out[ch]), own(original.out[ch])) << ch;
        }
        EXPECT_EQ(sink.edits, Edits{c.edit});
    }
}

TEST_F(ChLinkEditorTest, OfflineOkChangesTheRecordAndSendsNothing) {
    session.ConnectedUnitId = 0;
    ChLinkEditor editor(session, sink);
    editor.click(0, 1);
    editor.apply();
    EXPECT_EQ(masks(), (Masks{A | B, A | B, C, D, E, F}));
    EXPECT_EQ(shared(record().out[1]), shared(record().out[0]));
    EXPECT_TRUE(sink.edits.empty());
}

// A slot is 17 x 17 pixels; the 2 pixels between two slots and everything off the bars
// belong to none.
TEST(ChLinkGeometry, SlotUnderThePointer) {
    namespace geo = ch_link_geometry;
    const QRect bar0 = geo::BarRect(0);
    const QRect bar5 = geo::BarRect(5);
    const int left = bar0.left();
    const int top = bar0.top();
    struct Case {
        QPoint at;
        std::optional<ChLinkSlot> slot;
    };
    const Case cases[] = {
        {{left + 2, top}, ChLinkSlot{0, 0}},
        {{left + 1, top}, std::nullopt},
        {{left + 2, top - 1}, std::nullopt},
        {{left + 18, top + 16}, ChLinkSlot{0, 0}},
        {{left + 19, top + 8}, std::nullopt},
        {{left + 20, top + 8}, std::nullopt},
        {{left + 21, top + 8}, ChLinkSlot{0, 1}},
        {{left + 2, top + 17}, std::nullopt},
        {{left + 2 + 19 * 5 + 16, top}, ChLinkSlot{0, 5}},
        {{left + 2 + 19 * 5 + 17, top}, std::nullopt},
        {{left + 2 + 19 * 2, geo::BarRect(1).top()}, ChLinkSlot{1, 2}},
        {{left + 2 + 19 * 3, geo::BarRect(1).top() - 1}, std::nullopt},
        {{bar5.left() + 2 + 19 * 5 + 16, bar5.top() + 16}, ChLinkSlot{5, 5}},
        {{bar5.left() + 2 + 19 * 5 + 16, bar5.top() + 17}, std::nullopt},
        {{0, 0}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(geo::SlotAt(c.at), c.slot) << c.at.x() << "," << c.at.y();
    EXPECT_EQ(geo::SlotRect(3, 4),
              QRect(geo::BarRect(3).left() + 2 + 19 * 4, geo::BarRect(3).top(), 17, 17));
}
