// The pages' editors driving a simulated unit through the real link engine on virtual
// time: after every action of a random run the unit holds the controller's record, field by
// field. What each editor sends, and the copies within a link group, are the editors' own
// tests; this shows the unit takes each edit as the controller meant it.

#include "app/main_editor.h"
#include "core/session.h"
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

#include <functional>
#include <memory>
#include <random>

using namespace mqx;
using Box = InputEditor::Box;

namespace {

// One operator action, drawn at random; each action picks its own channel and values.
struct EditAction {
    const char* name;
    std::function<void()> run;
};

class PagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyDefaults(session);
        sim.unit(1)->currentProgram() = record();
        sim.setFrameObserver([this](sim::UnitSimulator::Direction d, QByteArrayView frame, qint64) {
            if (d == sim::UnitSimulator::Direction::Received && frame.size() > 4 && frame[3] == '$')
                edits.push_back(frame.sliced(4).toByteArray());
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
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
    bool coin() { return pick(0, 1) == 1; }
    QString number(int lo, int hi, double scale = 1.0) {
        return QString::number(pick(lo, hi) / scale);
    }

    // The first field the unit holds that differs from the record, or "" when none does.
    std::string differingField() {
        const ProgramRecord& unit = sim.unit(1)->currentProgram();
        for (const RecordField& f : RecordFields()) {
            const bool same = f.kind == FieldKind::Text
                                  ? FieldText(unit, f) == FieldText(record(), f)
                                  : FieldValue(unit, f) == FieldValue(record(), f);
            if (f.carried && !same)
                return f.name.toStdString();
        }
        return {};
    }

    test::VirtualClock clock;
    sim::UnitSimulator sim{{1}};
    sim::SimulatedLine line{sim, clock, &clock};
    Session session;
    LinkEngine engine{line, clock, session};
    EngineEditSink sink{engine};
    test::ScriptedPrompts prompts;
    std::mt19937 random{2112};
    std::vector<QByteArray> edits; // code and value of every edit the unit received
};

} // namespace

// Outputs A, B and C grouped through the CH Link dialog's editor, then a random run over
// every page, the mutes and the EQ mode.
TEST_F(PagesEndToEnd, ARandomRunOverEveryPageLeavesTheUnitWithTheControllersProgram) {
    ChLinkEditor link(session, sink);
    link.click(link.rowOf(0), 1);
    link.click(link.rowOf(0), 2);
    link.apply();
    clock.advance(250);
    EXPECT_EQ(edits, std::vector<QByteArray>{"054056056056004002"});

    MainEditor main(session, sink);
    InputEditor input{session, sink, prompts};
    DelayEditor delay{session, sink, prompts, clock};
    std::array<GeqEditor, 2> geqs{GeqEditor{session, sink, prompts, clock, 0},
                                  GeqEditor{session, sink, prompts, clock, 1}};
    std::array<PeqEditor, 2> peqs{PeqEditor{session, sink, prompts, clock, 0},
                                  PeqEditor{session, sink, prompts, clock, 1}};
    CompressorEditor comp{session, sink, prompts, clock};
    EqOperations eq{session, sink};
    std::vector<std::unique_ptr<OutputEditor>> outputs;
    std::vector<std::unique_ptr<OutputFilterEditor>> filters;
    for (int c = 0; c < kOutputCount; ++c) {
        outputs.push_back(std::make_unique<OutputEditor>(session, sink, prompts, clock, c));
        filters.push_back(std::make_unique<OutputFilterEditor>(session, sink, prompts, c));
    }
    const auto geq = [&]() -> GeqEditor& { return geqs[std::size_t(pick(0, 1))]; };
    const auto peq = [&]() -> PeqEditor& { return peqs[std::size_t(pick(0, 1))]; };
    std::size_t page = 0; // the Output page the operator is on
    const auto out = [&]() -> OutputEditor& { return *outputs[page]; };
    const auto flt = [&]() -> OutputFilterEditor& { return *filters[page]; };
    const auto inputBox = [&] { return static_cast<Box>(pick(0, 2)); };
    const auto compField = [&] { return static_cast<CompField>(pick(0, 6)); };
    const auto delayTarget = [&] {
        const int c = pick(0, kOutputCount + 1);
        return c < 2 ? DelayTarget{DelayGroup::Master, c} : DelayTarget{DelayGroup::Channel, c - 2};
    };
    const auto linkOrUnlink = [&](EqKind kind) {
        eq.isLinked(kind) ? eq.linkOff(kind) : eq.linkOn(kind, pick(0, 1));
    };
    const auto filterText = [&](FilterBox box, bool crossover) {
        return box == FilterBox::Frequency
                   ? (crossover && pick(0, 3) == 0 ? QStringLiteral("off") : number(15, 22000))
               : box == FilterBox::Q ? number(3, 200, 10)
                                     : number(-130, 130, 10);
    };
    const std::vector<EditAction> actions = {
        {"mute", [&] { main.setMute(pick(0, 5), coin()); }},
        {"EQ mode", [&] { main.selectEqMode(pick(0, 1)); }},
        {"input mode", [&] { input.selectInputMode(pick(0, 1)); }},
        {"wave", [&] { input.selectWave(coin()); }},
        {"muting", [&] { input.setMuting(coin()); }},
        {"input select", [&] { input.selectInput(pick(0, 4)); }},
        {"input spins", [&] { input.stepSpin(inputBox(), coin()); }},
        {"input typed",
         [&] {
             const Box box = inputBox();
             input.commitText(box, box == Box::SineFreq ? number(10, 22000) : number(-60, 20));
         }},
        {"delay typed",
         [&] {
             delay.commitEntry(delayTarget(), static_cast<DelayBox>(pick(0, 1)),
                               number(0, 14000, 10));
         }},
        {"delay arrows held", // the steps of 1, 10 and 100 go out as one edit on release
         [&] {
             delay.pressArrow(delayTarget(), coin());
             clock.advance(pick(0, 8000));
             delay.releaseArrow();
         }},
        {"GEQ band arrows", [&] { geq().stepBand(pick(0, 30), pick(-12, 12)); }},
        {"GEQ band typed", [&] { geq().commitBandText(pick(0, 30), number(-130, 130, 10)); }},
        {"GEQ level", [&] { geq().stepLevel(pick(-20, 20)); }},
        {"GEQ on/off", [&] { geq().setOn(coin()); }},
        {"GEQ link", [&] { linkOrUnlink(EqKind::Geq); }},
        {"GEQ flat", [&] { eq.geqFlat(coin(), coin()); }},
        {"PEQ band button", [&] { peq().pressBandButton(pick(0, 10)); }},
        {"PEQ band on/off", [&] { peq().setBandOn(pick(0, 10), coin()); }},
        {"PEQ type", [&] { peq().selectType(pick(0, 5)); }},
        {"PEQ arrows", [&] { peq().stepBox(static_cast<PeqBox>(pick(0, 2)), pick(-12, 12)); }},
        {"PEQ typed",
         [&] {
             const auto box = static_cast<PeqBox>(pick(0, 2));
             peq().commitBoxText(box, box == PeqBox::Frequency ? number(15, 22000)
                                      : box == PeqBox::Q       ? number(3, 200, 10)
                                                               : number(-130, 130, 10));
         }},
        {"PEQ on/off", [&] { peq().setOn(coin()); }},
        {"PEQ level", [&] { peq().stepLevel(pick(-30, 30)); }},
        {"PEQ link", [&] { linkOrUnlink(EqKind::Peq); }},
        {"PEQ flat", [&] { eq.peqFlat(coin(), coin()); }},
        {"compressor arrows", [&] { comp.stepField(pick(0, 1), compField(), pick(-12, 12)); }},
        {"compressor type", [&] { comp.selectType(pick(0, 1), pick(0, 5)); }},
        {"compressor on/off", [&] { comp.setOn(pick(0, 1), coin()); }},
        {"compressor typed",
         [&] { comp.commitText(pick(0, 1), compField(), number(-600, 20000, 10)); }},
        {"compressor link mode", [&] { comp.setLinkMode(pick(0, 3)); }},
        {"make-up arrows", [&] { comp.stepGain(pick(0, 1), pick(-30, 30)); }},
        {"make-up typed", [&] { comp.commitGainText(pick(0, 1), number(-950, 350, 10)); }},
        {"another output page", [&] { page = std::size_t(pick(0, kOutputCount - 1)); }},
        {"source", [&] { out().selectSourceItem(pick(0, 2)); }},
        {"phase", [&] { out().setPhase(coin()); }},
        {"limiter arrows", [&] { out().stepLimiter(pick(-12, 12)); }},
        {"limiter typed",
         [&] {
             out().commitLimiterText(pick(0, 5) == 0 ? QStringLiteral("off")
                                                     : number(-200, 60, 10));
         }},
        {"output level arrows", [&] { out().stepLevel(pick(-40, 40)); }},
        {"output level typed", [&] { out().commitLevelText(number(-900, 120, 10)); }},
        {"output delay typed",
         [&] {
             OutputEditor& o = out();
             o.delay().commitEntry(o.delayTarget(), DelayBox::Ms, number(0, 13650, 10));
         }},
        {"element button", [&] { flt().pressBandButton(pick(0, 4)); }},
        {"element on/off", [&] { flt().setOn(pick(0, 4), coin()); }},
        {"filter type", [&] { flt().selectType(pick(0, 11)); }},
        {"filter arrows",
         [&] { flt().stepBox(static_cast<FilterBox>(pick(0, 2)), pick(-12, 12)); }},
        {"filter typed",
         [&] {
             OutputFilterEditor& f = flt();
             const auto box = static_cast<FilterBox>(pick(0, 2));
             f.commitBoxText(box, filterText(box, f.selected() < ElementEq1));
         }},
        {"output flat", // the group A, B and C ticked together, as the dialog ticks it
         [&] {
             const bool group = coin();
             eq.outputFlat({group, group, group, coin(), coin(), coin()});
         }},
    };
    std::vector<int> used(actions.size());
    for (int i = 0; i < 2000; ++i) {
        const auto a = static_cast<std::size_t>(pick(0, int(actions.size()) - 1));
        actions[a].run();
        ++used[a];
        // The operator's pace: the next action once the line has gone quiet. The check
        // comes at once, as a later linked edit would cover up a copy gone wrong.
        std::size_t sent = 0;
        do {
            sent = edits.size();
            clock.advance(250);
        } while (edits.size() != sent);
        ASSERT_EQ(differingField(), "") << "after " << actions[a].name;
    }
    for (std::size_t a = 0; a < actions.size(); ++a)
        EXPECT_GT(used[a], 0) << actions[a].name;
    for (const auto& shown : prompts.shown())
        EXPECT_NE(shown.text, QString::fromLatin1(kEnterNumberMessage));
    EXPECT_GT(edits.size(), 1000u);
}
