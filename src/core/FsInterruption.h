#pragma once

namespace Fs {

// A request to stop at once, for the whole process, as a termination signal makes it: a copy under way aborts between
// two chunks (it fails with ECANCELED, its temporary file removed and its source untouched). The sort run and the
// command line's reading stop on it too (engine/Interruption.h).

// Safe to call from a signal handler.
void RequestInterruption() noexcept;
bool InterruptionRequested() noexcept;

} // namespace Fs
