#include "graphs/block_diagram_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace mqx;
using Rects = std::vector<QRect>;
using P = OutputPart;

namespace {

ProgramRecord defaults() {
    ProgramRecord r;
    ApplyRecordDefaults(r);
    return r;
}

Rects sorted(Rects rects) {
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) {
        return std::tuple(a.x(), a.y(), a.width(), a.height()) <
               std::tuple(b.x(), b.y(), b.width(), b.height());
    });
    return rects;
}

// The rectangles lit for `changed` and not for the factory program, and the other way round.
std::pair<Rects, Rects> litChange(const ProgramRecord& changed) {
    const Rects before = sorted(LitRects(LightDiagram(defaults())));
    const Rects after = sorted(LitRects(LightDiagram(changed)));
    Rects added, removed;
    for (const QRect& r : after)
        if (std::find(before.begin(), before.end(), r) == before.end())
            added.push_back(r);
    for (const QRect& r : before)
        if (std::find(after.begin(), after.end(), r) == after.end())
            removed.push_back(r);
    return {added, removed};
}

QRect part(int c, P p) {
    return OutputPartRect(c, p);
}

} // namespace

// Where each block sits is held by the reference pictures of the main window.
TEST(DiagramGeometry, BlocksSitInsideThePictureApartFromOneAnother) {
    Rects all;
    for (const DiagramTarget& t : DiagramTargets())
        all.push_back(t.rect);
    for (int c = 0; c < kOutputCount; ++c)
        all.push_back(part(c, P::Mute));
    for (const QRect& r : {InputRoutingRect(), OutputRoutingRect(), PeqCompRoutingRects()[0],
                           PeqCompRoutingRects()[1]})
        all.push_back(r);
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_TRUE(QRect(0, 0, kDiagramWidth, kDiagramHeight).contains(all[i])) << i;
        for (std::size_t j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(all[i].intersects(all[j])) << i << " and " << j;
    }
}

