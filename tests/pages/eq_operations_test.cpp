#include "editor_test.h"
#include "pages/eq_operations.h"

#include <cstring>
#include <tuple>

using namespace mqx;
using test::Edits;

namespace {

// The eleven flat-band edits of one PEQ channel character, between the given edits.
Edits peqBands(Edits e, char channel, const Edits& after) {
    for (int b = 0; b < kPeqBandCount; ++b)
        e.push_back(std::string("021") + channel + (b < 10 ? "0" : "") + std::to_string(b) +
                    " 000069024046");
    e.insert(e.end(), after.begin(), after.end());
    return e;
}

struct EqOperationsTest : test::EditorTest {
    EqOperationsTest() { setUp(); }
    void setUp() {
        reset();
        ProgramRecord& r = record();
        r.geq_link = 0;
        r.peq_link = 0;
        // Every channel different, and a remembered band everywhere.
        for (int ch = 0; ch < 2; ++ch) {
            const auto c = static_cast<std::size_t>(ch);
            for (auto& band : r.geq_level)
                band[c] = static_cast<std::uint8_t>(10 + ch);
            r.geq_gain[c] = static_cast<std::uint8_t>(150 + ch);
            r.geq_on[c] = static_cast<std::uint8_t>(ch);
            for (auto& band : r.peq_band)
                band[c] = EqBand{2, static_cast<std::uint8_t>(30 + ch), 40, 10};
            session.peqBandOff.type[c].fill(3);
        }
        for (auto& saved : session.savedBandSettings.channel)
            saved.eq_type = {1, 1, 1};
    }
    EqOperations ops{session, sink};
};

} // namespace

TEST_F(EqOperationsTest, EachOperationSendsItsEditsInOrder) {
    using Given = std::function<void(ProgramRecord&)>;
    const auto linkPeq = [](ProgramRecord& r) { r.peq_link = 1; };
    const auto linkGeq = [](ProgramRecord& r) { r.geq_link = 1; };
    const auto none = [](ProgramRecord&) {};
    const std::tuple<const char*, Given, std::function<void(EqOperations&)>, Edits> cases[] = {
        // clang-format off
        {"GEQ flat of both linked channels: one edit", linkGeq,
         [](auto& e) { e.geqFlat(true, true); }, {"0120 31024"}},
        {"PEQ flat of channel 2 alone: no muting", none, [](auto& e) { e.peqFlat(false, true); },
         peqBands({}, '2', {})},
        {"PEQ flat of channel 1 from the inputs", none, [](auto& e) { e.peqFlat(true, false); },
         peqBands({"006 000", "001 001"}, '1', {"001 000"})},
        {"PEQ flat of channel 1 from the inputs, the generator left sounding",
         [](ProgramRecord& r) { r.sg_mute = 1; }, [](auto& e) { e.peqFlat(true, false); },
         peqBands({"006 000", "001 001"}, '1', {"001 000", "006 001"})},
        {"PEQ flat of channel 1 on a sounding generator",
         [](ProgramRecord& r) { r.input_mode = 1; r.sg_mute = 1; },
         [](auto& e) { e.peqFlat(true, false); },
         peqBands({"006 000"}, '1', {"006 001"})},
        {"PEQ flat of both linked channels: bands once", linkPeq,
         [](auto& e) { e.peqFlat(true, true); },
         peqBands({"006 000", "001 001"}, '0', {"001 000"})},
        // clang-format on
    };
    for (const auto& [name, given, act, sent] : cases) {
        SCOPED_TRACE(name);
        setUp();
        given(record());
        sink.edits.clear();
        act(ops);
        EXPECT_EQ(sink.edits, sent);
    }
}

// Linking copies the chosen channel; flattening clears the bands' memories, of both channels
// when linked. Offline: nothing sent.
TEST_F(EqOperationsTest, LinkingCopiesAChannelAndFlatteningClearsTheBandMemories) {
    ProgramRecord& r = record();
    session.ConnectedUnitId = 0;
    ops.linkOn(EqKind::Geq, 1);
    ops.linkOn(EqKind::Peq, 0);
    EXPECT_EQ(std::tuple(r.geq_level[30][0], r.geq_gain[0], r.geq_on[0], r.peq_band[10][1].freq),
              std::tuple(11, 151, 1, 30));
    r.peq_link = 1;
    ops.peqFlat(false, true);
    ops.geqFlat(true, false);
    ops.outputFlat(TickOutput(r, {}, 3, true));
    EXPECT_TRUE(sink.edits.empty());
    EXPECT_FALSE(session.peqBandOff.holdsAnything());
    EXPECT_EQ(r.out[3].eq[2], kFlatEqBand);
    EXPECT_EQ(std::tuple(session.savedBandSettings.channel[3].eq_type[2],
                         session.savedBandSettings.channel[2].eq_type[0]),
              std::tuple(0, 1));
}

// A tick reaches the linked outputs; a channel outside A..F ticks nothing and reads nothing
// (the bytes around the outputs are set to show a read past them).
TEST_F(EqOperationsTest, ALinkedOutputTakesTheSameTickAndNoOtherChannelTicks) {
    ProgramRecord& r = record();
    const auto group = static_cast<std::uint8_t>(OutputBit(0) | OutputBit(1));
    r.out[0].link_mask = r.out[1].link_mask = group;
    r.comp_on = {0xFF, 0xFF}; // the bytes just before the outputs
    std::memset(session.Record(1).bytes(), 0xFF, sizeof(ProgramRecord)); // and just after
    const auto ticks = [](const char* marks) { // "x" ticked, "." not, from A to F
        std::array<bool, 6> t{};
        for (std::size_t c = 0; c < t.size(); ++c)
            t[c] = marks[c] == 'x';
        return t;
    };
    const std::tuple<const char*, int, bool, const char*> cases[] = {
        {"......", 0, true, "xx...."},  {"xxx...", 1, false, "..x..."},
        {"......", 4, true, "....x."},  {"......", 5, true, ".....x"},
        {"......", -1, true, "......"}, {"......", 6, true, "......"},
        {"x....x", 6, false, "x....x"},
    };
    for (const auto& [before, channel, on, after] : cases)
        EXPECT_EQ(TickOutput(r, ticks(before), channel, on), ticks(after)) << channel;
}

TEST(HasRememberedBands, AnyMemoryAnywhereCounts) {
    Session s;
    ApplyDefaults(s);
    EXPECT_FALSE(HasRememberedBands(s));
    const std::function<void(Session&)> memories[] = {
        [](Session& m) { m.peqBandOff.type[1][10] = 2; },
        [](Session& m) { m.savedBandSettings.channel[3].lpf_freq = 80; }, // output 4's LPF off
        [](Session& m) { m.savedBandSettings.channel[5].hpf_freq = 12; },
    };
    for (const auto& remember : memories) {
        ApplyDefaults(s);
        remember(s);
        EXPECT_TRUE(HasRememberedBands(s)) << &remember - memories;
    }
}
