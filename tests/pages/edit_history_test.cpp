// Undo and redo: the edits that set a unit back, how steps are made and named, and a
// random run of page, dialog and link edits, undos and redos against the simulated unit.

#include "app/main_editor.h"
#include "core/session.h"
#include "link/engine_edit_sink.h"
#include "pages/ch_link_editor.h"
#include "pages/compressor_editor.h"
#include "pages/edit_history.h"
#include "pages/eq_operations.h"
#include "pages/geq_editor.h"
#include "pages/output_editor.h"
#include "pages/output_filter_editor.h"
#include "pages/peq_editor.h"
#include "pages/restore_edits.h"
#include "program/field_labels.h"
#include "program/record_text.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>

using namespace mqx;

namespace {

ProgramRecord factory() {
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    return r;
}

struct RestoreCase {
    const char* what;
    std::function<void(ProgramRecord&)> from; // the unit's program before; `to` is factory()
    std::vector<RestoreEdit> edits;
};

} // namespace

namespace mqx {
void PrintTo(const RestoreEdit& e, std::ostream* os) {
    *os << e.code.toStdString() << ' ' << e.value.toStdString();
}
} // namespace mqx

TEST(RestoreEdits, SendTheCodesThePagesSendInAnOrderTheUnitEndsRightWith) {
    const std::vector<RestoreCase> cases = {
        {"one output level", [](ProgramRecord& r) { r.out[2].level = 175; }, {{"0492", "181"}}},
        {"a PEQ band goes whole, a master delay in six digits",
         [](ProgramRecord& r) {
             std::tie(r.peq_band[3][1].q, r.master_delay[0]) = std::tuple(10, 96);
         },
         {{"021203", "000069024046"}, {"0381", "000000"}}},
        {"the groups go first, then each output's own edit",
         [](ProgramRecord& r) {
             for (int c : {1, 2})
                 r.out[static_cast<std::size_t>(c)].level = 150;
             r.out[1].link_mask = r.out[2].link_mask = OutputBit(1) | OutputBit(2);
         },
         {{"054", "032016008004002"}, {"0491", "181"}, {"0492", "181"}}},
        {"linking first, from the channel already right, then what still differs",
         [](ProgramRecord& r) {
             std::tie(r.geq_link, r.geq_level[4][0], r.eq_mode) = std::tuple(0, 3, 1);
         },
         {{"010", "000"}, {"011", "2001"}}},
        {"a linked compressor mode shares the gain the field edits then give",
         [](ProgramRecord& r) {
             r.comp_link = 0;
             r.comp_gain = {100, 181};
         },
         {{"037", "001"}, {"0361", "181"}}},
        {"each switch and output level of an input under its own code",
         [](ProgramRecord& r) {
             std::tie(r.geq_on[0], r.geq_gain[0], r.peq_on[1], r.peq_gain[0], r.comp_on[1]) =
                 std::tuple(0, 100, 0, 100, 1);
         },
         {{"0141", "001"}, {"0131", "181"}, {"0262", "001"}, {"0251", "181"}, {"0272", "000"}}},
    };
    const ProgramRecord to = factory();
    for (const RestoreCase& c : cases) {
        ProgramRecord from = to;
        c.from(from);
        EXPECT_EQ(RestoreEdits(from, to), c.edits) << c.what;
    }
}

TEST(EditHistory, StepsAreGesturesNamedByTheirFields) {
    Session session;
    ApplyDefaults(session);
    test::RecordingEditSink sink;
    EditHistory history(session, sink);
    ProgramRecord& r = session.CurrentRecord();

    // A drag: many values of one field in one gesture make one step.
    history.beginGesture();
    for (int level = 170; level <= 175; ++level) {
        r.out[2].level = static_cast<std::uint8_t>(level);
        history.capture();
    }
    history.endGesture();
    EXPECT_EQ(history.undoCount(), 1u);
    EXPECT_EQ(history.undoLabel(), QStringLiteral("OUT-3 Level"));
    // The same field in a new gesture is a new step; dragged back to the start, none.
    history.beginGesture();
    r.out[2].level = 100;
    history.capture();
    r.out[2].level = 175;
    history.capture();
    history.endGesture();
    EXPECT_EQ(history.undoCount(), 1u);

    r.out[1].level = r.out[4].level = 90;
    history.capture();
    EXPECT_EQ(history.undoLabel(), QStringLiteral("OUT-2+OUT-5 Level"));
    r.peq_band[1][0].type = 3;
    r.peq_band[1][0].freq = 100;
    history.capture();
    EXPECT_EQ(history.undoLabel(), QStringLiteral("IN-1 PEQ 2"));
    r.name[0] = 'Q'; // no step: the name is the unit's own business
    EXPECT_FALSE(history.capture());
    r.out[0].on = r.out[3].on = 0;
    history.capture(QStringLiteral("All Muting"));
    EXPECT_EQ(history.undoLabel(), QStringLiteral("All Muting"));

    // Offline, undo only sets the record back; a new change forgets what could be redone.
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(sink.edits.empty());
    r.sg_mute = 1;
    history.capture();
    EXPECT_FALSE(history.canRedo());
    while (history.undo()) {
    }
    EXPECT_EQ(r.out[2].level, factory().out[2].level);
    EXPECT_EQ(r.name[0], 'Q');
}

