#pragma once
// Turns SIGTERM and SIGINT into a call on the event loop's thread: the signal handler
// only writes a byte into a pipe, whose other end a QSocketNotifier watches.

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace mqx::sim {

class TerminationWatcher : public QObject {
public:
    // `onSignal` runs on the event loop after SIGTERM or SIGINT. One watcher at a time.
    explicit TerminationWatcher(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationWatcher() override;

    bool isValid() const { return m_pipe[0] >= 0; }

private:
    void drain();

    std::function<void()> m_onSignal;
    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace mqx::sim
