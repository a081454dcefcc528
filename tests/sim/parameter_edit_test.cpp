// Each parameter edit of the simulator against the field it changes, from the factory program.

#include "sim_bench.h"

#include "program/record_text.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace mqx;

namespace {

using Change = std::function<void(ProgramRecord&)>;

struct Edit {
    const char* body;    // after "(01$"
    const char* refusal; // the unit's error code, or nullptr when it carries the edit out
    Change change;
};

// The fields an edit changes, by their names in the record's field table: "name=value ...";
// "[*]" stands for both [0] and [1].
Edit ok(const char* body, const char* fields = "") {
    QString all = QString::fromLatin1(fields);
    if (all.contains(QStringLiteral("[*]"))) {
        const QString first = QString(all).replace("[*]", "[0]");
        all = first + u' ' + all.replace("[*]", "[1]");
    }
    return {body, nullptr, [all](ProgramRecord& r) {
                for (const QString& item : all.split(u' ', Qt::SkipEmptyParts)) {
                    const QString name = item.section(u'=', 0, 0);
                    const auto f =
                        std::find_if(RecordFields().begin(), RecordFields().end(),
                                     [&](const RecordField& g) { return g.name == name; });
                    ASSERT_NE(f, RecordFields().end()) << name.toStdString();
                    for (int i = 0; i < f->width; ++i) // little-endian
                        r.bytes()[f->offset + i] =
                            std::uint8_t(item.section(u'=', 1).toUInt() >> (8 * i));
                }
            }};
}
Edit ok(const char* body, Change change) {
    return {body, nullptr, std::move(change)};
}
Edit no(const char* body, const char* code = "21") {
    return {body, code, [](ProgramRecord&) {}};
}

// Two outputs linked as the CH link dialog links them: the member takes the lead's settings.
Change linked(std::size_t lead, std::size_t member) {
    return [lead, member](ProgramRecord& r) {
        r.out[lead].link_mask = r.out[member].link_mask =
            static_cast<std::uint8_t>(OutputBit(int(lead)) | OutputBit(int(member)));
        const OutputChannel& a = r.out[lead];
        OutputChannel& b = r.out[member];
        std::tie(b.hpf_type, b.hpf_freq, b.lpf_type, b.lpf_freq, b.eq, b.level, b.limiter, b.delay,
                 b.phase) = std::tie(a.hpf_type, a.hpf_freq, a.lpf_type, a.lpf_freq, a.eq, a.level,
                                     a.limiter, a.delay, a.phase);
    };
}

struct Group {
    const char* name;
    std::vector<Edit> edits;
};

const std::vector<Group> kGroups = {
    {"input and signal generator",
     {ok("001001", "input_mode=1"), ok("002000", "sg_wave=0"), ok("003150", "pink_level=150"),
      ok("004080", "sine_freq=80"), ok("005100", "sine_level=100"), ok("006001", "sg_mute=1"),
      ok("007002", "input_select=2"), no("004000"), no("005182"), no("007005"), no("0010"),
      no("00100x"), no("001007")}},
    {"graphic equaliser, linked and alone",
     {ok("010000"), ok("012005030", "geq_level[5][*]=30"), ok("0110000", "geq_link=0"),
      ok("012205026", "geq_level[5][1]=26"), ok("0131150", "geq_gain[0]=150"),
      ok("0142000", "geq_on[1]=0"),
      ok("012131024", // band "31" is every band of the channel
         [](auto& r) {
             for (auto& band : r.geq_level)
                 band[0] = 24;
         }),
      ok("012207040", "geq_level[7][1]=40"), ok("0132100", "geq_gain[1]=100"),
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
     {ok("010001", "eq_mode=1"),
      ok("021003003110030046", "peq_band[3][*].type=3 peq_band[3][*].freq=110 "
                               "peq_band[3][*].level=30 peq_band[3][*].q=46"),
      no("021003003111030046"), ok("0200000", "peq_link=0"),
      ok("022103100", "peq_band[3][0].freq=100"),
      no("022203111"), // beyond the shelf's range
      ok("023202036", "peq_band[2][1].level=36"), ok("024110060", "peq_band[10][0].q=60"),
      ok("0252170", "peq_gain[1]=170"), ok("0261000", "peq_on[0]=0"),
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
     {ok("0272001", "comp_on[1]=1"),
      ok("0281002080030050",
         "side_eq[0].type=2 side_eq[0].freq=80 side_eq[0].level=30 side_eq[0].q=50"),
      ok("0291090", "side_eq[0].freq=90"), ok("0301020", "side_eq[0].level=20"),
      ok("0311010", "side_eq[0].q=10"), ok("0321030", "comp_attack[0]=30"),
      ok("0332040", "comp_release[1]=40"), ok("0341040", "comp_threshold[0]=40"),
      ok("0352050", "comp_ratio[1]=50"), no("0321061"),
      no("0360181", "20"),               // the compressors have no "both" channel
      ok("0361200", "comp_gain[*]=200"), // LINK(STEREO)
      ok("037000", "comp_link=0"), ok("0362150", "comp_gain[1]=150"),
      ok("037003", "comp_link=3 comp_gain[0]=150") /* LINK(IN-2): IN-2's gain is shared */,
      ok("0361241", "comp_gain[*]=241"), no("0361242")}},
    {"delays of inputs",
     {ok("0381000480", "master_delay[0]=480"), ok("0382131071", "master_delay[1]=131071"),
      no("0382131072")}},
    {"outputs follow their group except source and mute",
     {ok("054048048008004002", linked(0, 1)), ok("0400000", "out[0].source=0"),
      ok("0531000", "out[1].on=0"), ok("0490170", "out[*].level=170"),
      ok("0411005", "out[*].hpf_type=5"), ok("0420000", "out[*].hpf_freq=0"),
      ok("0431011", "out[*].lpf_type=11"), ok("0441122", "out[*].lpf_freq=122"),
      ok("046101050", "out[*].eq[1].freq=50"), ok("047102036", "out[*].eq[2].level=36"),
      ok("048102020", "out[*].eq[2].q=20"), ok("0500010", "out[*].limiter=10"),
      ok("0521001", "out[*].phase=1"), ok("0493160", "out[3].level=160"),
      ok("0535000", "out[5].on=0"), no("0443000"), no("0506000", "20"), no("0536000", "20"),
      no("999000", "20")}},
    {"an output band follows its group",
     {ok("054048048008004002", linked(0, 1)),
      ok("045001004012030046",
         "out[*].eq[1].type=4 out[*].eq[1].freq=12 out[*].eq[1].level=30 out[*].eq[1].q=46"),
      no("045001004011030046")}},
    {"channel link takes only masks that make groups",
     {ok("054032016008004002",
         [](auto& r) {
             for (int c = 0; c < kOutputCount; ++c)
                 r.out[static_cast<std::size_t>(c)].link_mask = OutputBit(c);
         }),
      no("054048016008004002"), // A names B, B names itself alone
      no("054016016008004002"), // A's mask leaves A out
      no("054033016008004003"), // F claimed by two groups
      no("054064016008004002"), no("05403201600800400")}},
};

} // namespace

TEST(ParameterEdits, EachEditChangesItsFieldAndADownloadEqualsTheRecord) {
    for (const Group& group : kGroups) {
        SCOPED_TRACE(group.name);
        sim::test::SimBench bench;
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
        EXPECT_EQ(bench.ask("(01Q000").mid(11), EncodeRecordText(expected));
    }
}
