#include "link/qt_timers.h"

#include <QTimerEvent>

#include <algorithm>

namespace mqx {

QtTimers::QtTimers(TimerClient& client, QObject* parent) : QObject(parent), m_client(client) {}

void QtTimers::start(int id, int periodMs) {
    stop(id);
    // Precise timers: the reply waits count ticks, so a coarse timer would stretch them.
    m_qtIdOf[id] = startTimer(std::max(periodMs, 0), Qt::PreciseTimer);
}

void QtTimers::stop(int id) {
    const auto it = m_qtIdOf.find(id);
    if (it == m_qtIdOf.end())
        return;
    killTimer(it->second);
    m_qtIdOf.erase(it);
}

bool QtTimers::isActive(int id) const {
    return m_qtIdOf.contains(id);
}

void QtTimers::timerEvent(QTimerEvent* event) {
    for (const auto& [id, qtId] : m_qtIdOf) {
        if (qtId == event->timerId()) {
            // The client may start or stop timers from here, so stop looking first.
            const int ours = id;
            m_client.onTimer(ours);
            return;
        }
    }
    QObject::timerEvent(event);
}

} // namespace mqx
