// CH Link against the paced simulated unit, then the Delay page on linked outputs: the
// unit takes "054" and the mirrored delays as the controller does, so a download gives
// back the controller's program and each group holds one set of settings on both sides.

#include "simulated_link.h"

#include "link/engine_edit_sink.h"
#include "pages/ch_link_editor.h"
#include "pages/delay_editor.h"
#include "program/record_text.h"
#include "scripted_prompts.h"

#include <random>

using namespace mqx;

namespace {

struct ChLinkEndToEnd : test::SimulatedLink {
    // The controller's program and the unit's agree, and so do the members of each group.
    void expectBothSidesAgree(const std::vector<std::vector<std::size_t>>& groups) {
        const std::optional<ProgramRecord> unitHolds = download();
        ASSERT_TRUE(unitHolds);
        const ProgramRecord& ours = session.CurrentRecord();
        EXPECT_EQ(EncodeRecordText(*unitHolds), EncodeRecordText(ours));
        for (const auto& group : groups)
            for (std::size_t member : group)
                for (const ProgramRecord* side : {&*unitHolds, &ours}) {
                    const OutputChannel& o = side->out[member];
                    const OutputChannel& lead = side->out[group.front()];
                    EXPECT_EQ(std::tie(o.hpf_freq, o.lpf_freq, o.eq, o.level, o.delay, o.phase),
                              std::tie(lead.hpf_freq, lead.lpf_freq, lead.eq, lead.level,
                                       lead.delay, lead.phase))
                        << member;
                }
        ASSERT_TRUE(exchange(CmdLevon));
    }
};

} // namespace

TEST_F(ChLinkEndToEnd, LinkedOutputsKeepEqualSettingsOnBothSidesThroughDelayEdits) {
    // Six unlinked outputs that differ in everything a group shares.
    for (std::size_t c = 0; c < 6; ++c) {
        OutputChannel& o = unit().currentProgram().out[c];
        const auto v = [c](int base) { return static_cast<std::uint8_t>(base + c); };
        std::tie(o.hpf_freq, o.lpf_freq, o.level, o.phase) =
            std::tuple(v(30), v(100), v(160), c % 2);
        o.eq[1] = EqBand{2, v(50), v(20), v(10)};
        o.delay = 480u * static_cast<std::uint32_t>(c + 1);
    }
    session.CurrentRecord() = download().value_or(ProgramRecord{});
    engine.setMeteringOn(true);
    ASSERT_TRUE(exchange(CmdLevon));
    EngineEditSink sink(engine);
    test::ScriptedPrompts prompts;
    DelayEditor delay(session, sink, prompts, clock);
    std::mt19937 random(17);
    const auto link = [&](std::vector<std::pair<int, int>> clicks) {
        ChLinkEditor editor(session, sink);
        for (const auto& [row, channel] : clicks)
            editor.click(row, channel);
        editor.apply();
        idle(300);
    };
    // Typed entries, held arrows and key steps on outputs picked at random.
    const auto delayEdits = [&] {
        for (int i = 0; i < 24; ++i) {
            const DelayTarget target{DelayGroup::Channel, static_cast<int>(random() % 6)};
            if (const unsigned kind = random() % 3; kind == 0) {
                delay.commitEntry(target, DelayBox::Ms,
                                  QString::number(random() % 1366) + QStringLiteral(".25"));
            } else if (kind == 1) {
                delay.pressArrow(target, random() % 2 == 0);
                clock.advance(1000 + static_cast<qint64>(random() % 4000));
                delay.releaseArrow();
            } else {
                delay.stepDelay(target, static_cast<int>(random() % 21) - 10);
            }
            idle(250);
        }
        idle(1000);
    };

    link({{0, 1}, {0, 2}, {3, 4}}); // A, B and C in Group 1; E with D
    EXPECT_EQ(session.CurrentRecord().out[2].delay, 480u);
    delayEdits();
    expectBothSidesAgree({{0, 1, 2}, {3, 4}});

    // Rows now A B C, D E, F: B leaves for an empty row and F joins D and E.
    link({{3, 1}, {1, 5}});
    delayEdits();
    expectBothSidesAgree({{0, 2}, {3, 4, 5}});
    EXPECT_NE(session.CurrentRecord().out[1].delay, session.CurrentRecord().out[0].delay);
}
