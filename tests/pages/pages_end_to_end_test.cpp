// The pages' editors driving a simulated unit through the real link engine on virtual
// time: after any run of edits, the program downloaded from the unit must be the
// controller's own record, field by field.

#include "core/session.h"
#include "graphs/output_response.h"
#include "link/engine_edit_sink.h"
#include "link/link_engine.h"
#include "pages/ch_link_editor.h"
#include "pages/compressor_editor.h"
#include "pages/delay_editor.h"
#include "pages/eq_operations.h"
#include "pages/geq_editor.h"
#include "pages/input_editor.h"
#include "pages/output_editor.h"
#include "pages/output_filter_editor.h"
#include "pages/peq_editor.h"
#include "program/record_text.h"
#include "program/value_scales.h"
#include "scripted_prompts.h"
#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <tuple>

using namespace mqx;
using Box = InputEditor::Box;

namespace {

int pick(std::mt19937& random, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
}

// One operator action, drawn at random; each action picks its own channel and values.
struct EditAction {
    const char* name;
    std::function<void(std::mt19937&)> run;
};

class PagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyDefaults(session);
        // Outputs B, C and E form one link group, as the CH Link dialog would leave them.
        const auto group = static_cast<std::uint8_t>(OutputBit(1) | OutputBit(2) | OutputBit(4));
        for (int c : {1, 2, 4})
            record().out[static_cast<std::size_t>(c)].link_mask = group;
        sim.unit(1)->currentProgram() = record();
        sim.setFrameObserver([this](sim::UnitSimulator::Direction d, QByteArrayView frame, qint64) {
            if (d == sim::UnitSimulator::Direction::Received && frame.size() > 4 &&
                frame[3] == '$') {
                ++editsReceived;
                edits.push_back(frame.sliced(4).toByteArray());
            }
        });
        // Connected the way the connection leaves the link: metering on, so the level
        // reader takes the unit's level frames and the echoes of the edits off the line.
        session.ConnectedUnitId = 1;
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        engine.setMeteringOn(true);
        ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
        ASSERT_TRUE(clock.runUntil([this] { return engine.done(); }, 2000));
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    // The operator's pace: a moment between one action and the next.
    void pause() { clock.advance(250); }

    // Metering stops first, as for every program transfer, then the current program comes
    // back with "pdatget" for program 0.
    ProgramRecord download() {
        clock.advance(500);
        engine.setMeteringOn(false);
        engine.StopLevelReading();
        line.PurgeInput();
        EXPECT_EQ(engine.IssueCommand(CmdLevoff), 1);
        EXPECT_TRUE(clock.runUntil([this] { return engine.done(); }, 2000));
        clock.advance(200);
        line.PurgeInput();
        engine.setProgramArg(0);
        EXPECT_EQ(engine.IssueCommand(CmdPdatget), 1);
        EXPECT_TRUE(clock.runUntil([this] { return engine.done(); }, 20000));
        EXPECT_TRUE(engine.CheckReply(CmdPdatget).isMatch());
        ProgramRecord downloaded;
        EXPECT_TRUE(DecodeRecordText(QByteArrayView(engine.ReplyBuffer()).sliced(11), downloaded));
        return downloaded;
    }
    void expectUnitHoldsTheRecord() {
        const ProgramRecord unit = download();
        for (const RecordField& f : RecordFields()) {
            if (!f.carried)
                continue;
            if (f.kind == FieldKind::Text)
                EXPECT_EQ(FieldText(unit, f), FieldText(record(), f)) << f.name.toStdString();
            else
                EXPECT_EQ(FieldValue(unit, f), FieldValue(record(), f)) << f.name.toStdString();
        }
    }

    // `count` actions drawn from `actions`, a pause after each; with `eachTime`, the unit
    // must hold the record after every action (a later linked edit would cover up a copy
    // gone wrong). Every action must have been drawn.
    void run(const std::vector<EditAction>& actions, unsigned seed, int count, bool eachTime) {
        std::mt19937 random(seed);
        std::vector<int> used(actions.size());
        for (int i = 0; i < count; ++i) {
            const auto a = static_cast<std::size_t>(pick(random, 0, int(actions.size()) - 1));
            actions[a].run(random);
            ++used[a];
            pause();
            if (eachTime) {
                ASSERT_EQ(sim.unit(1)->currentProgram(), record()) << "after " << actions[a].name;
            }
        }
        for (std::size_t a = 0; a < actions.size(); ++a)
            EXPECT_GT(used[a], 0) << actions[a].name;
        for (const auto& shown : prompts.shown())
            EXPECT_NE(shown.text, QString::fromLatin1(kEnterNumberMessage));
        expectUnitHoldsTheRecord();
    }

