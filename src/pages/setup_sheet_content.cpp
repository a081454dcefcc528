#include "pages/setup_sheet_content.h"

#include "pages/delay_units.h"
#include "program/field_labels.h"

#include <algorithm>
#include <cstddef>

namespace mqx {
namespace {

int offsetOf(std::size_t offset) {
    return static_cast<int>(offset);
}

// The fields whose bytes lie in [from, to), in the record's order.
std::vector<const RecordField*> fieldsIn(std::size_t from, std::size_t to) {
    std::vector<const RecordField*> list;
    for (const RecordField& f : RecordFields())
        if (f.carried && f.offset >= offsetOf(from) && f.offset < offsetOf(to))
            list.push_back(&f);
    return list;
}

QString delayText(std::uint32_t steps) {
    return DelayMsText(steps).trimmed() + QStringLiteral(" msec");
}
QString distanceText(std::uint32_t steps) {
    return DelayMetresText(steps).trimmed() + QStringLiteral(" m");
}

// The inputs' pairs side by side: "IN-1 GEQ 20 Level" and "IN-2 GEQ 20 Level" make one
// row "GEQ 20 Level" with a value per input (a band's four fields of input 1 come before
// those of input 2). A field of no input keeps its own row.
std::vector<SheetRow> inputPairRows(const ProgramRecord& record,
                                    const std::vector<const RecordField*>& fields) {
    std::vector<SheetRow> rows;
    for (const RecordField* f : fields) {
        const QString label = FieldLabel(*f);
        const QString value = FieldValueText(record, *f);
        if (label.startsWith(QLatin1String("IN-2 "))) {
            const QString own = label.mid(5);
            const auto first = std::find_if(rows.rbegin(), rows.rend(), [&](const SheetRow& r) {
                return r.label == own && r.values.size() == 1;
            });
            if (first != rows.rend()) {
                first->values << value;
                continue;
            }
        }
        rows.push_back({label.startsWith(QLatin1String("IN-1 ")) ? label.mid(5) : label, {value}});
    }
    return rows;
}

SheetSection outputSection(const ProgramRecord& record, int c) {
    const QString prefix = QStringLiteral("OUT-%1 ").arg(c + 1);
    const OutputChannel& channel = record.out[static_cast<std::size_t>(c)];
    SheetSection section{prefix.trimmed(), {}, {}, SheetPlot::Output, c};
    const std::size_t base = offsetof(ProgramRecord, out) + sizeof(OutputChannel) * std::size_t(c);
    for (const RecordField* f : fieldsIn(base, base + sizeof(OutputChannel))) {
        QString label = FieldLabel(*f);
        if (label.startsWith(prefix))
            label = label.mid(prefix.size());
        if (f->kind == FieldKind::Delay) {
            section.rows.push_back({label, {delayText(channel.delay)}});
            section.rows.push_back(
                {label + QStringLiteral(" (distance)"), {distanceText(channel.delay)}});
        } else if (f->offset == offsetOf(base + offsetof(OutputChannel, on))) {
            // The page's mute button reads "Muting" while the output is silent.
            section.rows.push_back(
                {QStringLiteral("Mute"),
                 {channel.on != 0 ? QStringLiteral("OFF") : QStringLiteral("Muting")}});
        } else if (f->offset == offsetOf(base + offsetof(OutputChannel, link_mask))) {
            section.rows.push_back({QStringLiteral("Linked with"), {FieldValueText(record, *f)}});
        } else {
            section.rows.push_back({label, {FieldValueText(record, *f)}});
        }
    }
    return section;
}

} // namespace

std::vector<SheetRow> SetupSheetHeader(const ProgramRecord& record, int unitId,
                                       const QString& date) {
    const auto text = [&](std::size_t offset) {
        // Names and comments are padded with dots on the unit; the sheet shows the text.
        QString value = QString::fromLatin1(FieldText(record, *FieldAt(offsetOf(offset))));
        while (value.endsWith(u'.') || value.endsWith(u' '))
            value.chop(1);
        return value;
    };
    return {
        {QStringLiteral("Program No."),
         {QStringLiteral("%1").arg(record.program_number, 2, 10, QLatin1Char('0'))}},
        {QStringLiteral("Name"), {text(offsetof(ProgramRecord, name))}},
        {QStringLiteral("Comment"), {text(offsetof(ProgramRecord, comment))}},
        {QStringLiteral("MQX-T410 ID"),
         {unitId > 0 ? QStringLiteral("%1").arg(unitId, 2, 10, QLatin1Char('0'))
                     : QStringLiteral("not connected")}},
        {QStringLiteral("Date"), {date}},
    };
}

std::vector<SheetSection> SetupSheetSections(const ProgramRecord& record) {
    std::vector<SheetSection> sections;
    SheetSection input{QStringLiteral("Input and Signal Generator"), {}, {}, SheetPlot::None, 0};
    for (const RecordField* f :
         fieldsIn(offsetof(ProgramRecord, input_mode), offsetof(ProgramRecord, reserved_294)))
        input.rows.push_back({FieldLabel(*f), {FieldValueText(record, *f)}});
    sections.push_back(std::move(input));

    const QStringList inputs{QStringLiteral("IN-1"), QStringLiteral("IN-2")};
    const bool geq = record.eq_mode == 0;
    SheetSection eq{geq ? QStringLiteral("GEQ") : QStringLiteral("PEQ and Compressor"),
                    inputs,
                    {},
                    SheetPlot::InputEq,
                    0};
    const std::size_t from =
        geq ? offsetof(ProgramRecord, eq_mode) : offsetof(ProgramRecord, peq_link);
    const std::size_t to =
        geq ? offsetof(ProgramRecord, peq_link) : offsetof(ProgramRecord, master_delay);
    if (!geq)
        eq.rows = inputPairRows(
            record, fieldsIn(offsetof(ProgramRecord, eq_mode), offsetof(ProgramRecord, geq_link)));
    for (SheetRow& row : inputPairRows(record, fieldsIn(from, to)))
        eq.rows.push_back(std::move(row));
    sections.push_back(std::move(eq));

    SheetSection delay{QStringLiteral("Delay"),
                       {QStringLiteral("Time"), QStringLiteral("Distance")},
                       {},
                       SheetPlot::None,
                       0};
    for (int ch = 0; ch < kInputCount; ++ch) {
        const std::uint32_t steps = record.master_delay[static_cast<std::size_t>(ch)];
        delay.rows.push_back({QStringLiteral("IN-%1 Master Delay").arg(ch + 1),
                              {delayText(steps), distanceText(steps)}});
    }
    for (int c = 0; c < kOutputCount; ++c) {
        const std::uint32_t steps = record.out[static_cast<std::size_t>(c)].delay;
        delay.rows.push_back(
            {QStringLiteral("OUT-%1 Delay").arg(c + 1), {delayText(steps), distanceText(steps)}});
    }
    sections.push_back(std::move(delay));

    for (int c = 0; c < kOutputCount; ++c)
        sections.push_back(outputSection(record, c));
    return sections;
}

} // namespace mqx
