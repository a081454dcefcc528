#include "pages/restore_edits.h"

#include "pages/ch_link_editor.h"
#include "pages/compressor_editor.h"
#include "pages/eq_operations.h"
#include "pages/parameter_edit.h"

#include <cstddef>
#include <cstring>

namespace mqx {
namespace {

using R = ProgramRecord;
using O = OutputChannel;

constexpr int off(std::size_t offset) {
    return static_cast<int>(offset);
}

enum class Width { Byte, Band, Delay, Link };

// Where a record byte goes on the line: its code and qualifiers, and the bytes that
// travel together with it.
struct Address {
    int code = 0;     // 0: the byte travels as no edit
    int channel = -1; // channel digit as sent
    int band = -1;    // band number as sent
    int first = 0;    // the first byte of what travels
    Width width = Width::Byte;
};

Address inputPair(int offset, int base, int code) {
    return {code, 1 + (offset - base), -1, offset, Width::Byte};
}

Address outputAddress(int offset) {
    const int c = (offset - off(offsetof(R, out))) / off(sizeof(O));
    const int base = off(offsetof(R, out)) + c * off(sizeof(O));
    const int rel = offset - base;
    if (rel >= off(offsetof(O, eq)) && rel < off(offsetof(O, level))) {
        const int k = (rel - off(offsetof(O, eq))) / 4;
        return {45, c, k, base + off(offsetof(O, eq)) + 4 * k, Width::Band};
    }
    if (rel >= off(offsetof(O, delay)) && rel < off(offsetof(O, phase)))
        return {51, c, -1, base + off(offsetof(O, delay)), Width::Delay};
    static constexpr std::array<int, 28> kCodes = {54, 40, 41, 42, 43, 44, 0, 0, 0,  0,
                                                   0,  0,  0,  0,  0,  0,  0, 0, 49, 50,
                                                   0,  0,  0,  0,  52, 53, 0, 0};
    const int code = kCodes[static_cast<std::size_t>(rel)];
    return {code, code == 54 ? -1 : c, -1, offset, code == 54 ? Width::Link : Width::Byte};
}

Address addressOf(int offset) {
    if (offset < off(offsetof(R, input_mode)) || offset >= kRecordSize)
        return {};
    if (offset >= off(offsetof(R, out)))
        return outputAddress(offset);
    if (offset <= off(offsetof(R, input_select)))
        return {1 + offset - off(offsetof(R, input_mode)), -1, -1, offset, Width::Byte};
    if (offset < off(offsetof(R, eq_mode)))
        return {}; // reserved
    if (offset == off(offsetof(R, eq_mode)))
        return {10, -1, -1, offset, Width::Byte};
    if (offset == off(offsetof(R, geq_link)))
        return {11, -1, -1, offset, Width::Link};
    if (offset < off(offsetof(R, geq_level)))
        return inputPair(offset, off(offsetof(R, geq_on)), 14);
    if (offset < off(offsetof(R, geq_gain))) {
        const int rel = offset - off(offsetof(R, geq_level));
        return {12, 1 + rel % 2, rel / 2, offset, Width::Byte};
    }
    if (offset < off(offsetof(R, peq_link)))
        return inputPair(offset, off(offsetof(R, geq_gain)), 13);
    if (offset == off(offsetof(R, peq_link)))
        return {20, -1, -1, offset, Width::Link};
    if (offset < off(offsetof(R, peq_band)))
        return inputPair(offset, off(offsetof(R, peq_on)), 26);
    if (offset < off(offsetof(R, peq_gain))) {
        const int rel = offset - off(offsetof(R, peq_band));
        return {21, 1 + (rel % 8) / 4, rel / 8, offset - rel % 4, Width::Band};
    }
    if (offset < off(offsetof(R, comp_link)))
        return inputPair(offset, off(offsetof(R, peq_gain)), 25);
    if (offset == off(offsetof(R, comp_link)))
        return {37, -1, -1, offset, Width::Link};
    if (offset < off(offsetof(R, side_eq)))
        return inputPair(offset, off(offsetof(R, comp_on)), 27);
    if (offset < off(offsetof(R, comp_attack))) {
        const int rel = offset - off(offsetof(R, side_eq));
        return {28, 1 + rel / 4, -1, offset - rel % 4, Width::Band};
    }
    if (offset < off(offsetof(R, master_delay))) {
        // attack, release, threshold, ratio, gain: a pair each, codes 32..36
        const int rel = offset - off(offsetof(R, comp_attack));
        return {32 + rel / 2, 1 + rel % 2, -1, offset, Width::Byte};
    }
    const int ch = (offset - off(offsetof(R, master_delay))) / 4;
    return {38, 1 + ch, -1, off(offsetof(R, master_delay)) + 4 * ch, Width::Delay};
}

QByteArray codeText(const Address& a) {
    QByteArray code = EditDigits(a.code, 3);
    if (a.channel >= 0)
        code += EditDigits(a.channel, 1);
    if (a.band >= 0)
        code += EditDigits(a.band, 2);
    return code;
}

QByteArray valueText(const R& r, const Address& a) {
    const std::uint8_t* p = r.bytes() + a.first;
    switch (a.width) {
    case Width::Byte:
        return EditDigits(*p, 3);
    case Width::Band:
        return EditDigits(p[0], 3) + EditDigits(p[1], 3) + EditDigits(p[2], 3) +
               EditDigits(p[3], 3);
    case Width::Delay: {
        std::uint32_t steps = 0;
        std::memcpy(&steps, p, sizeof steps);
        return EditDigits(static_cast<int>(steps), 6);
    }
    case Width::Link:
        break;
    }
    return {};
}

int bytesOf(Width width) {
    return width == Width::Band || width == Width::Delay ? 4 : 1;
}

bool sameBytes(const R& a, const R& b, std::size_t from, std::size_t count) {
    return std::memcmp(a.bytes() + from, b.bytes() + from, count) == 0;
}

// Whether channel `ch`'s GEQ or PEQ settings in `unit` are already those of `to`, so the
// unit may link by copying them.
bool channelHolds(const R& unit, const R& to, EqKind kind, std::size_t ch) {
    if (kind == EqKind::Geq) {
        for (std::size_t b = 0; b < kGeqBandCount; ++b)
            if (unit.geq_level[b][ch] != to.geq_level[b][ch])
                return false;
        return unit.geq_gain[ch] == to.geq_gain[ch] && unit.geq_on[ch] == to.geq_on[ch];
    }
    for (std::size_t b = 0; b < kPeqBandCount; ++b)
        if (!(unit.peq_band[b][ch] == to.peq_band[b][ch]))
            return false;
    return unit.peq_gain[ch] == to.peq_gain[ch] && unit.peq_on[ch] == to.peq_on[ch];
}

class Planner {
public:
    Planner(const R& from, const R& to) : m_unit(from), m_to(to) {}

