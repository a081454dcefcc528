#include "graphs/block_diagram_model.h"
#include "graphs/block_diagram_page.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <tuple>

using namespace mqx;
using Rects = std::vector<QRect>;
using P = OutputPart;

namespace {

ProgramRecord defaults() {
    ProgramRecord r;
    ApplyRecordDefaults(r);
    return r;
}

const auto key = [](const QRect& r) { return std::tuple(r.x(), r.y(), r.width(), r.height()); };

Rects sorted(Rects rects) {
    std::ranges::sort(rects, {}, key);
    return rects;
}

// The rectangles lit for `changed` and not for the factory program, and the other way round.
std::pair<Rects, Rects> litChange(const ProgramRecord& changed) {
    const Rects old = sorted(LitRects(LightDiagram(defaults())));
    const Rects now = sorted(LitRects(LightDiagram(changed)));
    std::pair<Rects, Rects> out;
    std::ranges::set_difference(now, old, std::back_inserter(out.first), {}, key, key);
    std::ranges::set_difference(old, now, std::back_inserter(out.second), {}, key, key);
    return out;
}

const auto part = [](int c, P p) { return OutputPartRect(c, p); };

} // namespace

TEST(DiagramLighting, EachSettingLightsItsOwnBlock) {
    const Rects factory = {InputBlockRect(),     GeqRect(0),           GeqRect(1),
                           part(0, P::LowPass),  part(1, P::HighPass), part(1, P::LowPass),
                           part(2, P::HighPass), part(3, P::LowPass),  part(4, P::HighPass),
                           part(4, P::LowPass),  part(5, P::HighPass)};
    EXPECT_EQ(sorted(LitRects(LightDiagram(defaults()))), sorted(factory));

    // {what, the change, the blocks it lights, the blocks it puts out}
    const std::tuple<const char*, std::function<void(ProgramRecord&)>, Rects, Rects> cases[] = {
        {"both filters of B off",
         [](auto& r) { r.out[1].hpf_freq = 0, r.out[1].lpf_freq = 122; },
         {},
         {part(1, P::HighPass), part(1, P::LowPass)}},
        {"IN-2 delay", [](auto& r) { r.master_delay[1] = 1; }, {InputDelayRect(1)}, {}},
        {"GEQ 2 off", [](auto& r) { r.geq_on[1] = 0; }, {}, {GeqRect(1)}},
        {"PEQ 2 off",
         [](auto& r) { r.eq_mode = 1, r.peq_on[1] = 0; },
         {PeqRect(0)},
         {GeqRect(0), GeqRect(1)}},
        {"PEQs off, PEQ 2 gain",
         [](auto& r) {
             r.eq_mode = 1, r.peq_on = {0, 0}, r.peq_gain[1] = 180;
         },
         {PeqRect(1)},
         {GeqRect(0), GeqRect(1)}},
        {"GEQ mode ignores the compressors; GEQs off, GEQ 1 gain",
         [](auto& r) {
             r.comp_on = r.comp_gain = {1, 1}, r.geq_on = {0, 0}, r.geq_gain[0] = 241;
         },
         {},
         {GeqRect(1)}}};
    for (const auto& [what, change, added, removed] : cases) {
        ProgramRecord r = defaults();
        change(r);
        EXPECT_EQ(litChange(r), std::pair(sorted(added), sorted(removed))) << what;
    }
}

TEST(DiagramLighting, CompressorFollowsTheChannelItsLinkModeReads) {
    using Pair = std::array<bool, 2>;
    // {link, comp_on, lit}; the link modes are individual, stereo, IN-1 and IN-2.
    const std::tuple<std::uint8_t, Pair, Pair> cases[] = {
        {0, {0, 0}, {0, 0}}, {0, {1, 0}, {1, 0}}, {0, {0, 1}, {0, 1}},
        {1, {1, 0}, {1, 1}}, {1, {0, 1}, {0, 0}}, {2, {1, 0}, {1, 1}},
        {2, {0, 1}, {0, 0}}, {3, {1, 0}, {0, 0}}, {3, {0, 1}, {1, 1}}};
    ProgramRecord r = defaults();
    r.eq_mode = 1;
    for (const auto& [link, on, lit] : cases) {
        r.comp_link = link;
        r.comp_on = {on[0], on[1]};
        EXPECT_EQ(LightDiagram(r).compressor, lit) << int(link) << on[0] << on[1];
    }
    // A make-up gain away from 0 dB lights its own channel whatever the link.
    r.comp_on = {0, 0};
    r.comp_gain[0] = 200;
    EXPECT_EQ(LightDiagram(r).compressor, (Pair{true, false}));
}

// The mute blocks and the routing areas open nothing.
TEST(DiagramHitTest, EveryBlockOpensItsTabToItsEdges) {
    const int tabs[] = {0, 0, 1, 2, 3, 4, 5, 5, 6, 6, 7, 8, 9, 10, 11, 12};
    for (std::size_t i = 0; i < DiagramTargets().size(); ++i) {
        const QRect r = DiagramTargets()[i].rect;
        const QPoint br = r.bottomRight();
        EXPECT_EQ(
            (std::array{TabAtPoint(r.topLeft()), TabAtPoint(br), TabAtPoint(br + QPoint(1, 0)),
                        TabAtPoint(br + QPoint(0, 1)), TabAtPoint(r.topLeft() - QPoint(1, 0))}),
            (std::array{tabs[i], tabs[i], -1, -1, -1}))
            << i;
    }
    for (int i = 0; i < kOutputPartCount - 1; ++i)
        EXPECT_EQ(TabAtPoint(part(4, static_cast<P>(i)).center()), 11);
    for (const QRect& r :
         {part(2, P::Mute), InputRoutingRect(), OutputRoutingRect(), PeqCompRoutingRects()[1]})
        EXPECT_EQ(TabAtPoint(r.center()), -1);
    // On the page, a left press asks for the tab, once; nothing else does.
    BlockDiagramPage page;
    for (const auto& [button, point, tab] : {std::tuple{Qt::LeftButton, PeqRect(1).center(), 4},
                                             {Qt::RightButton, PeqRect(1).center(), -1},
                                             {Qt::LeftButton, part(0, P::Mute).center(), -1}}) {
        QSignalSpy spy(&page, &BlockDiagramPage::tabRequested);
        QTest::mouseClick(&page, button, {}, point);
        EXPECT_EQ(spy.isEmpty() ? -1 : spy.at(0).at(0).toInt(), tab) << point.x();
        EXPECT_EQ(spy.count(), tab < 0 ? 0 : 1);
    }
}
