#pragma once
// One complete program of an MQX-T410: the unit's own 660-byte program memory,
// field for field. Pages edit record 0 of the ProgramTable; files and transfers
// carry it as a RecordText (record_text.h) whose field order is this byte order.
// Offsets, widths and order are a stored format and are checked below.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace mqx {

inline constexpr int kOutputCount = 6;
inline constexpr int kInputCount = 2;
inline constexpr int kGeqBandCount = 31;
inline constexpr int kPeqBandCount = 11;
inline constexpr int kOutputEqCount = 3;
inline constexpr int kNameLength = 21;
inline constexpr int kCommentLength = 256;
inline constexpr int kRecordSize = 660;

// Equaliser band shared by the PEQ bands, the compressor side-chain EQs and the output EQs.
// Every record starts zero-filled, as the unit's memory does; ApplyRecordDefaults
// gives the factory values.
struct EqBand {
    std::uint8_t type = 0;  // EqType step 0..5, 0 = Off
    std::uint8_t freq = 0;  // FrequencyHz step 1..121
    std::uint8_t level = 0; // EqGainDb step 0..48
    std::uint8_t q = 0;     // QBandwidth step 0..72
    friend bool operator==(const EqBand&, const EqBand&) = default;
};

// A band switched off and flat: Off, 1 kHz, 0.0 dB, Q 4.33.
inline constexpr EqBand kFlatEqBand{0, 69, 24, 46};

struct OutputChannel {
    std::uint8_t link_mask = 0; // bit (5 - c) for each output c linked with this one
    std::uint8_t source = 0;    // SourceName step
    std::uint8_t hpf_type = 0;  // XoverType step
    std::uint8_t hpf_freq = 0;  // FrequencyHz step, 0 = Off
    std::uint8_t lpf_type = 0;  // XoverType step
    std::uint8_t lpf_freq = 0;  // FrequencyHz step, 122 = Off
    std::array<EqBand, kOutputEqCount> eq{};
    std::uint8_t level = 0;        // LevelDb step
    std::uint8_t limiter = 0;      // LimiterDbfs step, 0 = Off
    std::uint32_t delay = 0;       // delay steps of 1/96 ms
    std::uint8_t phase = 0;        // 0 = Normal, 1 = Inverse
    std::uint8_t on = 0;           // 1 = sounding, 0 = muted
    std::uint8_t display_mask = 0; // screen state only: neither saved nor transferred
    std::uint8_t filler = 0;
    friend bool operator==(const OutputChannel&, const OutputChannel&) = default;
};

// The bit that stands for output c (0..5) in link_mask and display_mask.
constexpr std::uint8_t OutputBit(int c) {
    return static_cast<std::uint8_t>(1u << (5 - c));
}

struct ProgramRecord {
    // Header and texts
    std::uint8_t program_number = 0;
    std::uint8_t empty_flag = 0;
    std::uint8_t recall_lock = 0;
    std::uint8_t write_enable = 0;
    std::array<std::uint8_t, kOutputCount> panel_indicator{};
    std::array<char, kNameLength> name{};
    std::array<char, kCommentLength> comment{};
    // Input block
    std::uint8_t input_mode = 0;
    std::uint8_t sg_wave = 0;
    std::uint8_t pink_level = 0;
    std::uint8_t sine_freq = 0;
    std::uint8_t sine_level = 0;
    std::uint8_t sg_mute = 0;
    std::uint8_t input_select = 0;
    std::array<std::uint8_t, 8> reserved_294{};
    // Equaliser and compressor block; channel index 0 = input 1, 1 = input 2
    std::uint8_t eq_mode = 0;
    std::uint8_t geq_link = 0;
    std::array<std::uint8_t, kInputCount> geq_on{};
    std::array<std::array<std::uint8_t, kInputCount>, kGeqBandCount> geq_level{};
    std::array<std::uint8_t, kInputCount> geq_gain{};
    std::uint8_t peq_link = 0;
    std::array<std::uint8_t, kInputCount> peq_on{};
    std::array<std::array<EqBand, kInputCount>, kPeqBandCount> peq_band{};
    std::array<std::uint8_t, kInputCount> peq_gain{};
    std::uint8_t comp_link = 0;
    std::array<std::uint8_t, kInputCount> comp_on{};
    std::array<EqBand, kInputCount> side_eq{};
    std::array<std::uint8_t, kInputCount> comp_attack{};
    std::array<std::uint8_t, kInputCount> comp_release{};
    std::array<std::uint8_t, kInputCount> comp_threshold{};
    std::array<std::uint8_t, kInputCount> comp_ratio{};
    std::array<std::uint8_t, kInputCount> comp_gain{};
    std::array<std::uint32_t, kInputCount> master_delay{};
    // Output block
    std::array<OutputChannel, kOutputCount> out{};