    std::vector<RestoreEdit> plan() {
        if (m_unit.eq_mode != m_to.eq_mode)
            send(addressOf(off(offsetof(R, eq_mode))));
        link(EqKind::Geq);
        link(EqKind::Peq);
        if (m_unit.comp_link != m_to.comp_link) {
            SetCompressorLink(m_unit, m_to.comp_link);
            m_edits.push_back({"037", EditDigits(m_to.comp_link, 3)});
        }
        regroupOutputs();
        for (int offset = off(offsetof(R, input_mode)); offset < kRecordSize; ++offset) {
            const Address a = addressOf(offset);
            if (a.code == 0 || a.width == Width::Link || a.first != offset ||
                sameBytes(m_unit, m_to, static_cast<std::size_t>(offset),
                          static_cast<std::size_t>(bytesOf(a.width))))
                continue;
            send(a);
        }
        return std::move(m_edits);
    }

private:
    // One edit, and its effect on the unit's copy: an output edit reaches the output's
    // link group, a make-up gain both channels while the compressors are linked.
    void send(const Address& a) {
        m_edits.push_back({codeText(a), valueText(m_to, a)});
        const auto count = static_cast<std::size_t>(bytesOf(a.width));
        std::memcpy(m_unit.bytes() + a.first, m_to.bytes() + a.first, count);
        if (a.code >= 41 && a.code <= 52) {
            const int rel = a.first - off(offsetof(R, out)) - a.channel * off(sizeof(O));
            const std::uint8_t mask = m_unit.out[static_cast<std::size_t>(a.channel)].link_mask;
            for (int c = 0; c < kOutputCount; ++c)
                if (c != a.channel && (mask & OutputBit(c)) != 0)
                    std::memcpy(m_unit.bytes() + off(offsetof(R, out)) + c * off(sizeof(O)) + rel,
                                m_to.bytes() + a.first, count);
        }
        if (a.code == 36 && m_unit.comp_link != 0)
            m_unit.comp_gain = {m_to.comp_gain[static_cast<std::size_t>(a.channel - 1)],
                                m_to.comp_gain[static_cast<std::size_t>(a.channel - 1)]};
    }

    void link(EqKind kind) {
        const bool geq = kind == EqKind::Geq;
        const std::uint8_t want = geq ? m_to.geq_link : m_to.peq_link;
        if ((geq ? m_unit.geq_link : m_unit.peq_link) == want)
            return;
        const QByteArray code = geq ? "011" : "020";
        if (want == 0) {
            (geq ? m_unit.geq_link : m_unit.peq_link) = 0;
            m_edits.push_back({code, "0000"});
            return;
        }
        // The unit links by copying one channel over the other: copy the one that already
        // holds what it should, and the field edits that follow fix whatever else differs.
        const int source = channelHolds(m_unit, m_to, kind, 0)   ? 0
                           : channelHolds(m_unit, m_to, kind, 1) ? 1
                                                                 : 0;
        LinkInputChannels(m_unit, kind, source);
        m_edits.push_back({code, EditDigits(1000 * (1 + source) + 1, 4)});
    }

    void regroupOutputs() {
        bool changed = false;
        for (std::size_t c = 0; c < kOutputCount; ++c)
            changed = changed || m_unit.out[c].link_mask != m_to.out[c].link_mask;
        if (!changed)
            return;
        QByteArray masks;
        for (std::size_t c = 0; c < kOutputCount; ++c) {
            m_unit.out[c].link_mask = m_to.out[c].link_mask;
            if (c < 5)
                masks += EditDigits(m_to.out[c].link_mask, 3);
        }
        CopyLinkedSettings(m_unit);
        m_edits.push_back({"054", masks});
    }

    R m_unit; // what the unit holds after the edits so far
    const R& m_to;
    std::vector<RestoreEdit> m_edits;
};

} // namespace

bool TravelsAsEdit(int offset) {
    return addressOf(offset).code != 0;
}

std::vector<RestoreEdit> RestoreEdits(const ProgramRecord& from, const ProgramRecord& to) {
    return Planner(from, to).plan();
}

} // namespace mqx
