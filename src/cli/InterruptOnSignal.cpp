#include "cli/InterruptOnSignal.h"

#include "engine/Interruption.h"

#include <csignal>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t caughtSignal = 0;

void noteTerminationSignal(int signal) {
    if (caughtSignal == 0) {
        caughtSignal = signal;
    }
}

void onTerminationSignal(int signal) {
    noteTerminationSignal(signal);
    RequestInterruption();
}

void handleTerminationSignals(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read waiting for input (a question, standard input) returns at once with EINTR.
    action.sa_flags = SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    // Every write to a closed pipe raises SIGPIPE again; none of them may end the program in the middle of a move.
    action.sa_flags = 0;
    sigaction(SIGPIPE, &action, nullptr);
}

} // namespace

void InterruptOnTerminationSignals() {
    handleTerminationSignals(onTerminationSignal);
}

void FinishFileOnTerminationSignals() {
    handleTerminationSignals(noteTerminationSignal);
}

int InterruptingSignal() {
    return caughtSignal;
}
