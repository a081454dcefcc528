#include "pages/eq_operations.h"

#include "core/session.h"

namespace mqx {
namespace {

constexpr int kFlatGeqGain = 24;
constexpr int kSignalGenerator = 1;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

QByteArray linkCode(EqKind kind) {
    return kind == EqKind::Geq ? QByteArrayLiteral("011") : QByteArrayLiteral("020");
}

} // namespace

bool HasRememberedBands(const Session& session) {
    return session.peqBandOff.holdsAnything() || session.savedBandSettings.holdsAnything();
}

std::array<bool, 6> TickOutput(const ProgramRecord& record, std::array<bool, 6> ticks, int channel,
                               bool on) {
    if (channel < 0 || channel >= kOutputCount)
        return ticks;
    ticks[at(channel)] = on;
    const std::uint8_t mask = record.out[at(channel)].link_mask;
    for (int c = 0; c < kOutputCount; ++c)
        if ((mask & OutputBit(c)) != 0)
            ticks[at(c)] = on;
    return ticks;
}

EqOperations::EqOperations(Session& session, ParameterEditSink& sink)
    : m_session(session), m_edits(session, sink) {}

bool EqOperations::isLinked(EqKind kind) const {
    const ProgramRecord& r = m_session.CurrentRecord();
    return (kind == EqKind::Geq ? r.geq_link : r.peq_link) == 1;
}

void LinkInputChannels(ProgramRecord& r, EqKind kind, int source) {
    const auto from = at(source);
    const auto to = at(1 - source);
    if (kind == EqKind::Geq) {
        r.geq_link = 1;
        for (auto& band : r.geq_level)
            band[to] = band[from];
        r.geq_gain[to] = r.geq_gain[from];
        r.geq_on[to] = r.geq_on[from];
    } else {
        r.peq_link = 1;
        r.peq_on[to] = r.peq_on[from];
        r.peq_gain[to] = r.peq_gain[from];
        for (auto& band : r.peq_band)
            band[to] = band[from];
    }
}

void EqOperations::linkOn(EqKind kind, int source) {
    source = source == 1 ? 1 : 0;
    LinkInputChannels(m_session.CurrentRecord(), kind, source);
    m_edits.send(linkCode(kind), 1000 * (1 + source) + 1, 4);
}

void EqOperations::linkOff(EqKind kind) {
    ProgramRecord& r = m_session.CurrentRecord();
    (kind == EqKind::Geq ? r.geq_link : r.peq_link) = 0;
    m_edits.send(linkCode(kind), 0, 4);
}

void EqOperations::flattenGeq(int channel) {
    ProgramRecord& r = m_session.CurrentRecord();
    for (auto& band : r.geq_level) {
        band[at(channel)] = kFlatGeqGain;
        if (r.geq_link == 1)
            band[at(1 - channel)] = kFlatGeqGain;
    }
}

void EqOperations::geqFlat(bool channel1, bool channel2) {
    const bool linked = isLinked(EqKind::Geq);
    // One edit of the linked code flattens both channels in the unit.
    const QByteArray all = QByteArrayLiteral("31") + EditDigits(kFlatGeqGain, 3);
    if (channel1) {
        flattenGeq(0);
        m_edits.sendText(linked ? "0120" : "0121", all);
    }
    if (channel2) {
        flattenGeq(1);
        if (!(linked && channel1))
            m_edits.sendText(linked ? "0120" : "0122", all);
    }
}

void EqOperations::flattenPeq(int channel, bool send) {
    ProgramRecord& r = m_session.CurrentRecord();
    const bool linked = r.peq_link == 1;
    const char channelDigit = linked ? '0' : static_cast<char>('1' + channel);
    for (int b = 0; b < kPeqBandCount; ++b) {
        r.peq_band[at(b)][at(channel)] = kFlatEqBand;
        m_session.peqBandOff.type[at(channel)][at(b)] = 0;
        if (linked) {
            r.peq_band[at(b)][at(1 - channel)] = kFlatEqBand;
            m_session.peqBandOff.type[at(1 - channel)][at(b)] = 0;
        }
        if (send)
            m_edits.sendGroups(
                QByteArrayLiteral("021") + channelDigit + EditDigits(b, 2),
                {kFlatEqBand.type, kFlatEqBand.freq, kFlatEqBand.level, kFlatEqBand.q});
    }
}

void EqOperations::peqFlat(bool channel1, bool channel2) {
    const ProgramRecord& r = m_session.CurrentRecord();
    const bool linked = isLinked(EqKind::Peq);
    // The unit's input is silenced while channel 1's bands change under a live signal.
    const bool silence = channel1 && m_edits.connected();
    if (silence) {
        m_edits.send("006", 0);
        if (r.input_mode != kSignalGenerator)
            m_edits.send("001", kSignalGenerator);
    }
    if (channel1)
        flattenPeq(0, true);
    if (channel2)
        flattenPeq(1, !(linked && channel1));
    if (silence) {
        if (r.input_mode != kSignalGenerator)
            m_edits.send("001", r.input_mode);
        // The generator sounds again whichever input is chosen, or the unit would keep it
        // muted while the Input page shows it sounding. Its input is already switched away.
        if (r.sg_mute == 1)
            m_edits.send("006", r.sg_mute);
    }
}

void EqOperations::outputFlat(const std::array<bool, 6>& channels) {
    ProgramRecord& r = m_session.CurrentRecord();
    for (int c = 0; c < kOutputCount; ++c) {
        if (!channels[at(c)])
            continue;
        for (int e = 0; e < kOutputEqCount; ++e) {
            r.out[at(c)].eq[at(e)] = kFlatEqBand;
            m_session.savedBandSettings.channel[at(c)].eq_type[at(e)] = 0;
            m_edits.sendGroups(
                QByteArrayLiteral("045") + EditDigits(c, 1) + EditDigits(e, 2),
                {kFlatEqBand.type, kFlatEqBand.freq, kFlatEqBand.level, kFlatEqBand.q});
        }
    }
}

} // namespace mqx
