#include "core/FsInterruption.h"

#include <csignal>

namespace Fs {

namespace {
// sig_atomic_t, not an atomic<bool>: only this is guaranteed lock-free and safe to write from a signal handler.
volatile std::sig_atomic_t g_interruptionRequested = 0;
} // namespace

void RequestInterruption() noexcept {
    g_interruptionRequested = 1;
}

bool InterruptionRequested() noexcept {
    return g_interruptionRequested != 0;
}

} // namespace Fs