    test::VirtualClock clock;
    sim::UnitSimulator sim{{1}};
    sim::SimulatedLine line{sim, clock, &clock};
    Session session;
    LinkEngine engine{line, clock, session};
    EngineEditSink sink{engine};
    test::ScriptedPrompts prompts;
    InputEditor input{session, sink, prompts};
    DelayEditor delay{session, sink, prompts, clock};
    std::array<GeqEditor, 2> geq{GeqEditor{session, sink, prompts, clock, 0},
                                 GeqEditor{session, sink, prompts, clock, 1}};
    std::array<PeqEditor, 2> peq{PeqEditor{session, sink, prompts, clock, 0},
                                 PeqEditor{session, sink, prompts, clock, 1}};
    CompressorEditor compressor{session, sink, prompts, clock};
    int editsReceived = 0;
    std::vector<QByteArray> edits; // code and value of every edit the unit received
    EqOperations eq{session, sink};
};

} // namespace

// The pages of GEQ mode: the Input, GEQ and Delay pages, among GEQ links and flats.
TEST_F(PagesEndToEnd, RandomInputGeqAndDelayEditsLeaveTheUnitWithTheControllersProgram) {
    const auto bandX = [](int band) { return GeqLayout::bandTrackLeft(band) + 10; };
    const auto trackY = [](auto& r) { return GeqLayout::kBandTrackTop + pick(r, 0, 131); };
    const auto anyGeq = [&](auto& r) -> GeqEditor& { return geq[std::size_t(pick(r, 0, 1))]; };
    const auto anyTarget = [](auto& r) {
        const int c = pick(r, 0, kOutputCount + 1);
        return c < 2 ? DelayTarget{DelayGroup::Master, c} : DelayTarget{DelayGroup::Channel, c - 2};
    };
    const auto anyInputBox = [](auto& r) { return static_cast<Box>(pick(r, 0, 2)); };
    const std::vector<EditAction> actions = {
        {"input mode", [&](auto& r) { input.selectInputMode(pick(r, 0, 1)); }},
        {"wave", [&](auto& r) { input.selectWave(pick(r, 0, 1) == 1); }},
        {"muting", [&](auto& r) { input.setMuting(pick(r, 0, 1) == 1); }},
        {"input select", [&](auto& r) { input.selectInput(pick(r, 0, 4)); }},
        {"input spins", [&](auto& r) { input.stepSpin(anyInputBox(r), pick(r, 0, 1) == 1); }},
        {"input typed",
         [&](auto& r) {
             const Box box = anyInputBox(r);
             input.commitText(box, QString::number(box == Box::SineFreq ? pick(r, 10, 22000)
                                                                        : pick(r, -60, 20)));
         }},
        {"delay typed",
         [&](auto& r) {
             const auto box = static_cast<DelayBox>(pick(r, 0, 1));
             delay.commitEntry(anyTarget(r), box, QString::number(pick(r, 0, 14000) / 10.0));
         }},
        {"delay arrows held", // the steps of 1, 10 and 100 go out as one edit on release
         [&](auto& r) {
             delay.pressArrow(anyTarget(r), pick(r, 0, 1) == 1);
             clock.advance(pick(r, 0, 8000));
             delay.releaseArrow();
         }},
        {"GEQ band arrows", [&](auto& r) { anyGeq(r).stepBand(pick(r, 0, 30), pick(r, -12, 12)); }},
        {"GEQ band typed",
         [&](auto& r) {
             anyGeq(r).commitBandText(pick(r, 0, 30), QString::number(pick(r, -130, 130) / 10.0));
         }},
        {"GEQ level", [&](auto& r) { anyGeq(r).stepLevel(pick(r, -20, 20)); }},
        {"GEQ on/off", [&](auto& r) { anyGeq(r).setOn(pick(r, 0, 1) == 1); }},
        {"GEQ band drag",
         [&](auto& r) {
             GeqEditor& e = anyGeq(r);
             const int band = pick(r, 0, 30);
             e.press(bandX(band), trackY(r), false);
             clock.advance(pick(r, 0, 400));
             e.move(bandX(band), trackY(r));
             e.release();
         }},
        {"GEQ curve across bands",
         [&](auto& r) {
             GeqEditor& e = anyGeq(r);
             const int from = pick(r, 0, 25);
             e.press(bandX(from), trackY(r), true);
             e.move(bandX(from + pick(r, 1, 5)), trackY(r));
             e.release();
         }},
        {"GEQ level fader",
         [&](auto& r) {
             GeqEditor& e = anyGeq(r);
             e.press(GeqLayout::kLevelTrackLeft + 10, GeqLayout::kLevelTrackTop + pick(r, 0, 239),
                     false);
             clock.advance(pick(r, 0, 300));
             e.release();
         }},
        {"GEQ link",
         [&](auto& r) {
             if (eq.isLinked(EqKind::Geq))
                 eq.linkOff(EqKind::Geq);
             else
                 eq.linkOn(EqKind::Geq, pick(r, 0, 1));
         }},
        {"GEQ flat", [&](auto& r) { eq.geqFlat(pick(r, 0, 1) == 1, pick(r, 0, 1) == 1); }},
        {"output flat",
         [&](auto& r) {
             eq.outputFlat({pick(r, 0, 1) == 1, false, pick(r, 0, 1) == 1, false, false, true});
         }},
    };
    run(actions, 1410, 160, true);
    EXPECT_GT(editsReceived, 100);
    EXPECT_EQ(record().out[1].delay, record().out[4].delay) << "linked outputs";
}

