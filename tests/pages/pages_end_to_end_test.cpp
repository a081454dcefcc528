// The pages' editors driving a simulated unit through the real link engine on virtual time, with
// undo and redo; the edits that set a unit back, and how undo steps are named.

#include "app/main_editor.h"
#include "core/session.h"
#include "link/engine_edit_sink.h"
#include "link/link_engine.h"
#include "pages/ch_link_editor.h"
#include "pages/compressor_editor.h"
#include "pages/delay_editor.h"
#include "pages/edit_history.h"
#include "pages/eq_operations.h"
#include "pages/geq_editor.h"
#include "pages/input_editor.h"
#include "pages/output_editor.h"
#include "pages/output_filter_editor.h"
#include "pages/peq_editor.h"
#include "pages/restore_edits.h"
#include "program/field_labels.h"
#include "program/record_text.h"
#include "program/value_scales.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <tuple>

using namespace mqx;
using Box = InputEditor::Box;

namespace {

ProgramRecord factory() {
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    return r;
}

// One operator action, drawn at random, by name; each action picks its own channel and values.
using EditAction = std::pair<const char*, std::function<void()>>;

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
        for (int c = 0; c < kOutputCount; ++c) {
            outputs.push_back(std::make_unique<OutputEditor>(session, sink, prompts, clock, c));
            filters.push_back(std::make_unique<OutputFilterEditor>(session, sink, prompts, c));
        }
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    const ProgramRecord& unit() { return sim.unit(1)->currentProgram(); }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
    bool coin() { return pick(0, 1) == 1; }
    QString number(int lo, int hi, double scale = 1.0) {
        return QString::number(pick(lo, hi) / scale);
    }
    GeqEditor& geq() { return geqs[std::size_t(pick(0, 1))]; }
    PeqEditor& peq() { return peqs[std::size_t(pick(0, 1))]; }
    OutputEditor& out() { return *outputs[page]; }
    OutputFilterEditor& flt() { return *filters[page]; }
    Box inputBox() { return static_cast<Box>(pick(0, 2)); }
    CompField compField() { return static_cast<CompField>(pick(0, 6)); }
    DelayTarget delayTarget() {
        const int c = pick(0, kOutputCount + 1);
        return c < 2 ? DelayTarget{DelayGroup::Master, c} : DelayTarget{DelayGroup::Channel, c - 2};
    }
    void linkOrUnlink(EqKind kind) {
        eq.isLinked(kind) ? eq.linkOff(kind) : eq.linkOn(kind, pick(0, 1));
    }
    // A frequency, Q or level box's text (box 0, 1, 2); a crossover's frequency may be "off".
    QString boxText(int box, bool crossover = false) {
        return box == 0 ? (crossover && pick(0, 3) == 0 ? QStringLiteral("off") : number(15, 22000))
               : box == 1 ? number(3, 200, 10)
                          : number(-130, 130, 10);
    }
    std::string differences() { return DiffRecords(record(), unit()).join(u'\n').toStdString(); }

    test::VirtualClock clock;
    sim::UnitSimulator sim{{1}};
    sim::SimulatedLine line{sim, clock, &clock};
    Session session;
    LinkEngine engine{line, clock, session};
    EngineEditSink sink{engine};
    test::ScriptedPrompts prompts;
    std::mt19937 random{2112};
    std::vector<QByteArray> edits; // code and value of every edit the unit received
    MainEditor main{session, sink};
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
    std::size_t page = 0; // the Output page the operator is on
    // Every page, the mutes, the EQ mode, the link dialog and the flat dialogs.
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
             const int box = pick(0, 2);
             peq().commitBoxText(PeqBox(box), boxText(box));
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
             out().delay().commitEntry(out().delayTarget(), DelayBox::Ms, number(0, 13650, 10));
         }},
        {"element button", [&] { flt().pressBandButton(pick(0, 4)); }},
        {"element on/off", [&] { flt().setOn(pick(0, 4), coin()); }},
        {"filter type", [&] { flt().selectType(pick(0, 11)); }},
        {"filter arrows",
         [&] { flt().stepBox(static_cast<FilterBox>(pick(0, 2)), pick(-12, 12)); }},
        {"filter typed",
         [&] {
             const int box = pick(0, 2);
             flt().commitBoxText(FilterBox(box), boxText(box, flt().selected() < ElementEq1));
         }},
        {"output flat", // linked outputs ticked together, as the dialog ticks them
         [&] {
             std::array<bool, kOutputCount> ticked{};
             for (int c = 0; c < kOutputCount; ++c)
                 ticked = TickOutput(record(), ticked, c, coin());
             eq.outputFlat(ticked);
         }},
        {"CH link",
         [&] {
             ChLinkEditor links(session, sink);
             links.click(pick(0, 5), pick(0, 5));
             links.apply();
         }},
    };
};

} // namespace

