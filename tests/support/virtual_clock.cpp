#include "virtual_clock.h"

#include <algorithm>

namespace mqx::test {

class VirtualClock::BoundTimers : public Timers {
public:
    BoundTimers(VirtualClock& clock, TimerClient& client) : m_clock(&clock), m_client(client) {}
    ~BoundTimers() override {
        if (m_clock)
            m_clock->forget(this);
    }

    void start(int id, int periodMs) override {
        if (m_clock)
            m_clock->schedule(this, id, periodMs);
    }
    void stop(int id) override {
        if (m_clock)
            m_clock->cancel(this, id);
    }
    bool isActive(int id) const override { return m_clock && m_clock->isScheduled(this, id); }

    TimerClient& client() { return m_client; }
    void detach() { m_clock = nullptr; }

private:
    VirtualClock* m_clock;
    TimerClient& m_client;
};

VirtualClock::~VirtualClock() {
    for (BoundTimers* owner : m_owners)
        owner->detach();
}

std::unique_ptr<Timers> VirtualClock::createTimers(TimerClient& client) {
    auto timers = std::make_unique<BoundTimers>(*this, client);
    m_owners.push_back(timers.get());
    return timers;
}

void VirtualClock::schedule(BoundTimers* owner, int id, qint64 period) {
    cancel(owner, id);
    // A zero period would fire forever without time moving.
    period = std::max<qint64>(period, 1);
    m_entries.push_back(Entry{owner, id, period, m_now + period, m_nextOrder++});
}

void VirtualClock::cancel(BoundTimers* owner, int id) {
    std::erase_if(m_entries, [&](const Entry& e) { return e.owner == owner && e.id == id; });
}

void VirtualClock::forget(BoundTimers* owner) {
    std::erase_if(m_entries, [&](const Entry& e) { return e.owner == owner; });
    std::erase(m_owners, owner);
}

bool VirtualClock::isScheduled(const BoundTimers* owner, int id) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& e) { return e.owner == owner && e.id == id; });
}

std::vector<VirtualClock::Entry>::iterator VirtualClock::earliest() {
    return std::min_element(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
}

void VirtualClock::advanceTo(qint64 ms) {
    while (!m_entries.empty()) {
        const auto it = earliest();
        if (it->due > ms)
            break;
        m_now = it->due;
        // Rescheduled before the tick, so that the client may stop or restart it.
        it->due += it->period;
        it->order = m_nextOrder++;
        BoundTimers* owner = it->owner;
        const int id = it->id;
        owner->client().onTimer(id);
    }
    m_now = std::max(m_now, ms);
}

bool VirtualClock::runUntil(const std::function<bool()>& condition, qint64 limitMs) {
    const qint64 end = m_now + limitMs;
    while (!condition()) {
        const qint64 next = m_entries.empty() ? -1 : earliest()->due;
        if (next < 0 || next > end) {
            m_now = end;
            return condition();
        }
        advanceTo(next);
    }
    return true;
}

} // namespace mqx::test