    friend bool operator==(const ProgramRecord&, const ProgramRecord&) = default;

    // The record's own bytes, for the text image and for byte-wise comparisons.
    const std::uint8_t* bytes() const { return reinterpret_cast<const std::uint8_t*>(this); }
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(this); }
};

// The 32-bit fields are little-endian in the unit's image; the record is only ever
// carried as hex text, but byte-wise views must agree with the unit's layout.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(EqBand) == 4);
static_assert(sizeof(OutputChannel) == 28);
static_assert(sizeof(ProgramRecord) == kRecordSize);
static_assert(offsetof(OutputChannel, eq) == 6);
static_assert(offsetof(OutputChannel, level) == 18);
static_assert(offsetof(OutputChannel, limiter) == 19);
static_assert(offsetof(OutputChannel, delay) == 20);
static_assert(offsetof(OutputChannel, phase) == 24);
static_assert(offsetof(OutputChannel, on) == 25);
static_assert(offsetof(OutputChannel, display_mask) == 26);
static_assert(offsetof(ProgramRecord, panel_indicator) == 4);
static_assert(offsetof(ProgramRecord, name) == 10);
static_assert(offsetof(ProgramRecord, comment) == 31);
static_assert(offsetof(ProgramRecord, input_mode) == 287);
static_assert(offsetof(ProgramRecord, input_select) == 293);
static_assert(offsetof(ProgramRecord, reserved_294) == 294);
static_assert(offsetof(ProgramRecord, eq_mode) == 302);
static_assert(offsetof(ProgramRecord, geq_on) == 304);
static_assert(offsetof(ProgramRecord, geq_level) == 306);
static_assert(offsetof(ProgramRecord, geq_gain) == 368);
static_assert(offsetof(ProgramRecord, peq_link) == 370);
static_assert(offsetof(ProgramRecord, peq_on) == 371);
static_assert(offsetof(ProgramRecord, peq_band) == 373);
static_assert(offsetof(ProgramRecord, peq_gain) == 461);
static_assert(offsetof(ProgramRecord, comp_link) == 463);
static_assert(offsetof(ProgramRecord, comp_on) == 464);
static_assert(offsetof(ProgramRecord, side_eq) == 466);
static_assert(offsetof(ProgramRecord, comp_attack) == 474);
static_assert(offsetof(ProgramRecord, comp_release) == 476);
static_assert(offsetof(ProgramRecord, comp_threshold) == 478);
static_assert(offsetof(ProgramRecord, comp_ratio) == 480);
static_assert(offsetof(ProgramRecord, comp_gain) == 482);
static_assert(offsetof(ProgramRecord, master_delay) == 484);
static_assert(offsetof(ProgramRecord, out) == 492);

// Offsets the text image is built from.
inline constexpr std::size_t kInputBlockOffset = offsetof(ProgramRecord, input_mode); // 287
inline constexpr std::size_t kEqBlockEnd = offsetof(ProgramRecord, master_delay);     // 484
inline constexpr std::size_t kOutputCarriedBytes = offsetof(OutputChannel, delay);    // 20

// Writes the factory defaults into every field except reserved_294 and the fillers.
void ApplyRecordDefaults(ProgramRecord& record);

// A name or comment character that may travel in a frame or a file: printable ASCII
// up to '}' and never '(' (which would start a new frame on the unit's line).
constexpr bool IsCarriableTextChar(unsigned char c) {
    return c >= 32 && c <= 125 && c != '(';
}

} // namespace mqx
