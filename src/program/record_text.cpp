#include "program/record_text.h"

#include <cstring>

namespace mqx {
namespace {

class FieldListBuilder {
public:
    std::vector<RecordField> fields;

    void byte(const QString& name, std::size_t offset, std::optional<Scale> scale = std::nullopt,
              const char* unit = "", bool carried = true) {
        fields.push_back(
            {name, static_cast<int>(offset), 1, FieldKind::Byte, scale, unit, carried});
    }
    void text(const QString& name, std::size_t offset, int width) {
        fields.push_back(
            {name, static_cast<int>(offset), width, FieldKind::Text, std::nullopt, "", true});
    }
    void delay(const QString& name, std::size_t offset) {
        fields.push_back(
            {name, static_cast<int>(offset), 4, FieldKind::Delay, std::nullopt, "", true});
    }
    void pair(const QString& name, std::size_t offset, std::optional<Scale> scale = std::nullopt,
              const char* unit = "") {
        for (int ch = 0; ch < kInputCount; ++ch)
            byte(QStringLiteral("%1[%2]").arg(name).arg(ch), offset + static_cast<std::size_t>(ch),
                 scale, unit);
    }
    void band(const QString& prefix, std::size_t offset) {
        byte(prefix + QStringLiteral(".type"), offset + 0, Scale::EqType);
        byte(prefix + QStringLiteral(".freq"), offset + 1, Scale::FrequencyHz, "Hz");
        byte(prefix + QStringLiteral(".level"), offset + 2, Scale::EqGainDb, "dB");
        byte(prefix + QStringLiteral(".q"), offset + 3, Scale::QBandwidth);
    }
};

std::vector<RecordField> buildFields() {
    FieldListBuilder b;
    using R = ProgramRecord;
    b.byte(QStringLiteral("program_number"), offsetof(R, program_number));
    b.byte(QStringLiteral("empty_flag"), offsetof(R, empty_flag));
    b.byte(QStringLiteral("recall_lock"), offsetof(R, recall_lock));
    b.byte(QStringLiteral("write_enable"), offsetof(R, write_enable));
    for (int c = 0; c < kOutputCount; ++c)
        b.byte(QStringLiteral("panel_indicator[%1]").arg(c),
               offsetof(R, panel_indicator) + static_cast<std::size_t>(c));
    b.text(QStringLiteral("name"), offsetof(R, name), kNameLength);
    b.text(QStringLiteral("comment"), offsetof(R, comment), kCommentLength);

    b.byte(QStringLiteral("input_mode"), offsetof(R, input_mode));
    b.byte(QStringLiteral("sg_wave"), offsetof(R, sg_wave));
    b.byte(QStringLiteral("pink_level"), offsetof(R, pink_level), Scale::LevelDb, "dB");
    b.byte(QStringLiteral("sine_freq"), offsetof(R, sine_freq), Scale::FrequencyHz, "Hz");
    b.byte(QStringLiteral("sine_level"), offsetof(R, sine_level), Scale::LevelDb, "dBFS");
    b.byte(QStringLiteral("sg_mute"), offsetof(R, sg_mute));
    b.byte(QStringLiteral("input_select"), offsetof(R, input_select));
    for (int i = 0; i < 8; ++i)
        b.byte(QStringLiteral("reserved_294[%1]").arg(i),
               offsetof(R, reserved_294) + static_cast<std::size_t>(i));

    b.byte(QStringLiteral("eq_mode"), offsetof(R, eq_mode));
    b.byte(QStringLiteral("geq_link"), offsetof(R, geq_link));
    b.pair(QStringLiteral("geq_on"), offsetof(R, geq_on));
    for (int band = 0; band < kGeqBandCount; ++band)
        b.pair(QStringLiteral("geq_level[%1]").arg(band),
               offsetof(R, geq_level) + static_cast<std::size_t>(band) * 2, Scale::EqGainDb, "dB");
    b.pair(QStringLiteral("geq_gain"), offsetof(R, geq_gain), Scale::LevelDb, "dB");
    b.byte(QStringLiteral("peq_link"), offsetof(R, peq_link));
    b.pair(QStringLiteral("peq_on"), offsetof(R, peq_on));
    for (int band = 0; band < kPeqBandCount; ++band)
        for (int ch = 0; ch < kInputCount; ++ch)
            b.band(QStringLiteral("peq_band[%1][%2]").arg(band).arg(ch),
                   offsetof(R, peq_band) + static_cast<std::size_t>(band * 8 + ch * 4));
    b.pair(QStringLiteral("peq_gain"), offsetof(R, peq_gain), Scale::LevelDb, "dB");
    b.byte(QStringLiteral("comp_link"), offsetof(R, comp_link));
    b.pair(QStringLiteral("comp_on"), offsetof(R, comp_on));
    for (int ch = 0; ch < kInputCount; ++ch)
        b.band(QStringLiteral("side_eq[%1]").arg(ch),
               offsetof(R, side_eq) + static_cast<std::size_t>(ch * 4));
    b.pair(QStringLiteral("comp_attack"), offsetof(R, comp_attack), Scale::AttackMs, "msec");
    b.pair(QStringLiteral("comp_release"), offsetof(R, comp_release), Scale::ReleaseMs, "msec");
    b.pair(QStringLiteral("comp_threshold"), offsetof(R, comp_threshold), Scale::ThresholdDbfs,
           "dBFS");
    b.pair(QStringLiteral("comp_ratio"), offsetof(R, comp_ratio), Scale::Ratio);
    b.pair(QStringLiteral("comp_gain"), offsetof(R, comp_gain), Scale::LevelDb, "dB");
    for (int ch = 0; ch < kInputCount; ++ch)
        b.delay(QStringLiteral("master_delay[%1]").arg(ch),
                offsetof(R, master_delay) + static_cast<std::size_t>(ch) * 4);

    for (int c = 0; c < kOutputCount; ++c) {
        const std::size_t base =
            offsetof(R, out) + static_cast<std::size_t>(c) * sizeof(OutputChannel);
        const QString p = QStringLiteral("out[%1].").arg(c);
        using O = OutputChannel;
        b.byte(p + QStringLiteral("link_mask"), base + offsetof(O, link_mask));
        b.byte(p + QStringLiteral("source"), base + offsetof(O, source), Scale::SourceName);
        b.byte(p + QStringLiteral("hpf_type"), base + offsetof(O, hpf_type), Scale::XoverType);
        b.byte(p + QStringLiteral("hpf_freq"), base + offsetof(O, hpf_freq), Scale::FrequencyHz,
               "Hz");
        b.byte(p + QStringLiteral("lpf_type"), base + offsetof(O, lpf_type), Scale::XoverType);
        b.byte(p + QStringLiteral("lpf_freq"), base + offsetof(O, lpf_freq), Scale::FrequencyHz,
               "Hz");
        for (int k = 0; k < kOutputEqCount; ++k)
            b.band(p + QStringLiteral("eq[%1]").arg(k),
                   base + offsetof(O, eq) + static_cast<std::size_t>(k) * 4);
        b.byte(p + QStringLiteral("level"), base + offsetof(O, level), Scale::LevelDb, "dB");
        b.byte(p + QStringLiteral("limiter"), base + offsetof(O, limiter), Scale::LimiterDbfs,
               "dBFS");
        b.delay(p + QStringLiteral("delay"), base + offsetof(O, delay));
        b.byte(p + QStringLiteral("phase"), base + offsetof(O, phase));
        b.byte(p + QStringLiteral("on"), base + offsetof(O, on));
        b.byte(p + QStringLiteral("display_mask"), base + offsetof(O, display_mask), std::nullopt,
               "", false);
        b.byte(p + QStringLiteral("filler"), base + offsetof(O, filler), std::nullopt, "", false);
    }
    return std::move(b.fields);
}

bool inImage(const RecordField& f, RecordImage image) {
    if (!f.carried)
        return false;
    if (image == RecordImage::Upload &&
        f.offset < static_cast<int>(offsetof(ProgramRecord, recall_lock)))
        return false;
    if (image == RecordImage::Header && f.offset >= static_cast<int>(kInputBlockOffset))
        return false;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::uint32_t readDelay(const std::uint8_t* p) {
    std::uint32_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

int ImageLength(RecordImage image) {
    switch (image) {
    case RecordImage::Full:
        return kFullImageLength;
    case RecordImage::Upload:
        return kUploadImageLength;
    case RecordImage::Header:
        return kHeaderImageLength;
    }
    return kFullImageLength;
}

const std::vector<RecordField>& RecordFields() {
    static const std::vector<RecordField> fields = buildFields();
    return fields;
}

quint32 FieldValue(const ProgramRecord& record, const RecordField& field) {
    const std::uint8_t* p = record.bytes() + field.offset;
    return field.kind == FieldKind::Delay ? readDelay(p) : *p;
}

QByteArray FieldText(const ProgramRecord& record, const RecordField& field) {
    // The text up to its first NUL, padded with spaces, with nothing in it that could
    // start a frame on the unit's line.
    const auto* p = reinterpret_cast<const char*>(record.bytes() + field.offset);
    QByteArray text(field.width, ' ');
    for (int i = 0; i < field.width && p[i] != '\0'; ++i)
        text[i] = IsCarriableTextChar(static_cast<unsigned char>(p[i])) ? p[i] : '.';
    return text;
}

QByteArray EncodeRecordText(const ProgramRecord& record, RecordImage image) {
    QByteArray out;
    out.reserve(ImageLength(image));
    char buffer[16];
    for (const RecordField& f : RecordFields()) {
        if (!inImage(f, image))
            continue;
        switch (f.kind) {
        case FieldKind::Byte:
            std::snprintf(buffer, sizeof buffer, "%02X", FieldValue(record, f));
            out.append(buffer);
            break;
        case FieldKind::Delay:
            std::snprintf(buffer, sizeof buffer, "%08X", FieldValue(record, f));
            out.append(buffer);
            break;
        case FieldKind::Text:
            out.append(FieldText(record, f));
            break;
        }
    }
    return out;
}

DecodeResult DecodeRecordText(QByteArrayView text, ProgramRecord& record, RecordImage image) {
    ProgramRecord copy = record;
    qsizetype pos = 0;
    for (const RecordField& f : RecordFields()) {
        if (!inImage(f, image))
            continue;
        const int length =
            f.kind == FieldKind::Text ? f.width : (f.kind == FieldKind::Delay ? 8 : 2);
        if (pos + length > text.size())
            return {false, QStringLiteral("the data ends inside %1").arg(f.name)};
        const QByteArrayView chars = text.sliced(pos, length);
        pos += length;
        std::uint8_t* p = copy.bytes() + f.offset;
        if (f.kind == FieldKind::Text) {
            for (int i = 0; i < length; ++i) {
                const auto c = static_cast<unsigned char>(chars[i]);
                p[i] = IsCarriableTextChar(c) ? c : static_cast<std::uint8_t>('.');
            }
            continue;
        }
        std::uint32_t value = 0;
        for (char c : chars) {
            const int digit = hexDigit(c);
            if (digit < 0)
                return {false, QStringLiteral("%1 is not a hex number (\"%2\")")
                                   .arg(f.name, QString::fromLatin1(
                                                    chars.toByteArray().toPercentEncoding(" ")))};
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        if (f.kind == FieldKind::Delay)
            std::memcpy(p, &value, sizeof value);
        else
            *p = static_cast<std::uint8_t>(value);
    }
    record = copy;
    return {true, {}};
}

} // namespace mqx
