// The simulator's editor: each parameter edit, in order from the factory program, against
// the field it changes the way the controller's pages change their record. A refused edit
// changes nothing; after each group a download equals the controller's record.

#include "sim_bench.h"

#include "program/record_text.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mqx;
using mqx::sim::test::SimBench;

namespace {

using Change = std::function<void(ProgramRecord&)>;

struct Edit {
    const char* body;    // after "(01$"
    const char* refusal; // the unit's error code, or nullptr when it carries the edit out
    Change change;
};

Edit ok(
    const char* body, Change change = [](ProgramRecord&) {}) {
    return {body, nullptr, std::move(change)};
}
Edit no(const char* body, const char* code = "21") {
    return {body, code, [](ProgramRecord&) {}};
}

// Outputs A and B, as the CH link dialog makes them: B takes A's settings.
void linkAB(ProgramRecord& r) {
    r.out[0].link_mask = r.out[1].link_mask = OutputBit(0) | OutputBit(1);
    const OutputChannel& a = r.out[0];
    OutputChannel& b = r.out[1];
    std::tie(b.hpf_type, b.hpf_freq, b.lpf_type, b.lpf_freq, b.eq, b.level, b.limiter, b.delay,
             b.phase) = std::tie(a.hpf_type, a.hpf_freq, a.lpf_type, a.lpf_freq, a.eq, a.level,
                                 a.limiter, a.delay, a.phase);
}
Change both(const std::function<void(OutputChannel&)>& f) {
    return [f](ProgramRecord& r) {
        f(r.out[0]);
        f(r.out[1]);
    };
}

struct Group {
    const char* name;
    std::vector<Edit> edits;
};

const std::vector<Group>& groups() {
    static const std::vector<Group> all = {
        {"input and signal generator",
         {ok("001001", [](auto& r) { r.input_mode = 1; }),
          ok("002000", [](auto& r) { r.sg_wave = 0; }),
          ok("003150", [](auto& r) { r.pink_level = 150; }),
          ok("004080", [](auto& r) { r.sine_freq = 80; }),
          ok("005100", [](auto& r) { r.sine_level = 100; }),
          ok("006001", [](auto& r) { r.sg_mute = 1; }),
          ok("007002", [](auto& r) { r.input_select = 2; }), no("004000"), no("005182"),
          no("007005"), no("0010"), no("00100x"), no("001007")}},
        {"graphic equaliser, linked and alone",
         {ok("010000"),
          ok("012005030",
             [](auto& r) {
                 r.geq_level[5] = {30, 30};
             }),
          ok("0110000", [](auto& r) { r.geq_link = 0; }),
          ok("012205026", [](auto& r) { r.geq_level[5][1] = 26; }),
          ok("0131150", [](auto& r) { r.geq_gain[0] = 150; }),
          ok("0142000", [](auto& r) { r.geq_on[1] = 0; }),
          ok("012131024", // band "31" is every band of the channel
             [](auto& r) {
                 for (auto& band : r.geq_level)
                     band[0] = 24;
             }),
          ok("012207040", [](auto& r) { r.geq_level[7][1] = 40; }),
          ok("0132100", [](auto& r) { r.geq_gain[1] = 100; }),
          ok("0112001", // linked again, to channel 2's settings
             [](auto& r) {
                 for (auto& band : r.geq_level)
                     band[0] = band[1];
                 r.geq_gain[0] = r.geq_gain[1];
                 r.geq_on[0] = r.geq_on[1];
                 r.geq_link = 1;
             }),
          no("012105049"), no("012132024", "20"), no("0113001"), no("0123001", "20"),
          no("01240024", "20")}},
        {"parametric equaliser, bands and link",
         {ok("010001", [](auto& r) { r.eq_mode = 1; }),
          ok("021003003110030046",
             [](auto& r) {
                 r.peq_band[3] = {EqBand{3, 110, 30, 46}, EqBand{3, 110, 30, 46}};
             }),
          no("021003003111030046"), ok("0200000", [](auto& r) { r.peq_link = 0; }),
          ok("022103100", [](auto& r) { r.peq_band[3][0].freq = 100; }),
          no("022203111"), // beyond the shelf's range
          ok("023202036", [](auto& r) { r.peq_band[2][1].level = 36; }),
          ok("024110060", [](auto& r) { r.peq_band[10][0].q = 60; }),
          ok("0252170", [](auto& r) { r.peq_gain[1] = 170; }),
          ok("0261000", [](auto& r) { r.peq_on[0] = 0; }),
          ok("0201001", // linked again, to channel 1's settings
             [](auto& r) {
                 r.peq_link = 1;
                 r.peq_on[1] = r.peq_on[0];
                 r.peq_gain[1] = r.peq_gain[0];
                 for (auto& band : r.peq_band)
                     band[1] = band[0];
             }),
          no("010002")}},
        {"compressors and the shared make-up gain",
         {ok("0272001", [](auto& r) { r.comp_on[1] = 1; }),
          ok("0281002080030050",
             [](auto& r) {
                 r.side_eq[0] = {2, 80, 30, 50};
             }),
          ok("0291090", [](auto& r) { r.side_eq[0].freq = 90; }),
          ok("0301020", [](auto& r) { r.side_eq[0].level = 20; }),
          ok("0311010", [](auto& r) { r.side_eq[0].q = 10; }),
          ok("0321030", [](auto& r) { r.comp_attack[0] = 30; }),
          ok("0332040", [](auto& r) { r.comp_release[1] = 40; }),
          ok("0341040", [](auto& r) { r.comp_threshold[0] = 40; }),
          ok("0352050", [](auto& r) { r.comp_ratio[1] = 50; }), no("0321061"),
          no("0360181", "20"), // the compressors have no "both" channel
          ok("0361200",
             [](auto& r) {
                 r.comp_gain = {200, 200};
             }), // LINK(STEREO)
          ok("037000", [](auto& r) { r.comp_link = 0; }),
          ok("0362150", [](auto& r) { r.comp_gain[1] = 150; }),
          ok("037003", // LINK(IN-2): IN-2's gain becomes the shared one
             [](auto& r) {
                 r.comp_link = 3;
                 r.comp_gain[0] = 150;
             }),
          ok("0361241",
             [](auto& r) {
                 r.comp_gain = {241, 241};
             }),
          no("0361242")}},
        {"delays of inputs and linked outputs",
         {ok("0381000480", [](auto& r) { r.master_delay[0] = 480; }),
          ok("0382131071", [](auto& r) { r.master_delay[1] = 131071; }), no("0382131072"),
          ok("054048048008004002", linkAB), ok("0511001920", both([](auto& o) { o.delay = 1920; })),
          ok("0512000096", [](auto& r) { r.out[2].delay = 96; })}},
        {"outputs follow their group except source and mute",
         {ok("054048048008004002", linkAB),
          ok("0400000", [](auto& r) { r.out[0].source = 0; }),
          ok("0531000", [](auto& r) { r.out[1].on = 0; }),
          ok("0490170", both([](auto& o) { o.level = 170; })),
          ok("0411005", both([](auto& o) { o.hpf_type = 5; })),
          ok("0420000", both([](auto& o) { o.hpf_freq = 0; })),
          ok("0431011", both([](auto& o) { o.lpf_type = 11; })),
          ok("0441122", both([](auto& o) { o.lpf_freq = 122; })),
          ok("045001004012030046", both([](auto& o) {
                 o.eq[1] = {4, 12, 30, 46};
             })),
          no("045001004011030046"), // a low shelf starts at step 12
          ok("046101050", both([](auto& o) { o.eq[1].freq = 50; })),
          ok("047102036", both([](auto& o) { o.eq[2].level = 36; })),
          ok("048102020", both([](auto& o) { o.eq[2].q = 20; })),
          ok("0500010", both([](auto& o) { o.limiter = 10; })),
          ok("0521001", both([](auto& o) { o.phase = 1; })),
          ok("0493160", [](auto& r) { r.out[3].level = 160; }), // D is alone
          ok("0535000", [](auto& r) { r.out[5].on = 0; }),
          no("0443000"),
          no("0506000", "20"),
          no("0536000", "20"),
          no("999000", "20")}},
        {"channel link copies the lowest output of each group",
         {ok("0490150", [](auto& r) { r.out[0].level = 150; }),
          ok("0510000500", [](auto& r) { r.out[0].delay = 500; }),
          ok("045000001070036046",
             [](auto& r) {
                 r.out[0].eq[0] = {1, 70, 36, 46};
             }),
          ok("0400000", [](auto& r) { r.out[0].source = 0; }),
          // A with F (F's own mask does not travel: it follows the group naming it).
          ok("054033016008004002",
             [](auto& r) {
                 const OutputChannel& a = r.out[0];
                 OutputChannel& f = r.out[5];
                 r.out[0].link_mask = f.link_mask = OutputBit(0) | OutputBit(5);
                 std::tie(f.hpf_type, f.hpf_freq, f.lpf_type, f.lpf_freq, f.eq, f.level, f.limiter,
                          f.delay, f.phase) =
                     std::tie(a.hpf_type, a.hpf_freq, a.lpf_type, a.lpf_freq, a.eq, a.level,
                              a.limiter, a.delay, a.phase);
             }),
          ok("054032016008004002",
             [](auto& r) {
                 for (int c = 0; c < kOutputCount; ++c)
                     r.out[static_cast<std::size_t>(c)].link_mask = OutputBit(c);
             }),
          no("054048016008004002"), // A names B, B names itself alone
          no("054016016008004002"), // A's mask leaves A out
          no("054033016008004003"), // F claimed by two groups
          no("054064016008004002"), no("05403201600800400")}},
    };
    return all;
}

} // namespace

TEST(ParameterEdits, EachEditChangesItsFieldAndADownloadEqualsTheRecord) {
    for (const Group& group : groups()) {
        SCOPED_TRACE(group.name);
        SimBench bench;
        ProgramRecord expected;
        ApplyRecordDefaults(expected);
        bench.unit().currentProgram() = expected;
        for (const Edit& e : group.edits) {
            const QByteArray body(e.body);
            const QByteArray reply = bench.ask("(01$" + body);
            e.change(expected);
            EXPECT_EQ(reply, e.refusal ? "(01e" + QByteArray(e.refusal) : "(01$" + body.first(3))
                << e.body;
            EXPECT_EQ(EncodeRecordText(bench.unit().currentProgram()), EncodeRecordText(expected))
                << e.body;
        }
        const QByteArray download = bench.ask("(01Q000");
        ProgramRecord downloaded;
        ASSERT_TRUE(DecodeRecordText(QByteArrayView(download).sliced(11), downloaded));
        EXPECT_EQ(EncodeRecordText(downloaded), EncodeRecordText(expected));
    }
}