TEST(UndoAgainstTheUnit, RandomEditsUndosAndRedosLeaveTheUnitWithTheControllersProgram) {
    test::VirtualClock clock;
    sim::UnitSimulator simulator{{1}};
    sim::SimulatedLine line{simulator, clock, &clock};
    Session session;
    ApplyDefaults(session);
    ProgramRecord& record = session.CurrentRecord();
    const ProgramRecord& unit = simulator.unit(1)->currentProgram() = record;
    LinkEngine engine{line, clock, session};
    EngineEditSink sink{engine};
    test::ScriptedPrompts prompts;
    EditHistory history{session, sink};
    session.ConnectedUnitId = 1;
    ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    engine.setMeteringOn(true);
    ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
    ASSERT_TRUE(clock.runUntil([&engine] { return engine.done(); }, 2000));
    std::array<GeqEditor, 2> geq{GeqEditor{session, sink, prompts, clock, 0},
                                 GeqEditor{session, sink, prompts, clock, 1}};
    std::array<PeqEditor, 2> peq{PeqEditor{session, sink, prompts, clock, 0},
                                 PeqEditor{session, sink, prompts, clock, 1}};
    CompressorEditor compressor{session, sink, prompts, clock};
    EqOperations eq{session, sink};
    MainEditor main{session, sink};
    std::mt19937 random(19);
    const auto pick = [&random](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const ProgramRecord start = record;
    const std::vector<std::function<void()>> actions = {
        [&] { main.selectEqMode(pick(0, 1)); },
        [&] { geq[static_cast<std::size_t>(pick(0, 1))].stepBand(pick(0, 30), pick(-9, 9)); },
        [&] {
            PeqEditor& e = peq[static_cast<std::size_t>(pick(0, 1))];
            e.pressBandButton(pick(0, 10));
            e.selectType(pick(1, 5));
            e.stepBox(static_cast<PeqBox>(pick(0, 2)), pick(-9, 9));
        },
        [&] { compressor.setLinkMode(pick(0, 3)); },
        [&] { compressor.stepField(pick(0, 1), static_cast<CompField>(pick(0, 6)), pick(-5, 5)); },
        [&] {
            OutputEditor o(session, sink, prompts, clock, pick(0, 5));
            o.stepLevel(pick(-9, 9));
            o.stepLimiter(pick(-5, 5));
        },
        [&] {
            OutputFilterEditor f(session, sink, prompts, pick(0, 5));
            f.pressBandButton(pick(0, 4));
            f.stepBox(FilterBox::Frequency, pick(-9, 9));
        },
        [&] { main.setMute(pick(0, 5), pick(0, 1) == 1); },
        [&] {
            const EqKind kind = pick(0, 1) == 0 ? EqKind::Geq : EqKind::Peq;
            if (eq.isLinked(kind))
                eq.linkOff(kind);
            else
                eq.linkOn(kind, pick(0, 1));
        },
        [&] { eq.geqFlat(pick(0, 1) == 1, true); },
        [&] {
            ChLinkEditor links(session, sink);
            links.click(pick(0, 5), pick(0, 5));
            links.apply();
        },
    };
    for (int i = 0; i < 300; ++i) {
        const int roll = pick(0, 9);
        if (roll < 6) {
            history.beginGesture();
            actions[static_cast<std::size_t>(pick(0, static_cast<int>(actions.size()) - 1))]();
            history.capture();
            history.endGesture();
        } else if (roll < 8) {
            history.undo();
        } else {
            history.redo();
        }
        clock.advance(pick(0, 1) == 0 ? 20 : 250);
    }
    clock.advance(1000);
    EXPECT_EQ(DiffRecords(record, unit).join(u'\n').toStdString(), "");
    while (history.undo())
        clock.advance(20);
    clock.advance(1000);
    EXPECT_EQ(EncodeRecordText(record), EncodeRecordText(start));
    EXPECT_EQ(DiffRecords(record, unit).join(u'\n').toStdString(), "");
}
