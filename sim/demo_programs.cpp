#include "demo_programs.h"

#include <utility>

namespace mqx::sim {

void FillText(char* field, int width, QByteArrayView text) {
    for (int i = 0; i < width; ++i) {
        const auto c = i < text.size() ? static_cast<unsigned char>(text[i]) : '.';
        field[i] = IsCarriableTextChar(c) ? static_cast<char>(c) : '.';
    }
}

ProgramRecord NamedProgram(QByteArrayView name, QByteArrayView comment) {
    ProgramRecord r;
    ApplyRecordDefaults(r);
    FillText(r.name.data(), kNameLength, name);
    FillText(r.comment.data(), kCommentLength, comment);
    // The unit has no screen-only display masks; its memory holds zeros there.
    for (OutputChannel& o : r.out)
        o.display_mask = 0;
    return r;
}

std::array<ProgramRecord, kSlotCount> DemoPrograms() {
    std::array<ProgramRecord, kSlotCount> programs{};
    for (ProgramRecord& r : programs) {
        r = NamedProgram("", "");
        r.empty_flag = 255;
    }

    ProgramRecord speech = NamedProgram("Speech", "Lectern and two handhelds, low cut at 100 Hz");
    for (OutputChannel& o : speech.out) {
        o.hpf_freq = 29;
        o.eq[0] = {1, 75, 28, 40}; // presence lift around 1.4 kHz
    }
    programs[0] = speech;

    ProgramRecord band =
        NamedProgram("Live Band", "Front of house, PEQ and compressor on both inputs");
    band.eq_mode = 1;
    band.comp_on = {1, 1};
    band.comp_threshold = {24, 24}; // -12 dBFS
    band.comp_ratio = {50, 50};     // 2:1
    band.peq_band[0] = {EqBand{4, 20, 30, 46}, EqBand{4, 20, 30, 46}};
    band.out[0].limiter = 13;
    band.out[3].limiter = 13;
    programs[1] = band;

    ProgramRecord theatre = NamedProgram("Theatre", "Delayed fill speakers on outputs C and F");
    theatre.master_delay = {0, 480};
    theatre.out[2].delay = 1920;
    theatre.out[5].delay = 1920;
    theatre.write_enable = 0; // protected
    programs[2] = theatre;

    ProgramRecord mono = NamedProgram("Mono Sum", "Analog mono mix to all six outputs");
    mono.input_select = 2;
    for (OutputChannel& o : mono.out)
        o.source = 0;
    programs[3] = mono;

    ProgramRecord test = NamedProgram("Pink Noise Test", "Generator on, -20 dB, all outputs");
    test.input_mode = 1;
    test.sg_wave = 0;
    test.pink_level = 141;
    test.sg_mute = 1;
    test.recall_lock = 255;
    programs[4] = test;

    ProgramRecord stereo = NamedProgram("Stereo 2-Way", "Outputs A+B and D+E linked");
    for (const auto& [lead, member] : {std::pair{0, 1}, std::pair{3, 4}}) {
        OutputChannel& follower = stereo.out[static_cast<std::size_t>(member)];
        const std::uint8_t source = follower.source;
        follower = stereo.out[static_cast<std::size_t>(lead)];
        follower.source = source;
        const auto mask = static_cast<std::uint8_t>(OutputBit(lead) | OutputBit(member));
        stereo.out[static_cast<std::size_t>(lead)].link_mask = mask;
        follower.link_mask = mask;
    }
    programs[5] = stereo;

    for (int n = 0; n < kSlotCount; ++n) {
        programs[static_cast<std::size_t>(n)].program_number = static_cast<std::uint8_t>(n + 1);
    }
    return programs;
}

} // namespace mqx::sim
