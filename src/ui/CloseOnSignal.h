#pragma once

#include <QObject>

#include <array>
#include <csignal>
#include <functional>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT end the program as closing its window does, while an object of this class lives. The
// handler itself only does what is safe in a handler: it requests the interruption of the copy under way
// (RequestInterruption) and writes a byte to a pipe. The event loop then notices the pipe and calls received, outside
// the handler, where it may close windows. A signal that the program was started with ignored (nohup) stays ignored.
// One object at a time.
class CloseOnTerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit CloseOnTerminationSignals(std::function<void()> received);
    ~CloseOnTerminationSignals() override;

private:
    void drainPipe();

    std::function<void()> m_received;
    QSocketNotifier* m_notifier = nullptr;
    std::array<struct sigaction, 3> m_previous{}; // what each signal did before, restored at the end
};
