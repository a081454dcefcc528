#include "graphs/block_diagram_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace mqx;

namespace {

ProgramRecord defaults() {
    ProgramRecord r;
    ApplyRecordDefaults(r);
    return r;
}

// Output row c's sub-block that starts at x with width w.
QRect outPart(int c, int x, int w) {
    return {x, 1 + 38 * c, w, 32};
}

std::vector<QRect> sorted(std::vector<QRect> rects) {
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) {
        return std::tuple(a.x(), a.y(), a.width(), a.height()) <
               std::tuple(b.x(), b.y(), b.width(), b.height());
    });
    return rects;
}

// The rectangles lit for `changed` that are not lit for the factory program, and the
// other way round.
std::pair<std::vector<QRect>, std::vector<QRect>> litChange(const ProgramRecord& changed) {
    const auto before = sorted(LitRects(LightDiagram(defaults())));
    const auto after = sorted(LitRects(LightDiagram(changed)));
    std::vector<QRect> added;
    std::vector<QRect> removed;
    auto less = [](const QRect& a, const QRect& b) {
        return std::tuple(a.x(), a.y(), a.width(), a.height()) <
               std::tuple(b.x(), b.y(), b.width(), b.height());
    };
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(added), less);
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::back_inserter(removed), less);
    return {added, removed};
}

} // namespace

TEST(DiagramLighting, FactoryProgramLightsInputGeqsAndTheSplitFilters) {
    const std::vector<QRect> expected = {
        QRect(1, 11, 20, 179),   QRect(78, 15, 105, 32),
        QRect(78, 116, 105, 32), outPart(0, 320, 32), // output 1: low-pass only
        outPart(1, 284, 32),     outPart(1, 320, 32), // output 2: both
        outPart(2, 284, 32),                          // output 3: high-pass only
        outPart(3, 320, 32),     outPart(4, 284, 32),
        outPart(4, 320, 32),     outPart(5, 284, 32),
    };
    EXPECT_EQ(sorted(LitRects(LightDiagram(defaults()))), sorted(expected));
    EXPECT_FALSE(LightDiagram(defaults()).peqCompRouting);
}

TEST(DiagramLighting, MutingOutputThreeLightsOnlyItsMuteBlock) {
    ProgramRecord r = defaults();
    r.out[2].on = 0;
    const auto [added, removed] = litChange(r);
    EXPECT_EQ(added, std::vector<QRect>{QRect(580, 77, 40, 32)});
    EXPECT_TRUE(removed.empty());
    r.out[2].on = 1;
    EXPECT_EQ(LightDiagram(r), LightDiagram(defaults()));
}

TEST(DiagramLighting, EachOutputSettingLightsItsOwnSubBlock) {
    struct Case {
        const char* what;
        int channel;
        std::function<void(OutputChannel&)> change;
        int x;
        int width;
    };
    const Case cases[] = {
        {"level", 0, [](OutputChannel& o) { o.level = 180; }, 403, 45},
        {"limiter", 0, [](OutputChannel& o) { o.limiter = 1; }, 453, 42},
        {"delay", 0, [](OutputChannel& o) { o.delay = 1; }, 499, 35},
        {"phase", 0, [](OutputChannel& o) { o.phase = 1; }, 538, 38},
        {"third eq band", 0, [](OutputChannel& o) { o.eq[2].type = 3; }, 356, 43},
        {"high-pass on", 0, [](OutputChannel& o) { o.hpf_freq = 1; }, 284, 32},
        {"low-pass on", 2, [](OutputChannel& o) { o.lpf_freq = 121; }, 320, 32},
    };
    for (const Case& c : cases) {
        ProgramRecord r = defaults();
        c.change(r.out[static_cast<std::size_t>(c.channel)]);
        const auto [added, removed] = litChange(r);
        EXPECT_EQ(added, std::vector<QRect>{outPart(c.channel, c.x, c.width)}) << c.what;
        EXPECT_TRUE(removed.empty()) << c.what;
    }

    ProgramRecord r = defaults();
    r.out[1].hpf_freq = 0;
    r.out[1].lpf_freq = 122;
    const auto [added, removed] = litChange(r);
    EXPECT_TRUE(added.empty());
    EXPECT_EQ(sorted(removed), sorted({outPart(1, 284, 32), outPart(1, 320, 32)}));
}

TEST(DiagramLighting, PeqCompModeLightsPeqsInsteadOfGeqs) {
    ProgramRecord r = defaults();
    r.eq_mode = 1;
    const auto [added, removed] = litChange(r);
    EXPECT_EQ(sorted(added), sorted({QRect(78, 56, 54, 32), QRect(78, 157, 54, 32)}));
    EXPECT_EQ(sorted(removed), sorted({QRect(78, 15, 105, 32), QRect(78, 116, 105, 32)}));
    EXPECT_TRUE(LightDiagram(r).peqCompRouting);

    r.peq_on = {0, 0};
    EXPECT_EQ(LightDiagram(r).peq, (std::array<bool, 2>{false, false}));
    r.peq_gain[1] = 180;
    EXPECT_EQ(LightDiagram(r).peq, (std::array<bool, 2>{false, true}));
}