// The pages of PEQ mode: the PEQ and Compressor pages of both input channels.
TEST_F(PagesEndToEnd,
       RandomPeqAndCompressorEditsLinksAndDragsLeaveTheUnitWithTheControllersProgram) {
    record().eq_mode = 1;
    sim.unit(1)->currentProgram().eq_mode = 1;
    const auto anyPeq = [&](std::mt19937& random) -> PeqEditor& {
        return peq[static_cast<std::size_t>(pick(random, 0, 1))];
    };
    int drags = 0; // presses that took a handle
    const auto anyBox = [&](std::mt19937& random) {
        return static_cast<PeqBox>(pick(random, 0, 2));
    };
    const std::vector<EditAction> actions = {
        {"band button", [&](auto& r) { anyPeq(r).pressBandButton(pick(r, 0, 10)); }},
        {"band on/off", [&](auto& r) { anyPeq(r).setBandOn(pick(r, 0, 10), pick(r, 0, 1) == 1); }},
        {"type", [&](auto& r) { anyPeq(r).selectType(pick(r, 0, 5)); }},
        {"arrows", [&](auto& r) { anyPeq(r).stepBox(anyBox(r), pick(r, -12, 12)); }},
        {"typed",
         [&](auto& r) {
             const PeqBox box = anyBox(r);
             const QString text = box == PeqBox::Frequency ? QString::number(pick(r, 15, 22000))
                                  : box == PeqBox::Q       ? QString::number(pick(r, 3, 200) / 10.0)
                                                     : QString::number(pick(r, -130, 130) / 10.0);
             anyPeq(r).commitBoxText(box, text);
         }},
        {"on/off", [&](auto& r) { anyPeq(r).setOn(pick(r, 0, 1) == 1); }},
        {"level", [&](auto& r) { anyPeq(r).stepLevel(pick(r, -30, 30)); }},
        {"level fader",
         [&](auto& r) {
             PeqEditor& e = anyPeq(r);
             e.pressLevel(PeqLayout::kLevelTrackLeft + 10,
                          PeqLayout::kLevelTrackTop + pick(r, 0, 239));
             clock.advance(pick(r, 0, 400));
             e.releaseLevel();
         }},
        {"graph drag",
         [&](auto& r) {
             PeqEditor& e = anyPeq(r);
             // The operator picks a band with handles first.
             if (e.selectedBand() < 0)
                 e.pressBandButton(pick(r, 0, 10));
             if (e.selectedType() == 0)
                 e.selectType(pick(r, 1, 5));
             const BandHandles h = e.handles();
             const int which = pick(r, -1, 1);
             const int x = which == 0 ? h.x : which < 0 ? h.leftX : h.rightX;
             if (!e.pressGraph(x + pick(r, -3, 3), h.y + pick(r, -3, 3)))
                 return;
             ++drags;
             for (int i = 0; i < 4; ++i)
                 e.moveGraph(x + pick(r, -200, 200), h.y + pick(r, -120, 120));
             e.releaseGraph();
         }},
        {"link",
         [&](auto& r) {
             if (eq.isLinked(EqKind::Peq))
                 eq.linkOff(EqKind::Peq);
             else
                 eq.linkOn(EqKind::Peq, pick(r, 0, 1));
         }},
        {"flat", [&](auto& r) { eq.peqFlat(pick(r, 0, 1) == 1, pick(r, 0, 1) == 1); }},
        {"compressor arrows",
         [&](auto& r) {
             compressor.stepField(pick(r, 0, 1), static_cast<CompField>(pick(r, 0, 6)),
                                  pick(r, -12, 12));
         }},
        {"compressor type", [&](auto& r) { compressor.selectType(pick(r, 0, 1), pick(r, 0, 5)); }},
        {"compressor on/off",
         [&](auto& r) { compressor.setOn(pick(r, 0, 1), pick(r, 0, 1) == 1); }},
        {"compressor make-up",
         [&](auto& r) { compressor.stepGain(pick(r, 0, 1), pick(r, -30, 30)); }},
        {"compressor typed",
         [&](auto& r) {
             compressor.commitText(pick(r, 0, 1), static_cast<CompField>(pick(r, 0, 6)),
                                   QString::number(pick(r, -600, 20000) / 10.0));
         }},
        {"compressor link mode", [&](auto& r) { compressor.setLinkMode(pick(r, 0, 3)); }},
        {"make-up typed",
         [&](auto& r) {
             compressor.commitGainText(pick(r, 0, 1), QString::number(pick(r, -950, 350) / 10.0));
         }},
        {"make-up fader", // a press held a while, and a drag
         [&](auto& r) {
             const int x = CompressorLayout::gainTrackLeft(pick(r, 0, 1)) + 10;
             compressor.press(x, pick(r, 2, 277));
             clock.advance(pick(r, 0, 400));
             compressor.move(x, pick(r, -20, 300));
             compressor.release();
         }},
    };
    run(actions, 4106, 200, true);
    EXPECT_GT(drags, 3);
    EXPECT_GT(editsReceived, 80);
    // The compressor's link modes warn of what they guard; nothing here was refused for
    // the mode.
    for (const auto& shown : prompts.shown())
        EXPECT_NE(shown.title, QStringLiteral("EQ Mode Warning")) << shown.text.toStdString();
}

