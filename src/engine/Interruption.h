#pragma once

#include "core/FsInterruption.h"

// A request to stop at once, as a termination signal makes it: the copy under way aborts between two chunks (it
// fails with ECANCELED, its temporary file removed and its source untouched) and the run stops after that file. The
// request lives with the copy in core (Fs::RequestInterruption); the engine's callers ask for it here.

// Safe to call from a signal handler.
using Fs::InterruptionRequested;
using Fs::RequestInterruption;
