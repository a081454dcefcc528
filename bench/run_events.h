#pragma once
// The real-time benchmarks wait on the window thread's event loop, as the controller does.

#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <functional>

// Runs the event loop until `condition` holds, checking it every millisecond, or until
// `limitMs` have passed. Returns whether it holds.
inline bool runEventsUntil(const std::function<bool()>& condition, int limitMs) {
    if (condition())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}
