#include "unit_simulator.h"

#include <algorithm>
#include <limits>

namespace mqx::sim {
namespace {

constexpr qint64 kNever = std::numeric_limits<qint64>::max();

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Splits an answer into `count` pieces as even as the length allows.
std::vector<QByteArray> splitIntoBursts(const QByteArray& bytes, int count) {
    std::vector<QByteArray> pieces;
    const qsizetype n = std::clamp<qsizetype>(count, 1, std::max<qsizetype>(1, bytes.size()));
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype to = bytes.size() * (i + 1) / n;
        pieces.push_back(bytes.mid(from, to - from));
        from = to;
    }
    return pieces;
}

} // namespace

UnitSimulator::UnitSimulator(const std::vector<int>& ids) {
    for (int id : ids) {
        if (id < 1 || id > 99 || unit(id))
            continue;
        m_stations.push_back({std::make_unique<SimulatedUnit>(id), -1});
    }
}

UnitSimulator::~UnitSimulator() = default;

void UnitSimulator::setFault(UnitCommand command, const LineFault& fault) {
    m_faults[{command, fault.slot < 0 ? -1 : fault.slot}] = fault;
}

void UnitSimulator::clearFault(UnitCommand command) {
    std::erase_if(m_faults, [command](const auto& entry) { return entry.first.first == command; });
}

SimulatedUnit* UnitSimulator::unit(int id) {
    for (Station& s : m_stations)
        if (s.unit->id() == id)
            return s.unit.get();
    return nullptr;
}

std::vector<int> UnitSimulator::unitIds() const {
    std::vector<int> ids;
    for (const Station& s : m_stations)
        ids.push_back(s.unit->id());
    return ids;
}

void UnitSimulator::receive(QByteArrayView bytes, qint64 nowMs) {
    const qint64 ms = std::max(nowMs, m_nowMs);
    advanceTo(ms);
    stopLevelsForRequestsIn(bytes, ms);
    // Paced, each character reaches the units when the line has carried it; a write
    // while earlier characters are still on their way queues behind them.
    const qint64 startUs = pacing() ? std::max(ms * 1000, m_inboundFreeUs) : ms * 1000;
    qint64 atUs = startUs;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (pacing())
            atUs = startUs + LineTransmitter::durationUs(i + 1);
        m_arriving.push_back({bytes[i], atUs});
    }
    m_inboundFreeUs = std::max(m_inboundFreeUs, atUs);
    advanceTo(ms);
}

void UnitSimulator::stopLevelsForRequestsIn(QByteArrayView bytes, qint64 ms) {
    // A unit ends its level stream for a request to it with the character on the wire
    // when the request began, not when its ID has come in: the characters the request
    // takes to arrive would otherwise run the frame into the answer the controller is
    // about to wait for. The controller writes whole frames, so a write holds the heads.
    for (qsizetype at = bytes.indexOf('('); at >= 0 && at + 3 <= bytes.size();
         at = bytes.indexOf('(', at + 1)) {
        Station* station = stationFor(bytes.sliced(at, 3));
        if (!station || station->nextLevelMs < 0)
            continue;
        station->unit->stopLevels();
        station->nextLevelMs = -1;
        m_line.dropLevelFrames(station->unit->id(), ms * 1000);
    }
}

qsizetype UnitSimulator::charactersArrivingAfter(qint64 nowMs) const {
    qsizetype count = 0;
    for (auto it = m_arriving.rbegin(); it != m_arriving.rend() && it->atUs > nowMs * 1000; ++it)
        ++count;
    return count;
}

void UnitSimulator::arrive(char c, qint64 ms) {
    if (c == '(') {
        if (!m_frame.isEmpty())
            completeFrame(ms);
        m_frame = "(";
        m_frameTooLong = false;
    } else if (!m_frame.isEmpty()) {
        if (m_frame.size() < kMaxFrameLength)
            m_frame.append(c);
        else
            m_frameTooLong = true;
    }
    // Characters outside a frame are line noise.
    if (m_frame.size() == 3 && c != '(')
        headArrived(ms);
    // The unit knows how long each request is and answers its last character at once.
    if (m_frame.size() > 3 && !m_frameTooLong) {
        const QByteArrayView body = QByteArrayView(m_frame).sliced(3);
        if (const std::optional<qsizetype> length = RequestLength(body);
            length && body.size() >= *length)
            completeFrame(ms);
    }
}

qint64 UnitSimulator::nextChangeUs() const {
    // What advanceTo would do next, and the end of what the line is carrying: the moments
    // at which a reader could find something new.
    qint64 next = m_line.nextPieceEndUs();
    if (!m_frame.isEmpty())
        next = std::min(next, m_lastByteUs + kSilenceMs * 1000);
    if (!m_arriving.empty())
        next = std::min(next, m_arriving.back().atUs);
    for (const Station& s : m_stations)
        if (s.nextLevelMs >= 0)
            next = std::min(next, s.nextLevelMs * 1000);
    return next == kNever ? -1 : next;
}

QByteArray UnitSimulator::takeOutput(qint64 nowMs) {
    advanceTo(std::max(nowMs, m_nowMs));
    return m_line.takeDelivered();
}

