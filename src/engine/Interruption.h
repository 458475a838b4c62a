#pragma once

// A request to stop at once, as a termination signal makes it: the copy under way aborts between two chunks (it
// fails with ECANCELED, its temporary file removed and its source untouched) and the run stops after that file.

// Safe to call from a signal handler.
void RequestInterruption() noexcept;
bool InterruptionRequested() noexcept;