TEST(DiagramLighting, CompressorFollowsTheChannelItsLinkModeReads) {
    using Pair = std::array<bool, 2>;
    struct Case {
        std::uint8_t link;
        Pair whenFirstOn;
        Pair whenSecondOn;
    };
    const Case cases[] = {
        {0, {true, false}, {false, true}}, // individual
        {1, {true, true}, {false, false}}, // stereo
        {2, {true, true}, {false, false}}, // IN-1
        {3, {false, false}, {true, true}}, // IN-2
    };
    for (const Case& c : cases) {
        ProgramRecord r = defaults();
        r.eq_mode = 1;
        r.comp_link = c.link;
        EXPECT_EQ(LightDiagram(r).compressor, (Pair{false, false})) << int(c.link);
        r.comp_on = {1, 0};
        EXPECT_EQ(LightDiagram(r).compressor, c.whenFirstOn) << int(c.link);
        r.comp_on = {0, 1};
        EXPECT_EQ(LightDiagram(r).compressor, c.whenSecondOn) << int(c.link);
    }

    // A make-up gain away from 0 dB lights its own channel whatever the link.
    ProgramRecord r = defaults();
    r.eq_mode = 1;
    r.comp_link = 3;
    r.comp_gain[0] = 200;
    EXPECT_EQ(LightDiagram(r).compressor, (Pair{true, false}));
    EXPECT_EQ(LitRects(LightDiagram(r)).size(), LitRects(LightDiagram(defaults())).size() + 1);
}

TEST(DiagramLighting, GeqModeIgnoresCompressorsAndReadsGeqSwitchAndGain) {
    ProgramRecord r = defaults();
    r.comp_on = {1, 1};
    r.comp_gain = {1, 1};
    r.geq_on = {0, 0};
    EXPECT_EQ(LightDiagram(r).compressor, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(LightDiagram(r).geq, (std::array<bool, 2>{false, false}));
    r.geq_gain[0] = 241;
    EXPECT_EQ(LightDiagram(r).geq, (std::array<bool, 2>{true, false}));
}

TEST(DiagramLighting, SignalGeneratorReplacesInputAndDelaysLightPerChannel) {
    ProgramRecord r = defaults();
    r.input_mode = 1;
    r.master_delay[1] = 1;
    const auto [added, removed] = litChange(r);
    EXPECT_EQ(sorted(added), sorted({QRect(1, 200, 58, 32), QRect(210, 137, 35, 32)}));
    EXPECT_EQ(removed, std::vector<QRect>{QRect(1, 11, 20, 179)});
}

TEST(DiagramHitTest, TargetsInTheirTestingOrder) {
    const std::pair<QRect, int> expected[] = {
        {QRect(1, 11, 20, 179), 0},     {QRect(1, 200, 58, 32), 0},
        {QRect(78, 15, 105, 32), 1},    {QRect(78, 116, 105, 32), 2},
        {QRect(78, 56, 54, 32), 3},     {QRect(78, 157, 54, 32), 4},
        {QRect(137, 56, 46, 32), 5},    {QRect(137, 157, 46, 32), 5},
        {QRect(210, 36, 35, 32), 6},    {QRect(210, 137, 35, 32), 6},
        {QRect(284, 1, 292, 32), 7},    {QRect(284, 39, 292, 32), 8},
        {QRect(284, 77, 292, 32), 9},   {QRect(284, 115, 292, 32), 10},
        {QRect(284, 153, 292, 32), 11}, {QRect(284, 191, 292, 32), 12},
    };
    const auto& targets = DiagramTargets();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        EXPECT_EQ(targets[i].rect, expected[i].first) << i;
        EXPECT_EQ(targets[i].tab, expected[i].second) << i;
    }
}

TEST(DiagramHitTest, EdgesInsideAndOutside) {
    // Left and top edges belong to a block, the first pixel past width and height does not.
    EXPECT_EQ(TabAtPoint({78, 157}), 4);
    EXPECT_EQ(TabAtPoint({131, 188}), 4);
    EXPECT_EQ(TabAtPoint({132, 170}), -1); // between PEQ 2 and its compressor
    EXPECT_EQ(TabAtPoint({78, 189}), -1);
    EXPECT_EQ(TabAtPoint({575, 77}), 9);
    EXPECT_EQ(TabAtPoint({576, 77}), -1);
    EXPECT_EQ(TabAtPoint({20, 189}), 0);
    EXPECT_EQ(TabAtPoint({21, 100}), -1);
    // The mute sub-block lies right of the row's click area; the routing areas answer nothing.
    EXPECT_EQ(TabAtPoint({600, 90}), -1);
    EXPECT_EQ(TabAtPoint({40, 100}), -1);
    EXPECT_EQ(TabAtPoint({260, 100}), -1);
    EXPECT_EQ(TabAtPoint({0, 0}), -1);
    EXPECT_EQ(TabAtPoint({676, 232}), -1);
    // Each sub-block of a row opens the row's output tab.
    for (int part = 0; part < kOutputPartCount - 1; ++part)
        EXPECT_EQ(TabAtPoint(OutputPartRect(4, static_cast<OutputPart>(part)).center()), 11);
}

TEST(DiagramGeometry, BlocksStayInsideThePictureAndNeverOverlap) {
    std::vector<QRect> all;
    for (const DiagramTarget& t : DiagramTargets())
        all.push_back(t.rect);
    for (int c = 0; c < kOutputCount; ++c)
        all.push_back(OutputPartRect(c, OutputPart::Mute));
    all.push_back(InputRoutingRect());
    all.push_back(OutputRoutingRect());
    for (const QRect& r : PeqCompRoutingRects())
        all.push_back(r);
    const QRect picture(0, 0, kDiagramWidth, kDiagramHeight);
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_TRUE(picture.contains(all[i])) << i;
        for (std::size_t j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(all[i].intersects(all[j])) << i << " and " << j;
    }
}
