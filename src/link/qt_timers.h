#pragma once
// Numbered timers on the thread of the object, delivered to one TimerClient.

#include "link/timers.h"

#include <QObject>

#include <map>

namespace mqx {

// No signals or slots of its own, so it needs no meta-object.
class QtTimers : public QObject, public Timers {
public:
    explicit QtTimers(TimerClient& client, QObject* parent = nullptr);

    void start(int id, int periodMs) override;
    void stop(int id) override;
    bool isActive(int id) const override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    TimerClient& m_client;
    std::map<int, int> m_qtIdOf; // our timer id -> Qt's
};

} // namespace mqx
