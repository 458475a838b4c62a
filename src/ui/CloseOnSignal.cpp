#include "ui/CloseOnSignal.h"

#include "engine/Interruption.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array kTerminationSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe's ends, for the handler, which can reach nothing else.
int g_pipeRead = -1;
int g_pipeWrite = -1;

extern "C" void onTerminationSignal(int) {
    const int savedErrno = errno;
    RequestInterruption();
    // The pipe does not block: when it is full, the loop has a wake-up waiting already.
    const char wakeUp = 1;
    if (::write(g_pipeWrite, &wakeUp, 1) < 0) {
        // Nothing to do about it in a handler.
    }
    errno = savedErrno;
}

} // namespace

CloseOnTerminationSignals::CloseOnTerminationSignals(std::function<void()> received) : m_received(std::move(received)) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("no pipe for the termination signals: they end the program at once");
        return;
    }
    g_pipeRead = ends[0];
    g_pipeWrite = ends[1];
    m_notifier = new QSocketNotifier(g_pipeRead, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CloseOnTerminationSignals::drainPipe);

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls resume, so that no read or write of the program fails with EINTR because of this.
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kTerminationSignals.size(); ++i) {
        ::sigaction(kTerminationSignals[i], nullptr, &m_previous[i]);
        if (m_previous[i].sa_handler != SIG_IGN) {
            ::sigaction(kTerminationSignals[i], &action, nullptr);
        }
    }
}

CloseOnTerminationSignals::~CloseOnTerminationSignals() {
    if (!m_notifier) {
        return;
    }
    for (size_t i = 0; i < kTerminationSignals.size(); ++i) {
        ::sigaction(kTerminationSignals[i], &m_previous[i], nullptr);
    }
    delete m_notifier;
    ::close(g_pipeRead);
    ::close(g_pipeWrite);
    g_pipeRead = g_pipeWrite = -1;
}

void CloseOnTerminationSignals::drainPipe() {
    char wakeUps[64];
    while (::read(g_pipeRead, wakeUps, sizeof wakeUps) > 0) {
    }
    m_received();
}