TEST(DiagramLighting, EachSettingLightsItsOwnBlock) {
    // clang-format off
    const Rects factory = {InputBlockRect(),     GeqRect(0),           GeqRect(1),
                           part(0, P::LowPass),  part(1, P::HighPass), part(1, P::LowPass),
                           part(2, P::HighPass), part(3, P::LowPass),  part(4, P::HighPass),
                           part(4, P::LowPass),  part(5, P::HighPass)};
    // clang-format on
    EXPECT_EQ(sorted(LitRects(LightDiagram(defaults()))), sorted(factory));

    struct Case {
        const char* what;
        std::function<void(ProgramRecord&)> change;
        Rects added, removed;
    };
    const Case cases[] = {
        {"mute C", [](auto& r) { r.out[2].on = 0; }, {part(2, P::Mute)}, {}},
        {"level A", [](auto& r) { r.out[0].level = 180; }, {part(0, P::Level)}, {}},
        {"limiter A", [](auto& r) { r.out[0].limiter = 1; }, {part(0, P::Limiter)}, {}},
        {"delay A", [](auto& r) { r.out[0].delay = 1; }, {part(0, P::Delay)}, {}},
        {"phase A", [](auto& r) { r.out[0].phase = 1; }, {part(0, P::Phase)}, {}},
        {"third EQ of A", [](auto& r) { r.out[0].eq[2].type = 3; }, {part(0, P::Equaliser)}, {}},
        {"high-pass A", [](auto& r) { r.out[0].hpf_freq = 1; }, {part(0, P::HighPass)}, {}},
        {"low-pass C", [](auto& r) { r.out[2].lpf_freq = 121; }, {part(2, P::LowPass)}, {}},
        {"both filters of B off",
         [](auto& r) { r.out[1].hpf_freq = 0, r.out[1].lpf_freq = 122; },
         {},
         {part(1, P::HighPass), part(1, P::LowPass)}},
        {"PEQ+Comp. mode",
         [](auto& r) { r.eq_mode = 1; },
         {PeqRect(0), PeqRect(1)},
         {GeqRect(0), GeqRect(1)}},
        {"generator and IN-2 delay",
         [](auto& r) { r.input_mode = 1, r.master_delay[1] = 1; },
         {SignalGeneratorRect(), InputDelayRect(1)},
         {InputBlockRect()}}};
    for (const Case& c : cases) {
        ProgramRecord r = defaults();
        c.change(r);
        const auto [added, removed] = litChange(r);
        EXPECT_EQ(added, sorted(c.added)) << c.what;
        EXPECT_EQ(removed, sorted(c.removed)) << c.what;
    }

    ProgramRecord r = defaults();
    r.eq_mode = 1;
    EXPECT_TRUE(LightDiagram(r).peqCompRouting);
    r.peq_on = {0, 0};
    EXPECT_EQ(LightDiagram(r).peq, (std::array<bool, 2>{false, false}));
    r.peq_gain[1] = 180;
    EXPECT_EQ(LightDiagram(r).peq, (std::array<bool, 2>{false, true}));
    // GEQ mode ignores the compressors and reads the GEQ's switch and gain.
    r = defaults();
    r.comp_on = r.comp_gain = {1, 1};
    r.geq_on = {0, 0};
    r.geq_gain[0] = 241;
    EXPECT_EQ(LightDiagram(r).compressor, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(LightDiagram(r).geq, (std::array<bool, 2>{true, false}));
    EXPECT_FALSE(LightDiagram(r).peqCompRouting);
}

TEST(DiagramLighting, CompressorFollowsTheChannelItsLinkModeReads) {
    using Pair = std::array<bool, 2>;
    const std::tuple<std::uint8_t, Pair, Pair> cases[] = {
        {0, {true, false}, {false, true}}, // individual
        {1, {true, true}, {false, false}}, // stereo
        {2, {true, true}, {false, false}}, // IN-1
        {3, {false, false}, {true, true}}, // IN-2
    };
    for (const auto& [link, whenFirstOn, whenSecondOn] : cases) {
        ProgramRecord r = defaults();
        r.eq_mode = 1;
        r.comp_link = link;
        EXPECT_EQ(LightDiagram(r).compressor, (Pair{false, false})) << int(link);
        r.comp_on = {1, 0};
        EXPECT_EQ(LightDiagram(r).compressor, whenFirstOn) << int(link);
        r.comp_on = {0, 1};
        EXPECT_EQ(LightDiagram(r).compressor, whenSecondOn) << int(link);
    }
    // A make-up gain away from 0 dB lights its own channel whatever the link.
    ProgramRecord r = defaults();
    r.eq_mode = 1;
    r.comp_link = 3;
    r.comp_gain[0] = 200;
    EXPECT_EQ(LightDiagram(r).compressor, (Pair{true, false}));
}

// The first pixel of a block opens its tab, the first pixel past it does not; the mute
// blocks and the routing areas open nothing.
TEST(DiagramHitTest, EveryBlockOpensItsTabToItsEdges) {
    const int tabs[] = {0, 0, 1, 2, 3, 4, 5, 5, 6, 6, 7, 8, 9, 10, 11, 12};
    for (std::size_t i = 0; i < DiagramTargets().size(); ++i) {
        const QRect r = DiagramTargets()[i].rect;
        EXPECT_EQ(TabAtPoint(r.topLeft()), tabs[i]) << i;
        EXPECT_EQ(TabAtPoint(r.bottomRight()), tabs[i]) << i;
        EXPECT_EQ(TabAtPoint(r.bottomRight() + QPoint(1, 0)), -1) << i;
        EXPECT_EQ(TabAtPoint(r.bottomRight() + QPoint(0, 1)), -1) << i;
        EXPECT_EQ(TabAtPoint(r.topLeft() - QPoint(1, 0)), -1) << i;
    }
    EXPECT_EQ(DiagramTargets()[2].rect, GeqRect(0));
    EXPECT_EQ(DiagramTargets()[15].rect, OutputRowRect(5));
    for (int part = 0; part < kOutputPartCount - 1; ++part)
        EXPECT_EQ(TabAtPoint(OutputPartRect(4, static_cast<P>(part)).center()), 11);
    for (const QRect& r :
         {part(2, P::Mute), InputRoutingRect(), OutputRoutingRect(), PeqCompRoutingRects()[1]})
        EXPECT_EQ(TabAtPoint(r.center()), -1);
}