// Outputs A, B and C grouped through the CH Link dialog's editor, then a random run
// of edits on every Output page: afterwards the unit holds the controller's program, and
// the group's members hold one another's settings on both sides.
TEST_F(PagesEndToEnd, RandomOutputEditsInALinkGroupLeaveTheUnitWithTheControllersProgram) {
    ChLinkEditor link(session, sink);
    link.click(link.rowOf(0), 1);
    link.click(link.rowOf(0), 2);
    const int before054 = editsReceived;
    link.apply();
    pause();
    EXPECT_EQ(editsReceived - before054, 1);
    EXPECT_EQ(edits.back(), QByteArray("054056056056004002"));

    std::vector<std::unique_ptr<OutputEditor>> outputs;
    std::vector<std::unique_ptr<OutputFilterEditor>> filters;
    for (int c = 0; c < kOutputCount; ++c) {
        outputs.push_back(std::make_unique<OutputEditor>(session, sink, prompts, clock, c));
        filters.push_back(std::make_unique<OutputFilterEditor>(session, sink, prompts, c));
    }
    int page = 0; // the Output page the operator is on
    const auto out = [&]() -> OutputEditor& { return *outputs[static_cast<std::size_t>(page)]; };
    const auto flt = [&]() -> OutputFilterEditor& {
        return *filters[static_cast<std::size_t>(page)];
    };
    const auto anyBox = [&](std::mt19937& random) {
        return static_cast<FilterBox>(pick(random, 0, 2));
    };
    // The selected element's own curve at its grid point, as the graph hands it over.
    const auto atCentre = [&] {
        const OutputFilterEditor& f = flt();
        const OutputCurves curves = OutputResponse(f.output());
        const int e = f.selected();
        const ResponseCurve& curve =
            e == ElementHpf   ? curves.highPass
            : e == ElementLpf ? curves.lowPass
                              : curves.eq[static_cast<std::size_t>(std::max(e - ElementEq1, 0))];
        return curve[static_cast<std::size_t>(f.gridIndex(e))];
    };
    int drags = 0;
    const std::vector<EditAction> actions = {
        {"another page", [&](auto& r) { page = pick(r, 0, kOutputCount - 1); }},
        {"source", [&](auto& r) { out().selectSourceItem(pick(r, 0, 2)); }},
        {"phase", [&](auto& r) { out().setPhase(pick(r, 0, 1) == 1); }},
        {"limiter arrows", [&](auto& r) { out().stepLimiter(pick(r, -12, 12)); }},
        {"limiter typed",
         [&](auto& r) {
             out().commitLimiterText(pick(r, 0, 5) == 0
                                         ? QStringLiteral("off")
                                         : QString::number(pick(r, -200, 60) / 10.0));
         }},
        {"level arrows", [&](auto& r) { out().stepLevel(pick(r, -40, 40)); }},
        {"level typed",
         [&](auto& r) { out().commitLevelText(QString::number(pick(r, -900, 120) / 10.0)); }},
        {"level fader",
         [&](auto& r) {
             out().pressLevel(OutputLayout::kLevelTrackLeft + 10,
                              OutputLayout::kLevelTrackTop + pick(r, 0, 244));
             clock.advance(pick(r, 0, 400));
             out().releaseLevel();
         }},
        {"delay typed",
         [&](auto& r) {
             out().delay().commitEntry(out().delayTarget(), DelayBox::Ms,
                                       QString::number(pick(r, 0, 13650) / 10.0));
         }},
        {"delay arrows",
         [&](auto& r) {
             out().delay().pressArrow(out().delayTarget(), pick(r, 0, 1) == 1);
             clock.advance(pick(r, 0, 5000));
             out().delay().releaseArrow();
         }},
        {"element button", [&](auto& r) { flt().pressBandButton(pick(r, 0, 4)); }},
        {"element on/off", [&](auto& r) { flt().setOn(pick(r, 0, 4), pick(r, 0, 1) == 1); }},
        {"type", [&](auto& r) { flt().selectType(pick(r, 0, 11)); }},
        {"filter arrows", [&](auto& r) { flt().stepBox(anyBox(r), pick(r, -12, 12)); }},
        {"filter typed",
         [&](auto& r) {
             const FilterBox box = anyBox(r);
             const bool crossover =
                 flt().selected() == ElementHpf || flt().selected() == ElementLpf;
             const QString text =
                 box == FilterBox::Frequency
                     ? (crossover && pick(r, 0, 3) == 0 ? QStringLiteral("off")
                                                        : QString::number(pick(r, 15, 22000)))
                 : box == FilterBox::Q ? QString::number(pick(r, 3, 200) / 10.0)
                                       : QString::number(pick(r, -130, 130) / 10.0);
             flt().commitBoxText(box, text);
         }},
        {"graph drag",
         [&](auto& r) {
             OutputFilterEditor& f = flt();
             // The operator picks an element with handles first.
             if (f.selected() < 0)
                 f.pressBandButton(pick(r, 0, 4));
             if (!f.isOn(f.selected()) && f.selected() >= ElementEq1)
                 f.selectType(pick(r, 1, 5));
             if (!f.isOn(f.selected()) && !f.hasSaved(f.selected()))
                 f.stepBox(FilterBox::Frequency, f.selected() == ElementHpf ? 30 : -30);
             if (!f.isOn(f.selected()))
                 f.setOn(f.selected(), true);
             const double centre = atCentre();
             const BandHandles h = f.handles(centre);
             const int which = pick(r, -1, 1);
             const int x = which == 0 || !h.q ? h.x : which < 0 ? h.leftX : h.rightX;
             if (!f.pressGraph(x + pick(r, -3, 3), h.y + pick(r, -3, 3), centre))
                 return;
             ++drags;
             for (int i = 0; i < 4; ++i)
                 f.moveGraph(x + pick(r, -200, 200), h.y + pick(r, -60, 60));
             f.releaseGraph();
         }},
        {"display channel", [&](auto& r) { out().toggleDisplay(pick(r, 0, 5)); }},
    };
    const int before = editsReceived;
    run(actions, 1704, 220, false);
    EXPECT_GT(drags, 3);
    EXPECT_GT(editsReceived - before, 100);
    // The group's members hold one another's settings (and the unit holds the record).
    const OutputChannel& a = record().out[0];
    for (const OutputChannel& o : {record().out[1], record().out[2]})
        EXPECT_EQ(std::tie(o.hpf_type, o.hpf_freq, o.lpf_type, o.lpf_freq, o.eq, o.level, o.limiter,
                           o.delay, o.phase),
                  std::tie(a.hpf_type, a.hpf_freq, a.lpf_type, a.lpf_freq, a.eq, a.level, a.limiter,
                           a.delay, a.phase));
}