void UnitSimulator::advanceTo(qint64 ms) {
    const auto toMs = [](qint64 us) { return (us + 999) / 1000; };
    for (;;) {
        // At one moment: a frame's silence ends, then a level frame goes, then a character
        // arrives.
        enum class Next { Nothing, Silence, Level, Character } what = Next::Nothing;
        qint64 nextUs = kNever;
        if (!m_frame.isEmpty()) {
            nextUs = m_lastByteUs + kSilenceMs * 1000;
            what = Next::Silence;
        }
        Station* ticking = nullptr;
        for (Station& s : m_stations)
            if (s.nextLevelMs >= 0 && s.nextLevelMs * 1000 < nextUs) {
                nextUs = s.nextLevelMs * 1000;
                ticking = &s;
                what = Next::Level;
            }
        if (!m_arriving.empty() && m_arriving.front().atUs < nextUs) {
            nextUs = m_arriving.front().atUs;
            what = Next::Character;
        }
        if (what == Next::Nothing || nextUs > ms * 1000)
            break;
        m_line.advance(nextUs);
        switch (what) {
        case Next::Level:
            send(ticking->unit->levelFrame(), *ticking, ticking->nextLevelMs, true);
            ticking->nextLevelMs += kLevelPeriodMs;
            break;
        case Next::Silence:
            completeFrame(toMs(nextUs));
            break;
        case Next::Character: {
            const char c = m_arriving.front().c;
            m_arriving.pop_front();
            m_lastByteUs = nextUs;
            arrive(c, toMs(nextUs));
            break;
        }
        case Next::Nothing:
            break;
        }
    }
    m_line.advance(ms * 1000);
    m_nowMs = ms;
}

UnitSimulator::Station* UnitSimulator::stationFor(QByteArrayView frame) {
    if (frame.size() < 3 || frame[0] != '(' || !isDigit(frame[1]) || !isDigit(frame[2]))
        return nullptr;
    const int id = (frame[1] - '0') * 10 + (frame[2] - '0');
    for (Station& s : m_stations)
        if (s.unit->id() == id)
            return &s;
    return nullptr;
}

void UnitSimulator::headArrived(qint64 ms) {
    // A unit stops its level stream as soon as a request to it begins, so that no level
    // frame runs into the answer the controller is about to wait for.
    Station* station = stationFor(m_frame);
    if (!station || station->nextLevelMs < 0)
        return;
    station->unit->stopLevels();
    station->nextLevelMs = -1;
    m_line.dropLevelFrames(station->unit->id(), ms * 1000);
}

void UnitSimulator::completeFrame(qint64 ms) {
    QByteArray frame;
    frame.swap(m_frame);
    const bool tooLong = m_frameTooLong;
    m_frameTooLong = false;
    if (m_observer)
        m_observer(Direction::Received, frame, ms);
    Station* station = stationFor(frame);
    if (!station || tooLong)
        return;
    answer(*station, QByteArrayView(frame).sliced(3), ms);
}

const UnitSimulator::FaultKey* UnitSimulator::faultFor(UnitCommand command,
                                                       QByteArrayView body) const {
    const std::optional<int> program = RequestProgram(command, body);
    if (program) {
        const auto it = m_faults.find({command, *program});
        if (it != m_faults.end())
            return &it->first;
    }
    const auto it = m_faults.find({command, -1});
    return it == m_faults.end() ? nullptr : &it->first;
}

void UnitSimulator::answer(Station& station, QByteArrayView body, qint64 ms) {
    SimulatedUnit& unit = *station.unit;
    const std::optional<UnitCommand> command = IdentifyRequest(body);
    const FaultKey* key = command ? faultFor(*command, body) : nullptr;
    std::optional<LineFault> fault;
    if (key) {
        LineFault& found = m_faults.at(*key);
        fault = found;
        if (found.remaining > 0 && --found.remaining == 0)
            m_faults.erase(FaultKey(*key));
    }

    if (fault && fault->kind == LineFault::Kind::Silent)
        return;
    if (fault && fault->kind == LineFault::Kind::Error) {
        send(unit.errorReply(fault->errorCode), station, ms, false);
        return;
    }

    QByteArray reply = unit.handle(body);
    if (unit.isMetering() && station.nextLevelMs < 0)
        station.nextLevelMs = ms + kLevelPeriodMs;
    if (!unit.isMetering())
        station.nextLevelMs = -1;

    if (fault && fault->kind == LineFault::Kind::Garbled && reply.size() >= 4)
        reply.replace(1, 3, "???");
    if (fault && fault->kind == LineFault::Kind::WrongId && reply.size() >= 3) {
        const int other = unit.id() % 99 + 1;
        reply[1] = static_cast<char>('0' + other / 10);
        reply[2] = static_cast<char>('0' + other % 10);
    }
    if (fault && fault->kind == LineFault::Kind::Bursts) {
        if (m_observer)
            m_observer(Direction::Sent, reply, ms);
        bool first = true;
        for (const QByteArray& piece : splitIntoBursts(reply, fault->burstCount)) {
            m_line.queue(piece, ms * 1000, unit.id(), false, !first,
                         static_cast<qint64>(fault->gapMs) * 1000);
            first = false;
        }
        return;
    }
    send(reply, station, ms, false);
}

void UnitSimulator::send(const QByteArray& bytes, Station& station, qint64 ms, bool levelFrame) {
    if (m_observer)
        m_observer(Direction::Sent, bytes, ms);
    m_line.queue(bytes, ms * 1000, station.unit->id(), levelFrame);
}

} // namespace mqx::sim
