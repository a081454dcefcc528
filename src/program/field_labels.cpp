#include "program/field_labels.h"

#include <QStringView>

#include <algorithm>
#include <cstring>

namespace mqx {
namespace {

// "peq_band[3][0]" as its name and its indices.
struct Segment {
    QString name;
    std::vector<int> index;
};

std::vector<Segment> segmentsOf(const QString& fieldName) {
    std::vector<Segment> segments;
    for (QStringView part : QStringView(fieldName).split(u'.')) {
        Segment s;
        const qsizetype bracket = part.indexOf(u'[');
        s.name = part.first(bracket < 0 ? part.size() : bracket).toString();
        for (qsizetype at = bracket; at >= 0; at = part.indexOf(u'[', at + 1)) {
            const qsizetype close = part.indexOf(u']', at);
            s.index.push_back(part.sliced(at + 1, close - at - 1).toInt());
        }
        segments.push_back(std::move(s));
    }
    return segments;
}

// "hpf_freq" -> "HPF Freq": the words of a field name as the pages' captions spell them.
QStringList wordsOf(const QString& name) {
    static const QStringList kUpper = {
        QStringLiteral("geq"), QStringLiteral("peq"), QStringLiteral("hpf"), QStringLiteral("lpf"),
        QStringLiteral("eq"),  QStringLiteral("sg"),  QStringLiteral("on"),  QStringLiteral("q")};
    QStringList words;
    for (const QString& word : name.split(u'_')) {
        if (kUpper.contains(word))
            words << word.toUpper();
        else
            words << word.left(1).toUpper() + word.mid(1);
    }
    return words;
}

// The inputs' equaliser and compressor block keeps a pair of bytes, one per input, in
// every array: the last index is the channel, the one before it the band.
bool isInputPair(const RecordField& f) {
    return f.offset >= static_cast<int>(offsetof(ProgramRecord, eq_mode)) &&
           f.offset < static_cast<int>(offsetof(ProgramRecord, out));
}

QString bandTag(const QString& array, int band) {
    if (array == QLatin1String("geq_level"))
        return StepText(Scale::GeqBandFreq, band).trimmed();
    return QString::number(band + 1);
}

QString onOff(quint32 v) {
    return v != 0 ? QStringLiteral("ON") : QStringLiteral("OFF");
}

QString choice(quint32 v, std::initializer_list<const char*> names) {
    if (v < names.size())
        return QString::fromLatin1(*(names.begin() + v));
    return QString::number(v);
}

QString linkedOutputs(quint32 mask) {
    QStringList outputs;
    for (int c = 0; c < kOutputCount; ++c)
        if ((mask & OutputBit(c)) != 0)
            outputs << QStringLiteral("OUT-%1").arg(c + 1);
    return outputs.isEmpty() ? QStringLiteral("none") : outputs.join(u'+');
}

// Fields without a scale: switches and modes, named as their pages name them.
QString plainValueText(const QString& last, quint32 v) {
    if (last == QLatin1String("phase"))
        return choice(v, {"Normal", "Inverse"});
    if (last == QLatin1String("eq_mode"))
        return choice(v, {"GEQ", "PEQ+Comp."});
    if (last == QLatin1String("comp_link"))
        return choice(v, {"INDIVIDUAL", "LINK(STEREO)", "LINK(IN-1)", "LINK(IN-2)"});
    if (last == QLatin1String("input_mode"))
        return choice(v, {"Input", "Signal Genarator"});
    if (last == QLatin1String("sg_wave"))
        return v != 0 ? QStringLiteral("Sine Wave") : QStringLiteral("Pink Noise");
    if (last == QLatin1String("input_select"))
        return choice(v, {"ANALOG 2CH", "DIGITAL 2CH", "ANALOG MONO MIX", "DIGITAL MONO MIX",
                          "ANALOG+DIGITAL 2CH"});
    if (last == QLatin1String("link_mask"))
        return linkedOutputs(v);
    if (last == QLatin1String("on") || last.endsWith(QLatin1String("_on")) ||
        last.endsWith(QLatin1String("_link")) || last == QLatin1String("sg_mute"))
        return onOff(v);
    return QString::number(v);
}

} // namespace

QString FieldLabel(const RecordField& field) {
    std::vector<Segment> segments = segmentsOf(field.name);
    QStringList words;
    std::size_t next = 0;
    if (segments.front().name == QLatin1String("out")) {
        words << QStringLiteral("OUT-%1").arg(segments.front().index.at(0) + 1);
        next = 1;
    } else if (isInputPair(field) && !segments.front().index.empty()) {
        Segment& pair = segments.front();
        words << QStringLiteral("IN-%1").arg(pair.index.back() + 1);
        pair.index.pop_back();
    }
    for (; next < segments.size(); ++next) {
        const Segment& s = segments[next];
        QStringList own = wordsOf(s.name);
        if (!s.index.empty()) {
            // A band or an item of an array: its tag follows the array's first word, and a
            // trailing "Band" says nothing the tag does not.
            if (own.size() > 1 && own.back() == QLatin1String("Band"))
                own.removeLast();
            own.insert(1, bandTag(s.name, s.index.front()));
        }
        words << own;
    }
    return words.join(u' ');
}

QString FieldValueText(const ProgramRecord& record, const RecordField& field) {
    switch (field.kind) {
    case FieldKind::Text:
        return QLatin1Char('"') + QString::fromLatin1(FieldText(record, field)).trimmed() +
               QLatin1Char('"');
    case FieldKind::Delay:
        return QString::number(FieldValue(record, field) / 96.0, 'f', 4) + QStringLiteral(" msec");
    case FieldKind::Byte:
        break;
    }
    const quint32 v = FieldValue(record, field);
    if (field.scale) {
        QString text = StepText(*field.scale, static_cast<int>(v)).trimmed();
        // "Off" and an unknown step are no amount of anything.
        const bool amount = !text.isEmpty() && (text[0].isDigit() || text[0] == u'-');
        if (*field.unit != '\0' && amount)
            text += QLatin1Char(' ') + QString::fromLatin1(field.unit);
        return text;
    }
    return plainValueText(segmentsOf(field.name).back().name, v);
}

const RecordField* FieldAt(int offset) {
    const auto& fields = RecordFields();
    auto it = std::upper_bound(fields.begin(), fields.end(), offset,
                               [](int at, const RecordField& f) { return at < f.offset; });
    if (it == fields.begin())
        return nullptr;
    --it;
    return offset < it->offset + it->width ? &*it : nullptr;
}

QString FieldPage(const RecordField& field) {
    const QString& n = field.name;
    if (n.startsWith(QLatin1String("out[")))
        return n.endsWith(QLatin1String(".delay"))
                   ? QStringLiteral("Delay")
                   : QStringLiteral("OUT-%1").arg(segmentsOf(n).front().index.at(0) + 1);
    if (field.offset < static_cast<int>(kInputBlockOffset))
        return QStringLiteral("Program");
    if (n.startsWith(QLatin1String("geq")))
        return QStringLiteral("GEQ");
    if (n.startsWith(QLatin1String("peq")))
        return QStringLiteral("PEQ");
    if (n.startsWith(QLatin1String("comp")) || n.startsWith(QLatin1String("side_eq")))
        return QStringLiteral("Compressor");
    if (n.startsWith(QLatin1String("master_delay")))
        return QStringLiteral("Delay");
    return QStringLiteral("Input");
}

std::vector<const RecordField*> DiffFields(const ProgramRecord& a, const ProgramRecord& b) {
    std::vector<const RecordField*> fields;
    for (const RecordField& f : RecordFields()) {
        if (!f.carried || f.offset < static_cast<int>(offsetof(ProgramRecord, recall_lock)))
            continue;
        if (std::memcmp(a.bytes() + f.offset, b.bytes() + f.offset,
                        static_cast<std::size_t>(f.width)) == 0)
            continue;
        // Texts travel padded: a difference the line cannot carry is no difference.
        if (f.kind == FieldKind::Text && FieldText(a, f) == FieldText(b, f))
            continue;
        fields.push_back(&f);
    }
    return fields;
}

QStringList DiffRecords(const ProgramRecord& pc, const ProgramRecord& unit,
                        const QString& firstName, const QString& secondName) {
    QStringList lines;
    for (const RecordField* f : DiffFields(pc, unit))
        lines << QStringLiteral("%1: %2 %3, %4 %5")
                     .arg(FieldLabel(*f), firstName, FieldValueText(pc, *f), secondName,
                          FieldValueText(unit, *f));
    return lines;
}

} // namespace mqx