// The codes themselves the random run checks; here the order and what the unit does with them.
TEST(RestoreEdits, SendTheCodesThePagesSendInAnOrderTheUnitEndsRightWith) {
    const struct {
        const char* what;
        std::function<void(ProgramRecord&, ProgramRecord&)> change; // from the unit's, to restore
        std::vector<RestoreEdit> edits;
    } cases[] = {
        {"an edit of a linked output reaches the whole group in the unit",
         [](ProgramRecord& from, ProgramRecord& to) {
             for (ProgramRecord* r : {&from, &to})
                 r->out[1].link_mask = r->out[2].link_mask = OutputBit(1) | OutputBit(2);
             to.out[1].hpf_type = to.out[2].hpf_type = 2;
             to.out[1].phase = to.out[2].phase = 1;
         },
         {{"0411", "002"}, {"0521", "001"}}},
        {"linking first, from the channel already right, then what still differs",
         [](ProgramRecord& r, ProgramRecord&) {
             std::tie(r.geq_link, r.geq_level[4][0], r.eq_mode) = std::tuple(0, 3, 1);
         },
         {{"010", "000"}, {"011", "2001"}}},
        {"a linked compressor mode shares the gain the field edits then give",
         [](ProgramRecord& r, ProgramRecord&) {
             r.comp_link = 0;
             r.comp_gain = {100, 181};
         },
         {{"037", "001"}, {"0361", "181"}}},
        {"each byte of an output by its own code",
         [](ProgramRecord& r, ProgramRecord&) {
             OutputChannel& o = r.out[3];
             for (std::uint8_t* b : {&o.source, &o.hpf_type, &o.hpf_freq, &o.lpf_type, &o.lpf_freq,
                                     &o.level, &o.limiter, &o.phase, &o.on})
                 *b ^= 1;
         },
         {{"0403", "002"},
          {"0413", "001"},
          {"0423", "000"},
          {"0433", "001"},
          {"0443", "029"},
          {"0493", "181"},
          {"0503", "000"},
          {"0523", "000"},
          {"0533", "001"}}},
    };
    for (const auto& c : cases) {
        ProgramRecord from = factory(), to = factory();
        c.change(from, to);
        EXPECT_EQ(RestoreEdits(from, to), c.edits) << c.what;
    }
}

TEST(EditHistory, StepsAreGesturesNamedByTheirFields) {
    Session session;
    ApplyDefaults(session);
    test::RecordingEditSink sink;
    EditHistory history(session, sink);
    ProgramRecord& r = session.CurrentRecord();
    // Many values of one field in one gesture (a drag) make one step; a drag away and back
    // to where it started makes none.
    for (const int via : {170, 100}) {
        history.beginGesture();
        for (const int level : {via, via + 2, 175}) {
            r.out[2].level = static_cast<std::uint8_t>(level);
            history.capture();
        }
        history.endGesture();
        EXPECT_EQ(history.undoCount(), 1u);
    }
    EXPECT_EQ(history.undoLabel(), QStringLiteral("OUT-3 Level"));
    r.out[1].level = r.out[4].level = 90;
    history.capture();
    EXPECT_EQ(history.undoLabel(), QStringLiteral("OUT-2+OUT-5 Level"));
    r.peq_band[1][0].type = 3;
    r.peq_band[1][0].freq = 100;
    history.capture();
    EXPECT_EQ(history.undoLabel(), QStringLiteral("IN-1 PEQ 2"));
    std::tie(r.out[2].hpf_type, r.out[2].hpf_freq) = std::tuple(3, 41);
    history.capture();
    EXPECT_EQ(history.undoLabel(), QStringLiteral("OUT-3 HPF"));
    r.name[0] = 'Q'; // no step: the name is the unit's own business
    EXPECT_FALSE(history.capture());
    r.out[0].on = r.out[3].on = 0;
    history.capture(QStringLiteral("All Muting"));
    EXPECT_EQ(history.undoLabel(), QStringLiteral("All Muting"));
    // Offline, undo only sets the record back.
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(sink.edits.empty());
    while (history.undo()) {
    }
    EXPECT_EQ(r.name[0], 'Q');
}

// Each action checked once the line has gone quiet, as a later linked edit would cover up a copy
// gone wrong; some come at once, while replies are awaited. Undoing everything gives the start.
TEST_F(PagesEndToEnd, RandomEditsUndosAndRedosLeaveTheUnitWithTheControllersProgram) {
    EditHistory history{session, sink};
    const ProgramRecord start = record();
    for (int i = 0; i < 2000; ++i) {
        const auto a = static_cast<std::size_t>(pick(0, int(actions.size()) - 1));
        const int roll = pick(0, 9);
        if (roll < 8) {
            history.beginGesture();
            actions[a].second();
            history.capture();
            history.endGesture();
        } else {
            roll < 9 ? history.undo() : history.redo();
        }
        if (pick(0, 3) == 0) {
            clock.advance(20);
            continue;
        }
        std::size_t sent = 0;
        do {
            sent = edits.size();
            clock.advance(250);
        } while (edits.size() != sent);
        ASSERT_EQ(differences(), "") << "after " << (roll < 8 ? actions[a].first : "undo or redo");
    }
    for (const auto& shown : prompts.shown())
        EXPECT_NE(shown.text, QString::fromLatin1(kEnterNumberMessage));
    EXPECT_GT(edits.size(), 1000u);
    while (history.undo())
        clock.advance(20);
    clock.advance(1000);
    EXPECT_EQ(EncodeRecordText(record()), EncodeRecordText(start));
    EXPECT_EQ(differences(), "");
}
