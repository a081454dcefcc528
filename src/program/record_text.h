#pragma once
// The text image of a ProgramRecord that files and transfers carry: two upper-case hex
// digits a byte, eight a 32-bit delay, name and comment as raw characters, in byte order,
// without display_mask and the fillers. RecordFields() names every byte of the record;
// the image, the file reader and mqxtool's listing are all walks over that one table.

#include "core/program_record.h"
#include "program/value_scales.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace mqx {

enum class RecordImage {
    Full,   // file and download: 1019 characters
    Upload, // without program_number and empty_flag: 1015 characters
    Header, // header, name and comment: 297 characters (a program-information reply)
};

inline constexpr int kFullImageLength = 1019;
inline constexpr int kUploadImageLength = 1015;
inline constexpr int kHeaderImageLength = 297;

int ImageLength(RecordImage image);

enum class FieldKind { Byte, Text, Delay };

struct RecordField {
    QString name;   // "out[1].hpf_freq"
    int offset = 0; // byte offset in the record
    int width = 1;  // 1, 4 (delay), 21 or 256 (texts)
    FieldKind kind = FieldKind::Byte;
    std::optional<Scale> scale; // the scale whose text shows the step
    const char* unit = "";      // what the pages print behind the scale text
    bool carried = true;        // false for display_mask and the fillers
};

// Every field of the record, in byte order.
const std::vector<RecordField>& RecordFields();

QByteArray EncodeRecordText(const ProgramRecord& record, RecordImage image = RecordImage::Full);

struct DecodeResult {
    bool ok = false;
    QString error; // one line naming the field at fault
    explicit operator bool() const { return ok; }
};

// Reads the first ImageLength(image) characters of `text` into `record`. On any fault
// (too short, a numeric field that is not hex) the record is left exactly as it was.
// Fields the image does not carry keep their values. Name and comment characters that
// could not travel on the line ("(" or outside 32..125) are stored as ".".
DecodeResult DecodeRecordText(QByteArrayView text, ProgramRecord& record,
                              RecordImage image = RecordImage::Full);

// The value of a field as a number (bytes and delays) or as its text (name, comment).
quint32 FieldValue(const ProgramRecord& record, const RecordField& field);
QByteArray FieldText(const ProgramRecord& record, const RecordField& field);

} // namespace mqx
