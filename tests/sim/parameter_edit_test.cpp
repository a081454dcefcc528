#include "sim_bench.h"

#include "program/record_text.h"

#include <gtest/gtest.h>

using namespace mqx;
using namespace mqx::sim;
using mqx::sim::test::SimBench;

namespace {

// Each test starts the unit on the factory program and keeps `expected` changed by hand
// the way the controller's pages change their record; a download must then equal it.
class ParameterEdits : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyRecordDefaults(expected);
        bench.unit().currentProgram() = expected;
    }

    void edit(const QByteArray& body) {
        EXPECT_EQ(bench.ask("(01$" + body), "(01$" + body.first(3)) << body.constData();
    }
    void refused(const QByteArray& body, const char* code = "21") {
        const ProgramRecord before = bench.unit().currentProgram();
        EXPECT_EQ(bench.ask("(01$" + body), QByteArray("(01e") + code) << body.constData();
        EXPECT_EQ(bench.unit().currentProgram(), before) << "a refused edit changes nothing";
    }
    void expectDownloadEqualsExpected() {
        const QByteArray reply = bench.ask("(01Q000");
        ProgramRecord downloaded;
        ASSERT_TRUE(DecodeRecordText(QByteArrayView(reply).sliced(11), downloaded));
        EXPECT_EQ(EncodeRecordText(downloaded), EncodeRecordText(expected));
    }

    SimBench bench;
    ProgramRecord expected;
};

// What the CH link dialog copies into each member from its group's first output.
void copyGroupSettings(OutputChannel& to, const OutputChannel& from) {
    to.hpf_type = from.hpf_type;
    to.hpf_freq = from.hpf_freq;
    to.lpf_type = from.lpf_type;
    to.lpf_freq = from.lpf_freq;
    to.eq = from.eq;
    to.level = from.level;
    to.limiter = from.limiter;
    to.delay = from.delay;
    to.phase = from.phase;
}

// Links `lead` with the higher-numbered `member`.
void linkOutputs(ProgramRecord& r, int lead, int member) {
    const auto mask = static_cast<std::uint8_t>(OutputBit(lead) | OutputBit(member));
    OutputChannel& m = r.out[static_cast<std::size_t>(member)];
    r.out[static_cast<std::size_t>(lead)].link_mask = m.link_mask = mask;
    copyGroupSettings(m, r.out[static_cast<std::size_t>(lead)]);
}

} // namespace

TEST_F(ParameterEdits, InputAndSignalGenerator) {
    edit("001001");
    edit("002000");
    edit("003150");
    edit("004080");
    edit("005100");
    edit("006001");
    edit("007002");
    expected.input_mode = 1;
    expected.sg_wave = 0;
    expected.pink_level = 150;
    expected.sine_freq = 80;
    expected.sine_level = 100;
    expected.sg_mute = 1;
    expected.input_select = 2;
    refused("004000");
    refused("005182");
    refused("007005");
    expectDownloadEqualsExpected();
}

TEST_F(ParameterEdits, GraphicEqualiserLinkedAndAlone) {
    edit("010000");
    edit("012005030"); // linked: band 5 of both channels
    expected.geq_level[5] = {30, 30};
    edit("0110000");
    expected.geq_link = 0;
    edit("012205026");
    expected.geq_level[5][1] = 26;
    edit("0131150");
    expected.geq_gain[0] = 150;
    edit("0142000");
    expected.geq_on[1] = 0;
    edit("012131024"); // flat: band "31" is every band of channel 1
    for (auto& band : expected.geq_level)
        band[0] = 24;
    refused("012105049");
    refused("012132024", "20");
    expectDownloadEqualsExpected();
}

TEST_F(ParameterEdits, GraphicEqualiserLinkTakesTheChosenChannel) {
    edit("0110000");
    edit("012207040");
    edit("0132100");
    edit("0142000");
    edit("0112001");
    expected.geq_link = 1;
    expected.geq_level[7] = {40, 40};
    expected.geq_gain = {100, 100};
    expected.geq_on = {0, 0};
    refused("0113001");
    expectDownloadEqualsExpected();
}

TEST_F(ParameterEdits, ParametricEqualiserBandsAndLink) {
    edit("010001");
    expected.eq_mode = 1;
    edit("021003003110030046"); // both channels: band 3 Hi-Shelf at its highest frequency
    expected.peq_band[3] = {EqBand{3, 110, 30, 46}, EqBand{3, 110, 30, 46}};
    refused("021003003111030046");
    edit("0200000");
    expected.peq_link = 0;
    edit("022103100");
    expected.peq_band[3][0].freq = 100;
    refused("022203111"); // beyond the shelf's range for channel 2's band type
    edit("023202036");
    expected.peq_band[2][1].level = 36;
    edit("024110060");
    expected.peq_band[10][0].q = 60;
    edit("0252170");
    expected.peq_gain[1] = 170;
    edit("0261000");
    expected.peq_on[0] = 0;
    edit("0201001");
    expected.peq_link = 1;
    expected.peq_on[1] = expected.peq_on[0];
    expected.peq_gain[1] = expected.peq_gain[0];
    for (auto& band : expected.peq_band)
        band[1] = band[0];
    expectDownloadEqualsExpected();
}

TEST_F(ParameterEdits, CompressorsAndTheSharedMakeUpGain) {
    edit("0272001");
    expected.comp_on[1] = 1;
    edit("0281002080030050");
    expected.side_eq[0] = {2, 80, 30, 50};
    edit("0291090");
    edit("0301020");
    edit("0311010");
    expected.side_eq[0] = {2, 90, 20, 10};
    edit("0321030");
    edit("0332040");
    edit("0341040");
    edit("0352050");
    expected.comp_attack[0] = 30;
    expected.comp_release[1] = 40;
    expected.comp_threshold[0] = 40;
    expected.comp_ratio[1] = 50;
    refused("0321061");
    refused("0360181", "20"); // the compressors have no "both" channel

    edit("0361200"); // LINK(STEREO) from the factory: both channels follow
    expected.comp_gain = {200, 200};
    edit("037000");
    edit("0362150");
    expected.comp_link = 0;
    expected.comp_gain[1] = 150;
    edit("037003"); // LINK(IN-2): IN-2's gain becomes the shared one
    expected.comp_link = 3;
    expected.comp_gain[0] = 150;
    edit("0361241");
    expected.comp_gain = {241, 241};
    refused("0361242");
    expectDownloadEqualsExpected();
}

TEST_F(ParameterEdits, DelaysOfInputsAndLinkedOutputs) {
    edit("0381000480");
    edit("0382131071");
    expected.master_delay = {480, 131071};
    refused("0382131072");
    edit("054048048008004002");
    linkOutputs(expected, 0, 1);
    edit("0511001920");
    expected.out[0].delay = expected.out[1].delay = 1920;
    edit("0512000096");
    expected.out[2].delay = 96;
    expectDownloadEqualsExpected();
}

TEST_F(ParameterEdits, OutputEditsFollowTheLinkGroupExceptSourceAndMute) {
    edit("054048048008004002"); // A+B linked
    linkOutputs(expected, 0, 1);
    const auto both = [&](auto change) {
        change(expected.out[0]);
        change(expected.out[1]);
    };
    edit("0400000");
    expected.out[0].source = 0;
    edit("0531000");
    expected.out[1].on = 0;
    edit("0490170");
    both([](OutputChannel& o) { o.level = 170; });
    edit("0411005");
    both([](OutputChannel& o) { o.hpf_type = 5; });
    edit("0420000");
    both([](OutputChannel& o) { o.hpf_freq = 0; });
    edit("0431011");
    both([](OutputChannel& o) { o.lpf_type = 11; });
    edit("0441122");
    both([](OutputChannel& o) { o.lpf_freq = 122; });
    edit("045001004012030046");
    both([](OutputChannel& o) { o.eq[1] = {4, 12, 30, 46}; });
    refused("045001004011030046"); // a low shelf starts at step 12
    edit("046101050");
    edit("047102036");
    edit("048102020");
    both([](OutputChannel& o) {
        o.eq[1].freq = 50;
        o.eq[2].level = 36;
        o.eq[2].q = 20;
    });
    edit("0500010");
    both([](OutputChannel& o) { o.limiter = 10; });
    edit("0521001");
    both([](OutputChannel& o) { o.phase = 1; });
    edit("0493160"); // D is alone
    expected.out[3].level = 160;
    refused("0443000");
    refused("0506000", "20");
    expectDownloadEqualsExpected();
}

TEST_F(ParameterEdits, ChannelLinkCopiesTheLowestChannelOfEachGroup) {
    edit("0490150");
    edit("0500020");
    edit("0510000500");
    edit("0520001");
    edit("0420040");
    edit("045000001070036046");
    edit("0400000");
    expected.out[0].level = 150;
    expected.out[0].limiter = 20;
    expected.out[0].delay = 500;
    expected.out[0].phase = 1;
    expected.out[0].hpf_freq = 40;
    expected.out[0].eq[0] = {1, 70, 36, 46};
    expected.out[0].source = 0;

    // A with F (F's own mask does not travel: it follows the group naming it), B alone.
    edit("054033016008004002");
    linkOutputs(expected, 0, 5);
    EXPECT_NE(bench.unit().currentProgram().out[5].source, 0) << "the source stays its own";
    expectDownloadEqualsExpected();

    edit("054032016008004002");
    for (int c = 0; c < kOutputCount; ++c)
        expected.out[static_cast<std::size_t>(c)].link_mask = OutputBit(c);
    expectDownloadEqualsExpected();
}

TEST_F(ParameterEdits, ChannelLinkRefusesMasksThatAreNoGroups) {
    refused("054048016008004002"); // A names B, B names itself alone
    refused("054016016008004002"); // A's mask leaves A out
    refused("054033016008004003"); // F claimed by two groups
    refused("054064016008004002");
    refused("05403201600800400", "21");
}

TEST_F(ParameterEdits, EqModeAndMutes) {
    edit("010001");
    edit("0535000");
    edit("0532000");
    expected.eq_mode = 1;
    expected.out[5].on = 0;
    expected.out[2].on = 0;
    refused("010002");
    refused("0536000", "20");
    expectDownloadEqualsExpected();
}
